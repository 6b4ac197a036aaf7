#include "DataFile.h"

#include "ClientFrameReader.h"
#include "ServerFrameBuilder.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace DataFile {

namespace {

constexpr int SerialLength = 4;
constexpr int MaxNameLength = 20;
constexpr int MaxCannedLength = 50;

// Single-byte characters that survive the trip to the client: no control
// characters and none of the bytes that mark ends and separators in frames.
bool isWireText(const QString &text, int maxLength)
{
    if (text.isEmpty() || text.size() > maxLength)
        return false;
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= 0x20 && u < 0x7F) || (u >= 0xA0 && u < 0xFD);
    });
}

bool isSerial(const QString &serial)
{
    return serial.size() == SerialLength &&
           std::all_of(serial.cbegin(), serial.cend(),
                       [](QChar c) { return c.unicode() < 0x80 && c.isLetterOrNumber(); });
}

QStringList splitSerials(const QString &text)
{
    QStringList serials;
    for (const QString &part : text.split(u',', Qt::SkipEmptyParts)) {
        if (!part.trimmed().isEmpty())
            serials.append(part.trimmed());
    }
    return serials;
}

class Parser final {
public:
    std::optional<DataSet> run(const QString &text, QString &error)
    {
        const QStringList lines = text.split(u'\n');
        for (qsizetype n = 0; n < lines.size() && m_error.isEmpty(); ++n) {
            m_line = static_cast<int>(n + 1);
            readLine(lines.at(n).trimmed());
        }
        if (m_error.isEmpty() && !m_hasVersion)
            m_error = QStringLiteral("no version in section [lists]");
        if (m_error.isEmpty())
            m_error = validate(m_data);
        if (!m_error.isEmpty()) {
            error = m_error;
            return std::nullopt;
        }
        return m_data;
    }

private:
    void fail(const QString &what)
    {
        m_error = QStringLiteral("line %1: %2").arg(m_line).arg(what);
    }

    void readLine(const QString &line)
    {
        if (line.isEmpty() || line.startsWith(u'#') || line.startsWith(u';'))
            return;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            m_section = line.mid(1, line.size() - 2).trimmed().toLower();
            static const QStringList known = {u"lists"_s, u"recipients"_s, u"groups"_s, u"canned"_s,
                                              u"settings"_s};
            if (!known.contains(m_section))
                fail(QStringLiteral("unknown section [%1]").arg(m_section));
            return;
        }
        if (m_section == u"canned") {
            m_data.canned.append(line);
            return;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (m_section.isEmpty() || equals < 0) {
            fail(QStringLiteral("expected key=value in a section"));
            return;
        }
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (m_section == u"lists")
            readList(key, value);
        else if (m_section == u"recipients")
            m_data.recipients.append({key, value});
        else if (m_section == u"groups")
            readGroup(key, value);
        else
            readSetting(key, value);
    }

    void readList(const QString &key, const QString &value)
    {
        if (key != u"version") {
            fail(QStringLiteral("unknown key %1 in [lists]").arg(key));
            return;
        }
        m_data.version = value;
        m_hasVersion = true;
    }

    // "Night shift: 0012,0013": the members follow the last colon.
    void readGroup(const QString &serial, const QString &value)
    {
        const qsizetype colon = value.lastIndexOf(u':');
        const QString name = colon < 0 ? value : value.left(colon).trimmed();
        const QStringList members = colon < 0 ? QStringList() : splitSerials(value.mid(colon + 1));
        m_data.groups.append({{serial, name}, members});
    }

    void readSetting(const QString &key, const QString &value)
    {
        bool ok = true;
        if (key == u"notice" && (value == u"1" || value == u"2"))
            m_data.noticeStatus = value.at(0).toLatin1();
        else if (key == u"fail")
            m_data.failing = splitSerials(value);
        else if (key == u"pending")
            m_data.pending = splitSerials(value);
        else if (key == u"maxclients")
            m_data.maxClients = value.toInt(&ok);
        else
            ok = false;
        if (!ok || m_data.maxClients < 0)
            fail(QStringLiteral("bad setting %1=%2").arg(key, value));
    }

    DataSet m_data;
    QString m_section;
    QString m_error;
    int m_line = 0;
    bool m_hasVersion = false;
};

