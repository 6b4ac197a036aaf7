#include "store/ClientStore.h"

#include "store/DatabaseError.h"
#include "store/Statements.h"
#include "store/Transaction.h"

#include <QDir>
#include <QSet>

namespace {

const QString ReportColumns[] = {QStringLiteral("sender"), QStringLiteral("recipient"),
                                 QStringLiteral("sendtime"), QStringLiteral("status"),
                                 QStringLiteral("message")};

} // namespace

ClientStore::ClientStore(const QString &workingDirectory)
    : m_connection(QDir(workingDirectory).filePath(FileName))
    , m_query2(QStringLiteral("ADOQuery2"), m_connection.name())
    , m_query3(QStringLiteral("ADOQuery3"), m_connection.name())
    , m_queryClientId(QStringLiteral("adoQClientID"), m_connection.name())
    , m_queryReport(QStringLiteral("adoQReport"), m_connection.name())
{
}

void ClientStore::open() { m_connection.open(); }

std::optional<Registration> ClientStore::registrationFrom(QueryObject &query,
                                                          const QString &statement)
{
    RunSql(query, statement);
    if (query.recordCount() == 0)
        return std::nullopt;
    query.first();
    return Registration{query.fieldText(QStringLiteral("ClientName")),
                        query.fieldText(QStringLiteral("ServerIP")),
                        query.fieldInt(QStringLiteral("ServerPort"))};
}

std::optional<Registration> ClientStore::readRegistration()
{
    return registrationFrom(m_queryClientId, Statements::SelectClientIdOnShow);
}

std::optional<Registration> ClientStore::readRegistrationForSettings()
{
    return registrationFrom(m_query3, Statements::SelectClientIdOnSettings);
}

void ClientStore::replaceRegistration(const Registration &registration)
{
    Transaction transaction(m_connection.name());
    RunSql(m_query3, Statements::DeleteClientId);
    RunSql(m_query3, Statements::SelectAllClientId);
    m_query3.appendRow({{QStringLiteral("ClientName"), registration.clientName},
                        {QStringLiteral("ServerIP"), registration.serverIp},
                        {QStringLiteral("ServerPort"), registration.serverPort}});
    transaction.commit();
    m_query3.close();
}

QString ClientStore::listVersion()
{
    RunSql(m_query3, Statements::SelectVersion);
    m_query3.first();
    return m_query3.eof() ? QString() : m_query3.fieldText(QStringLiteral("version_num")).left(3);
}

std::optional<QString> ClientStore::listVersionForSettings()
{
    RunSql(m_query3, Statements::SelectVersionOnSettings);
    if (m_query3.recordCount() == 0)
        return std::nullopt;
    m_query3.first();
    return m_query3.fieldText(QStringLiteral("Version_Num"));
}

void ClientStore::setListVersion(const QString &version)
{
    RunSql(m_query3, Statements::UpdateVersion, {version});
}

void ClientStore::replaceList(const QString &deleteStatement, const QString &selectStatement,
                              const QString &nameColumn, const QList<ListRecord> &records)
{
    Transaction transaction(m_connection.name());
    RunSql(m_query3, deleteStatement);
    RunSql(m_query3, selectStatement);
    for (const ListRecord &record : records)
        m_query3.appendRow({{QStringLiteral("SerialNum"), record.serial}, {nameColumn, record.name}});
    transaction.commit();
    m_query3.close();
}

void ClientStore::replaceRecipients(const QList<ListRecord> &records)
{
    replaceList(Statements::DeleteRecipients, Statements::SelectAllRecipients,
                QStringLiteral("Recipient"), records);
}

void ClientStore::replaceGroups(const QList<ListRecord> &records)
{
    replaceList(Statements::DeleteGroups, Statements::SelectAllGroups, QStringLiteral("GroupName"),
                records);
}

void ClientStore::replaceCanned(const QStringList &texts)
{
    Transaction transaction(m_connection.name());
    RunSql(m_query3, Statements::DeleteCanned);
    RunSql(m_query3, Statements::SelectAllCanned);
    for (const QString &text : texts)
        m_query3.appendRow({{QStringLiteral("content"), text}});
    transaction.commit();
    m_query3.close();
}

