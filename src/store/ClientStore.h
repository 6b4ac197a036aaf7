#pragma once

#include "store/DatabaseConnection.h"
#include "store/QueryObject.h"
#include "store/Records.h"
#include "store/ReportRows.h"
#include "store/Transaction.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// Client.mdb in the working directory, its four query objects and every
// operation the client performs on it. Every failure throws DatabaseError.
class ClientStore final {
public:
    static inline const QString FileName = QStringLiteral("Client.mdb");

    explicit ClientStore(const QString &workingDirectory);
    ~ClientStore();
    Q_DISABLE_COPY_MOVE(ClientStore)

    // Opens (or creates) the file; throws DatabaseError naming the file and the problem.
    void open();
    const QString &filePath() const { return m_connection.filePath(); }
    // The Qt SQL connection, for tools and tests that run their own statements.
    QString connectionName() const { return m_connection.name(); }

    QueryObject &ADOQuery2() { return m_query2; }
    QueryObject &ADOQuery3() { return m_query3; }
    QueryObject &adoQClientID() { return m_queryClientId; }
    ReportRows &adoQReport() { return m_queryReport; }

    // Registration: read when the main window and the settings window are
    // shown, replaced whole when the server accepts a registration.
    std::optional<Registration> readRegistration();
    std::optional<Registration> readRegistrationForSettings();
    void replaceRegistration(const Registration &registration);

    // List version: the first three characters of version_num, read afresh
    // each time; empty when the table has no row.
    QString listVersion();
    std::optional<QString> listVersionForSettings();
    void setListVersion(const QString &version);

    // Whole-table replacements, each in one transaction.
    void replaceRecipients(const QList<ListRecord> &records);
    void replaceGroups(const QList<ListRecord> &records);
    void replaceCanned(const QStringList &texts);
    // The version and the lists of one answer, as one set: a failure or a
    // kill in between leaves the old set whole. Groups only when given.
    void replaceLists(const QString &version, const QList<ListRecord> &recipients,
                      const std::optional<QList<ListRecord>> &groups);

    // The pick lists of the send panel.
    QStringList recipientNames();
    QStringList groupNames();
    QStringList cannedTexts();

    // Serial number of the first row of that name, or nothing.
    std::optional<QString> recipientSerial(const QString &name);
    std::optional<QString> groupSerial(const QString &name);

    // The delivery report, which adoQReport keeps open for the grid. The parts
    // of one answer replace the stored report in one transaction, kept by
    // finishReport() (after the last part, or when the answer is cut off). A
    // failure undoes the whole answer and shows the report as it was.
    void startReport(const QList<ReportRecord> &firstRecords);
    void appendReport(const QList<ReportRecord> &records);
    // The same for rows as they lie in the frames (the path answers take).
    void startWireReport(const QList<ReportFields> &firstRows);
    void appendWireReport(const QList<ReportFields> &rows);
    void finishReport();
    void clearReport();
    void reopenReportOrderedBy(const QString &column, bool ascending);
    void markOfflineReportRows(const QDateTime &now);

    // Send times are stored as "yyyy-MM-dd HH:mm:ss" so that they order
    // chronologically; a text that is no date is kept as it came (SendTime).
    static QString storedDateTime(const QDateTime &dateTime);
    static QString normalisedSendTime(const QString &wireText);

private:
    // Deletes every row, then appends `rows` (values in `columns` order), all
    // in one transaction.
    void replaceTable(const QString &deleteStatement, const QString &selectStatement,
                      const QStringList &columns, const QList<QVariantList> &rows);
    void replaceList(const QString &deleteStatement, const QString &selectStatement,
                     const QString &nameColumn, const QList<ListRecord> &records);
    QStringList columnValues(const QString &statement, const QString &column);
    std::optional<QString> firstSerial(const QString &statement, const QString &name);
    std::optional<Registration> registrationFrom(QueryObject &query, const QString &statement);
    template <typename Operation> void inReportTransaction(Operation operation);

    DatabaseConnection m_connection;
    QueryObject m_query2;
    QueryObject m_query3;
    QueryObject m_queryClientId;
    ReportRows m_queryReport;
    std::unique_ptr<Transaction> m_reportTransaction;
};
