#include "store/ClientStore.h"

#include "store/DatabaseError.h"
#include "store/SendTime.h"
#include "store/Statements.h"
#include "store/Transaction.h"

#include <QDir>
#include <optional>

ClientStore::ClientStore(const QString &workingDirectory)
    : m_connection(QDir(workingDirectory).filePath(FileName))
    , m_query2(QStringLiteral("ADOQuery2"), m_connection.name())
    , m_query3(QStringLiteral("ADOQuery3"), m_connection.name())
    , m_queryClientId(QStringLiteral("adoQClientID"), m_connection.name())
    , m_queryReport(QStringLiteral("adoQReport"), m_connection.name())
{
}

ClientStore::~ClientStore()
{
    try {
        finishReport();
    } catch (const DatabaseError &) {
        // The rows of an unfinished answer are lost with the failed connection.
    }
}

void ClientStore::open()
{
    m_connection.open();
}

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
    replaceTable(
        Statements::DeleteClientId, Statements::SelectAllClientId,
        {QStringLiteral("ClientName"), QStringLiteral("ServerIP"), QStringLiteral("ServerPort")},
        {{registration.clientName, registration.serverIp, registration.serverPort}});
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

void ClientStore::replaceTable(const QString &deleteStatement, const QString &selectStatement,
                               const QStringList &columns, const QList<QVariantList> &rows)
{
    Transaction transaction(m_connection.name());
    RunSql(m_query3, deleteStatement);
    RunSql(m_query3, selectStatement);
    m_query3.appendRows(columns, rows);
    transaction.commit();
    m_query3.close();
}

void ClientStore::replaceList(const QString &deleteStatement, const QString &selectStatement,
                              const QString &nameColumn, const QList<ListRecord> &records)
{
    QList<QVariantList> rows;
    rows.reserve(records.size());
    for (const ListRecord &record : records)
        rows.append({record.serial, record.name});
    replaceTable(deleteStatement, selectStatement, {QStringLiteral("SerialNum"), nameColumn}, rows);
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

void ClientStore::replaceLists(const QString &version, const QList<ListRecord> &recipients,
                               const std::optional<QList<ListRecord>> &groups)
{
    Transaction transaction(m_connection.name());
    setListVersion(version);
    replaceRecipients(recipients);
    if (groups)
        replaceGroups(*groups);
    transaction.commit();
}

void ClientStore::replaceCanned(const QStringList &texts)
{
    QList<QVariantList> rows;
    rows.reserve(texts.size());
    for (const QString &text : texts)
        rows.append({text});
    replaceTable(Statements::DeleteCanned, Statements::SelectAllCanned, {QStringLiteral("content")},
                 rows);
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
    QList<QVariantList> rows;
    rows.reserve(records.size());
    for (const ReportRecord &record : records) {
        rows.append({record.sender, record.recipient, normalisedSendTime(record.sendTime),
                     record.status, record.message});
    }
    m_queryReport.appendRows(rows);
}

template <typename Operation> void ClientStore::inReportTransaction(Operation operation)
{
    try {
        if (!m_reportTransaction)
            m_reportTransaction = std::make_unique<Transaction>(m_connection.name());
        operation();
    } catch (const DatabaseError &) {
        m_reportTransaction.reset();
        m_queryReport.openAll();
        throw;
    }
}

void ClientStore::startReport(const QList<ReportRecord> &firstRecords)
{
    finishReport();
    inReportTransaction([&] {
        m_queryReport.execute(Statements::DeleteReport);
        m_queryReport.openAll();
        appendReportRows(firstRecords);
    });
}

void ClientStore::startWireReport(const QList<ReportFields> &firstRows)
{
    finishReport();
    inReportTransaction([&] {
        m_queryReport.execute(Statements::DeleteReport);
        m_queryReport.openAll();
        m_queryReport.appendWireRows(firstRows);
    });
}

void ClientStore::appendWireReport(const QList<ReportFields> &rows)
{
    inReportTransaction([&] {
        if (!m_queryReport.isOpen())
            m_queryReport.openAll();
        m_queryReport.appendWireRows(rows);
    });
}

void ClientStore::appendReport(const QList<ReportRecord> &records)
{
    inReportTransaction([&] {
        // A further part without a first one in this run adds to the stored rows.
        if (!m_queryReport.isOpen())
            m_queryReport.openAll();
        appendReportRows(records);
    });
}

void ClientStore::finishReport()
{
    if (!m_reportTransaction)
        return;
    const std::unique_ptr<Transaction> transaction = std::move(m_reportTransaction);
    transaction->commit();
}

void ClientStore::clearReport()
{
    finishReport();
    m_queryReport.execute(Statements::DeleteReport);
}

void ClientStore::reopenReportOrderedBy(const QString &column, bool ascending)
{
    const int known = m_queryReport.columnIndex(column);
    if (known < 0)
        throw DatabaseError(QStringLiteral("The report has no column '%1'.").arg(column));
    m_queryReport.openOrderedBy(static_cast<ReportRows::Column>(known), ascending);
}

void ClientStore::markOfflineReportRows(const QDateTime &now)
{
    finishReport();
    RunSql(m_query2, Statements::MarkOfflineReportRows, {storedDateTime(now)});
}

QString ClientStore::storedDateTime(const QDateTime &dateTime)
{
    return SendTime::stored(dateTime);
}

namespace {

// The usual form, "yyyy-MM-dd HH:mm:ss" or with '/' in the date, read by hand:
// a report brings a hundred thousand of them and the general parser is slow.
std::optional<QString> fastSendTime(const QString &text)
{
    if (text.size() != 19 || text[10] != u' ' || text[13] != u':' || text[16] != u':')
        return std::nullopt;
    const QChar separator = text[4];
    if ((separator != u'-' && separator != u'/') || text[7] != separator)
        return std::nullopt;
    const auto number = [&text](int from, int length) {
        int value = 0;
        for (int i = from; i < from + length; ++i) {
            const char16_t c = text[i].unicode();
            if (c < u'0' || c > u'9')
                return -1;
            value = value * 10 + (c - u'0');
        }
        return value;
    };
    const int year = number(0, 4), month = number(5, 2), day = number(8, 2);
    const int hour = number(11, 2), minute = number(14, 2), second = number(17, 2);
    if (!QDate::isValid(year, month, day) || !QTime::isValid(hour, minute, second))
        return std::nullopt;
    if (separator == u'-')
        return text;
    QString normalised = text;
    normalised[4] = u'-';
    normalised[7] = u'-';
    return normalised;
}

} // namespace

QString ClientStore::normalisedSendTime(const QString &wireText)
{
    if (const auto fast = fastSendTime(wireText))
        return *fast;
    // The other common forms; a text that is no date is kept as the server
    // wrote it, so the operator still sees it in the report.
    return SendTime::fromWire(wireText);
}
