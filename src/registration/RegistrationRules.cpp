#include "registration/RegistrationRules.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace RegistrationRules {

std::optional<quint16> portNumber(const QString &text)
{
    const QString digits = text.trimmed();
    if (digits.isEmpty() || !std::all_of(digits.cbegin(), digits.cend(),
                                         [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    bool converted = false;
    const uint value = digits.toUInt(&converted);
    if (!converted || value < 1 || value > 65535)
        return std::nullopt;
    return static_cast<quint16>(value);
}

bool isValidPort(int port)
{
    return port >= 1 && port <= 65535;
}

std::optional<Message> firstProblem(const Fields &fields)
{
    if (fields.serverIp.trimmed().isEmpty())
        return Messages::Msg18;
    if (fields.serverPort.trimmed().isEmpty())
        return Messages::Msg19;
    if (fields.clientId.trimmed().isEmpty())
        return Messages::Msg20;
    // Checked here: a port that cannot be used would send nothing, silently.
    if (!portNumber(fields.serverPort))
        return Messages::Msg23;
    return std::nullopt;
}

Registration trimmed(const Fields &fields)
{
    return {fields.clientId.trimmed(), fields.serverIp.trimmed(),
            portNumber(fields.serverPort).value_or(0)};
}

bool clientIdTakesKeys(const QString &clientIdText)
{
    return clientIdText.trimmed().size() < ClientIdLimit;
}

std::optional<Placement> placementFor(const QString &language, const QString &productTitle)
{
    // Compared exactly: a language file's own section name gets no placement.
    if (language == u"English"_s)
        return Placement{productTitle + u" Register"_s, 99, 99, 145, 140};
    if (language == u"German"_s)
        return Placement{productTitle + u" registrieren"_s, 100, 100, 160, 140};
    if (language == u"Dutch"_s)
        return Placement{productTitle + u" registreren"_s, 105, 105, 175, 140};
    if (language == u"Italian"_s)
        return Placement{productTitle, 145, 105, 175, 160};
    return std::nullopt;
}

} // namespace RegistrationRules