QStringList ClientStore::columnValues(const QString &statement, const QString &column)
{
    RunSql(m_query3, statement);
    QStringList values;
    values.reserve(m_query3.recordCount());
    for (m_query3.first(); !m_query3.eof(); m_query3.next())
        values.append(m_query3.fieldText(column));
    return values;
}

QStringList ClientStore::recipientNames()
{
    return columnValues(Statements::SelectRecipientsByName, QStringLiteral("Recipient"));
}

QStringList ClientStore::groupNames()
{
    return columnValues(Statements::SelectGroups, QStringLiteral("GroupName"));
}

QStringList ClientStore::cannedTexts()
{
    return columnValues(Statements::SelectCanned, QStringLiteral("content"));
}

std::optional<QString> ClientStore::firstSerial(const QString &statement, const QString &name)
{
    RunSql(m_query3, statement, {name});
    if (m_query3.recordCount() == 0)
        return std::nullopt;
    m_query3.first();
    return m_query3.fieldText(QStringLiteral("SerialNum"));
}

std::optional<QString> ClientStore::recipientSerial(const QString &name)
{
    return firstSerial(Statements::SelectRecipientNamed, name);
}

std::optional<QString> ClientStore::groupSerial(const QString &name)
{
    return firstSerial(Statements::SelectGroupNamed, name);
}

void ClientStore::appendReportRows(const QList<ReportRecord> &records)
{
    for (const ReportRecord &record : records) {
        m_queryReport.appendRow({{ReportColumns[0], record.sender},
                                 {ReportColumns[1], record.recipient},
                                 {ReportColumns[2], normalisedSendTime(record.sendTime)},
                                 {ReportColumns[3], record.status},
                                 {ReportColumns[4], record.message}});
    }
}

void ClientStore::startReport(const QList<ReportRecord> &firstRecords)
{
    Transaction transaction(m_connection.name());
    RunSql(m_queryReport, Statements::DeleteReport);
    RunSql(m_queryReport, Statements::SelectAllReport);
    appendReportRows(firstRecords);
    transaction.commit();
}

void ClientStore::appendReport(const QList<ReportRecord> &records)
{
    Transaction transaction(m_connection.name());
    // A further part without a first one in this run adds to the stored rows.
    if (!m_queryReport.isOpen())
        RunSql(m_queryReport, Statements::SelectAllReport);
    appendReportRows(records);
    transaction.commit();
}

void ClientStore::clearReport() { RunSql(m_queryReport, Statements::DeleteReport); }

void ClientStore::reopenReportOrderedBy(const QString &column, bool ascending)
{
    const bool known = std::any_of(std::begin(ReportColumns), std::end(ReportColumns),
                                   [&column](const QString &c) {
                                       return c.compare(column, Qt::CaseInsensitive) == 0;
                                   });
    if (!known)
        throw DatabaseError(QStringLiteral("The report has no column '%1'.").arg(column));
    RunSql(m_queryReport, Statements::SelectReportOrderedBy.arg(
                              column, ascending ? QStringLiteral("ASC") : QStringLiteral("DESC")));
}

void ClientStore::markOfflineReportRows(const QDateTime &now)
{
    RunSql(m_query2, Statements::MarkOfflineReportRows, {storedDateTime(now)});
}

QString ClientStore::storedDateTime(const QDateTime &dateTime)
{
    return dateTime.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString ClientStore::normalisedSendTime(const QString &wireText)
{
    static const QString formats[] = {
        QStringLiteral("yyyy-MM-dd HH:mm:ss"), QStringLiteral("yyyy/MM/dd HH:mm:ss"),
        QStringLiteral("yyyy-MM-ddTHH:mm:ss"), QStringLiteral("yyyy/M/d H:mm:ss"),
        QStringLiteral("yyyy-MM-dd HH:mm"),    QStringLiteral("yyyy/MM/dd HH:mm"),
        QStringLiteral("yyyy-MM-dd"),          QStringLiteral("yyyy/MM/dd"),
    };
    const QString text = wireText.trimmed();
    for (const QString &format : formats) {
        const QDateTime parsed = QDateTime::fromString(text, format);
        if (parsed.isValid())
            return storedDateTime(parsed);
    }
    // Kept as the server wrote it: the operator still sees it in the report.
    return wireText;
}
