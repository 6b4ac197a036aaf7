#pragma once

#include "lang/Messages.h"
#include "store/Records.h"

#include <QString>

#include <optional>

// The rules of the registration window that need no session: what the
// operator typed and whether it may be sent, the client ID's key rule, and
// the per-language title and positions.
namespace RegistrationRules {

// At this many characters (blanks around them not counted) the client ID takes no more keys.
inline constexpr int ClientIdLimit = 12;

// The three fields as the operator typed them.
struct Fields {
    QString serverIp;
    QString serverPort;
    QString clientId;
};

// The window's title and the positions that differ per language, in pixels.
struct Placement {
    QString title;
    int txtIPLeft = 0;
    int edtPortLeft = 0; // edtClientID has the same
    int lblVerLeft = 0;
    int btnRecptWidth = 0;
};

// The port as a number, or nothing when the text (blanks around it aside)
// is not a whole number from 1 to 65535.
std::optional<quint16> portNumber(const QString &text);
bool isValidPort(int port);

// The first reason not to send, checked in the order the operator reads the
// fields (Server IP, Server Port, Client ID), then the port's range.
std::optional<Message> firstProblem(const Fields &fields);

// What is sent and, once accepted, stored: the fields without surrounding
// blanks. Only for fields without a problem.
Registration trimmed(const Fields &fields);

// False when the client ID field must discard the key: it is full.
bool clientIdTakesKeys(const QString &clientIdText);

// Title and positions for a language, or nothing for a language without its own.
std::optional<Placement> placementFor(const QString &language, const QString &productTitle);

} // namespace RegistrationRules
