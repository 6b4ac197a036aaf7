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

namespace {

// Records made in the program (tools, tests) as the single-byte text an
// answer carries, so that they are stored the one way answers are.
class WireRows {
public:
    explicit WireRows(const QList<ReportRecord> &records)
    {
        m_bytes.reserve(records.size());
        for (const ReportRecord &record : records)
            m_bytes.append({record.sender.toLatin1(), record.recipient.toLatin1(),
                            record.sendTime.toLatin1(), record.status.toLatin1(),
                            record.message.toLatin1()});
        m_fields.reserve(m_bytes.size());
        for (const std::array<QByteArray, 5> &bytes : std::as_const(m_bytes))
            m_fields.append({bytes[0], bytes[1], bytes[2], bytes[3], bytes[4]});
    }
    const QList<ReportFields> &fields() const { return m_fields; }

private:
    QList<std::array<QByteArray, 5>> m_bytes;
    QList<ReportFields> m_fields;
};

} // namespace

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
    startWireReport(WireRows(firstRecords).fields());
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
        // A further part without a first one in this run adds to the stored rows.
        if (!m_queryReport.isOpen())
            m_queryReport.openAll();
        m_queryReport.appendWireRows(rows);
    });
}

void ClientStore::appendReport(const QList<ReportRecord> &records)
{
    appendWireReport(WireRows(records).fields());
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

QString ClientStore::normalisedSendTime(const QString &wireText)
{
    return SendTime::fromWire(wireText);
}