QString validateLists(const DataSet &data)
{
    QStringList serials;
    const auto checkRecord = [&](const ListRecord &record) -> QString {
        if (!isSerial(record.serial))
            return QStringLiteral("serial number \"%1\" is not 4 letters or digits")
                .arg(record.serial);
        if (serials.contains(record.serial))
            return QStringLiteral("serial number %1 is used twice").arg(record.serial);
        serials.append(record.serial);
        if (!isWireText(record.name, MaxNameLength))
            return QStringLiteral("name \"%1\" of %2 is empty, longer than %3 characters or "
                                  "holds characters that cannot be sent")
                .arg(record.name, record.serial)
                .arg(MaxNameLength);
        return {};
    };
    for (const ListRecord &record : data.recipients) {
        if (QString fault = checkRecord(record); !fault.isEmpty())
            return fault;
    }
    for (const DataSet::Group &group : data.groups) {
        if (QString fault = checkRecord(group.record); !fault.isEmpty())
            return fault;
        for (const QString &member : group.members) {
            if (!data.recipient(member))
                return QStringLiteral("group %1 names the unknown recipient %2")
                    .arg(group.record.serial, member);
        }
    }
    return {};
}

QString validateSettings(const DataSet &data)
{
    for (const QString &serial : data.failing + data.pending) {
        if (!data.recipient(serial))
            return QStringLiteral("setting names the unknown recipient %1").arg(serial);
    }
    for (const QString &text : data.canned) {
        if (!isWireText(text, MaxCannedLength))
            return QStringLiteral("canned message \"%1\" is longer than %2 characters or holds "
                                  "characters that cannot be sent")
                .arg(text)
                .arg(MaxCannedLength);
    }
    if (data.noticeStatus != '1' && data.noticeStatus != '2')
        return QStringLiteral("notice must be 1 or 2");
    return {};
}

// The client reads every answer into a buffer of 8192 bytes.
QString validateFrameSizes(const DataSet &data)
{
    const QString id = QStringLiteral("X");
    if (ServerFrameBuilder::lists(id, data.version, data.recipients, data.groupRecords()).size() >
        ClientFrameReader::MaxFrameSize)
        return QStringLiteral("recipients and groups do not fit one frame of %1 bytes")
            .arg(ClientFrameReader::MaxFrameSize);
    if (ServerFrameBuilder::canned(id, data.canned).size() > ClientFrameReader::MaxFrameSize)
        return QStringLiteral("canned messages do not fit one frame of %1 bytes")
            .arg(ClientFrameReader::MaxFrameSize);
    return {};
}

QString joined(const QStringList &serials)
{
    return serials.join(u',');
}

} // namespace

std::optional<DataSet> parse(const QString &text, QString &error)
{
    return Parser().run(text, error);
}

QString validate(const DataSet &data)
{
    const bool versionOk =
        data.version.size() == 3 && std::all_of(data.version.cbegin(), data.version.cend(),
                                                [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!versionOk)
        return QStringLiteral("version \"%1\" is not three digits").arg(data.version);
    for (const QString &fault :
         {validateLists(data), validateSettings(data), validateFrameSizes(data)}) {
        if (!fault.isEmpty())
            return fault;
    }
    return {};
}

QString write(const DataSet &data)
{
    QString text = QStringLiteral(
        "# Data set of the Quorvel simulated paging server (quorvel-sim --data FILE).\n"
        "# Lines starting with # or ; are comments. The simulator reloads this file\n"
        "# when it changes and on SIGHUP; a file that does not parse leaves the\n"
        "# previous data in place.\n\n"
        "[lists]\n"
        "# Version of the lists, three digits (017 reads as 1.7). Pages that carry\n"
        "# another version are refused with a list-version notice.\n");
    text += u"version=" + data.version +
            u"\n\n[recipients]\n"
            u"# serial=name: 4 letters or digits, a name of at most 20 characters.\n";
    for (const ListRecord &r : data.recipients)
        text += r.serial + u'=' + r.name + u'\n';
    text += u"\n[groups]\n# serial=name: member serials, comma separated.\n"_s;
    for (const DataSet::Group &g : data.groups)
        text += g.record.serial + u'=' + g.record.name + u": " + joined(g.members) + u'\n';
    text += u"\n[canned]\n# One canned message per line, at most 50 characters.\n"_s;
    for (const QString &line : data.canned)
        text += line + u'\n';
    text += u"\n[settings]\n"
            u"# notice: the answer to a page with an old list version, 1 (the operator\n"
            u"# chooses again) or 2 (the client fetches the lists at once).\n"
            u"notice=" +
            QString(QLatin1Char(data.noticeStatus)) +
            u"\n# fail: recipients whose pages fail. pending: recipients whose report\n"
            u"# rows carry no status yet.\n"
            u"fail=" +
            joined(data.failing) + u"\npending=" + joined(data.pending) +
            u"\n# maxclients: how many client IDs may register.\n"
            u"maxclients=" +
            QString::number(data.maxClients) + u'\n';
    return text;
}

std::optional<DataSet> load(const QString &path, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return std::nullopt;
    }
    return parse(QString::fromUtf8(file.readAll()), error);
}

bool save(const QString &path, const DataSet &data, QString &error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(write(data).toUtf8()) < 0 ||
        !file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

} // namespace DataFile
