// Client.mdb: creation, refusal of unusable files, the statement runner's
// rule, bound values, column widths, whole-table replacement and the report.
#include "WorkingDirectory.h"
#include "store/ClientStore.h"
#include "store/DatabaseError.h"
#include "store/Statements.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace {

QByteArray fileHash(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// Runs statements on a database file through a connection of its own.
void runOn(const QString &path, const QStringList &statements)
{
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("seed"));
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery query(db);
        for (const QString &statement : statements)
            QVERIFY2(query.exec(statement), qPrintable(statement));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("seed"));
}

QString errorOf(const std::function<void()> &operation)
{
    try {
        operation();
    } catch (const DatabaseError &error) {
        return error.text();
    }
    return {};
}

} // namespace

using namespace Qt::StringLiterals;

class TestClientStore : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WorkingDirectory> m_dir;
    std::unique_ptr<ClientStore> m_store;

    QString dbPath() const { return m_dir->filePath(ClientStore::FileName); }
    ClientStore &openStore()
    {
        m_store = std::make_unique<ClientStore>(m_dir->path());
        m_store->open();
        return *m_store;
    }

private Q_SLOTS:
    void init() { m_dir = std::make_unique<WorkingDirectory>(); }
    void cleanup()
    {
        m_store.reset();
        m_dir.reset();
    }

    void freshDirectoryGetsTheSchema()
    {
        ClientStore &store = openStore();
        QVERIFY(QFile::exists(dbPath()));
        QCOMPARE(store.listVersion(), QStringLiteral("000"));
        QVERIFY(!store.readRegistration().has_value());
        QVERIFY(store.recipientNames().isEmpty());
        QVERIFY(store.cannedTexts().isEmpty());
    }

    // The demo script builds its database from the same file, so the client
    // must run every statement of it as written.
    void freshDatabaseHasTheTablesOfTheSchemaFile()
    {
        QFile file(QStringLiteral(QUORVEL_SCHEMA_FILE));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        const QString schemaFile = QString::fromUtf8(file.readAll());
        openStore();
        QStringList tables;
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("probe"));
            db.setDatabaseName(dbPath());
            QVERIFY(db.open());
            QSqlQuery query(QStringLiteral("SELECT sql FROM sqlite_master WHERE type='table'"), db);
            while (query.next())
                tables.append(query.value(0).toString());
        }
        QSqlDatabase::removeDatabase(QStringLiteral("probe"));
        QCOMPARE(tables.size(), int(schemaFile.count(QStringLiteral("CREATE TABLE"))));
        for (const QString &table : tables)
            QVERIFY2(schemaFile.contains(table + u';'), qPrintable(table));
    }

    void seededFileIsUsedAsItIs()
    {
        runOn(dbPath(),
              Statements::schema() +
                  QStringList{
                      QStringLiteral("UPDATE Version SET version_num='017'"),
                      QStringLiteral("INSERT INTO ClientID VALUES ('DESK01', '127.0.0.1', 1024)")});
        ClientStore &store = openStore();
        QCOMPARE(store.listVersion(), QStringLiteral("017"));
        const auto registration = store.readRegistration();
        QVERIFY(registration.has_value());
        QCOMPARE(registration->clientName, QStringLiteral("DESK01"));
        QCOMPARE(registration->serverIp, QStringLiteral("127.0.0.1"));
        QCOMPARE(registration->serverPort, 1024);
    }

    void unusableFilesAreReportedAndKept_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<QString>("problem");
        QStringList withoutReport = Statements::schema();
        withoutReport.removeIf([](const QString &s) { return s.contains(u"TABLE report"); });
        // clang-format off
        QTest::newRow("not a database") << QByteArray("this is not a database file at all, just some text that is long enough") << QStringList() << QStringLiteral("not a readable database");
        QTest::newRow("missing table") << QByteArray() << withoutReport << QStringLiteral("has no table report");
        QTest::newRow("missing column") << QByteArray() << QStringList{QStringLiteral("CREATE TABLE ClientID (ClientName VARCHAR(12))")} << QStringLiteral("no column ServerIP");
        // clang-format on
    }
    void unusableFilesAreReportedAndKept()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, statements);
        QFETCH(QString, problem);
        if (statements.isEmpty())
            m_dir->write(ClientStore::FileName, content);
        else
            runOn(dbPath(), statements);
        const QByteArray before = fileHash(dbPath());

        const QString error = errorOf([this] { openStore(); });
        QVERIFY2(error.contains(problem), qPrintable(error));
        QVERIFY2(error.contains(dbPath()), qPrintable(error));
        QCOMPARE(fileHash(dbPath()), before);
    }

    void runSqlOpensOnlyWhatStartsWithSelect_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<bool>("open");
        // clang-format off
        QTest::newRow("select") << QStringLiteral("select * from canned") << true;
        QTest::newRow("mixed case") << QStringLiteral("Select * From canned") << true;
        QTest::newRow("delete") << QStringLiteral("DELETE FROM canned") << false;
        QTest::newRow("leading blank is executed") << QStringLiteral(" select * from canned") << false;
        // clang-format on
    }
    void runSqlOpensOnlyWhatStartsWithSelect()
    {
        QFETCH(QString, statement);
        QFETCH(bool, open);
        ClientStore &store = openStore();
        store.replaceCanned({QStringLiteral("one"), QStringLiteral("two")});
        RunSql(store.ADOQuery3(), statement);
        QCOMPARE(store.ADOQuery3().isOpen(), open);
        QCOMPARE(store.ADOQuery3().recordCount(), open ? 2 : 0);
    }

    void refusedStatementThrowsTheEngineText()
    {
        ClientStore &store = openStore();
        const QString error =
            errorOf([&] { RunSql(store.ADOQuery3(), QStringLiteral("select * from nowhere")); });
        QVERIFY2(error.contains(QStringLiteral("no such table")), qPrintable(error));
    }

    void valuesAreBoundNotPasted()
    {
        ClientStore &store = openStore();
        store.replaceRecipients({{QStringLiteral("0012"), QStringLiteral("O'Brien")},
                                 {QStringLiteral("0013"), QStringLiteral("x' OR '1'='1")}});
        store.replaceGroups({{QStringLiteral("G001"), QStringLiteral("Ann's team")}});
        QCOMPARE(store.recipientSerial(QStringLiteral("O'Brien")), QStringLiteral("0012"));
        QCOMPARE(store.groupSerial(QStringLiteral("Ann's team")), QStringLiteral("G001"));
        QVERIFY(!store.recipientSerial(QStringLiteral("' OR 1=1 --")).has_value());
        QCOMPARE(store.recipientNames().size(), 2);
    }

    void textColumnsAreCutToTheirWidths()
    {
        ClientStore &store = openStore();
        store.replaceRecipients({{QStringLiteral("0012Ann"), QString(25, u'n')}});
        store.replaceGroups({{QStringLiteral("G0010"), QString(21, u'g')}});
        store.replaceCanned({QString(60, u'c')});
        store.replaceRegistration(
            {QStringLiteral("ABCDEFGHIJKLMNO"), QStringLiteral("10.0.0.1"), 1024});
        QCOMPARE(store.recipientNames(), QStringList{QString(20, u'n')});
        QCOMPARE(store.recipientSerial(QString(20, u'n')), QStringLiteral("0012"));
        QCOMPARE(store.groupNames(), QStringList{QString(20, u'g')});
        QCOMPARE(store.cannedTexts(), QStringList{QString(50, u'c')});
        QCOMPARE(store.readRegistration()->clientName, QStringLiteral("ABCDEFGHIJKL"));
    }

    void textSurvivesAsLatin1()
    {
        ClientStore &store = openStore();
        const QString name = QString::fromLatin1("M\xFCller \xE9\xFF");
        store.replaceRecipients({{QStringLiteral("0012"), name}});
        QCOMPARE(store.recipientNames(), QStringList{name});
    }

    void pickListsComeInTheirOrder()
    {
        ClientStore &store = openStore();
        store.replaceRecipients({{QStringLiteral("0002"), QStringLiteral("Bob")},
                                 {QStringLiteral("0001"), QStringLiteral("Ann")}});
        store.replaceGroups({{QStringLiteral("G002"), QStringLiteral("Zulu")},
                             {QStringLiteral("G001"), QStringLiteral("Alpha")}});
        QCOMPARE(store.recipientNames(),
                 (QStringList{QStringLiteral("Ann"), QStringLiteral("Bob")}));
        QCOMPARE(store.groupNames(),
                 (QStringList{QStringLiteral("Zulu"), QStringLiteral("Alpha")}));
    }

    void failedReplacementKeepsTheOldRows()
    {
        ClientStore &store = openStore();
        store.replaceRecipients({{QStringLiteral("0001"), QStringLiteral("Ann")}});
        RunSql(store.ADOQuery3(),
               QStringLiteral(
                   "CREATE TRIGGER refuse BEFORE INSERT ON recipients "
                   "WHEN NEW.Recipient = 'boom' BEGIN SELECT RAISE(ABORT, 'refused'); END"));
        const QString error = errorOf([&] {
            store.replaceRecipients({{QStringLiteral("0002"), QStringLiteral("Bob")},
                                     {QStringLiteral("0003"), QStringLiteral("boom")}});
        });
        QVERIFY2(error.contains(QStringLiteral("refused")), qPrintable(error));
        QCOMPARE(store.recipientNames(), QStringList{QStringLiteral("Ann")});
    }

    void registrationIsReplacedWhole()
    {
        ClientStore &store = openStore();
        store.replaceRegistration({QStringLiteral("DESK01"), QStringLiteral("127.0.0.1"), 1024});
        store.replaceRegistration({QStringLiteral("DESK02"), QStringLiteral("10.1.1.1"), 2000});
        RunSql(store.ADOQuery3(), Statements::SelectClientIdOnSettings);
        QCOMPARE(store.ADOQuery3().recordCount(), 1);
        QCOMPARE(store.readRegistrationForSettings()->clientName, QStringLiteral("DESK02"));
    }

    void listVersion()
    {
        ClientStore &store = openStore();
        store.setListVersion(QStringLiteral("017"));
        QCOMPARE(store.listVersion(), QStringLiteral("017"));
        QCOMPARE(store.listVersionForSettings(), std::optional<QString>(QStringLiteral("017")));
        RunSql(store.ADOQuery3(), QStringLiteral("DELETE FROM Version"));
        QCOMPARE(store.listVersion(), QString());
        QVERIFY(!store.listVersionForSettings().has_value());
    }

    void reportRowsStayOpenForTheGrid()
    {
        ClientStore &store = openStore();
        const ReportRecord first{QStringLiteral("DESK01"), QStringLiteral("Ann"),
                                 QStringLiteral("2014/01/21 09:05:07"), QStringLiteral("OK"),
                                 QStringLiteral("Hi")};
        ReportRecord second = first;
        second.sendTime = QStringLiteral("not a time");
        store.startReport({first});
        store.appendReport({second});
        ReportRows &report = store.adoQReport();
        QVERIFY(report.isOpen());
        QCOMPARE(report.recordCount(), 2);
        QCOMPARE(report.value(0, report.columnIndex(QStringLiteral("sendtime"))).toString(),
                 QStringLiteral("2014-01-21 09:05:07"));
        QCOMPARE(report.value(1, report.columnIndex(QStringLiteral("sendtime"))).toString(),
                 QStringLiteral("not a time"));

        store.startReport({});
        QCOMPARE(report.recordCount(), 0);
        store.clearReport();
        QVERIFY(!report.isOpen());
    }

    // Rows straight from the frame's bytes: single-byte text above 0x7F and
    // send times in other forms are converted, the rest stored as it lies.
    void reportRowsFromTheWire()
    {
        ClientStore &store = openStore();
        const QByteArray recipient("Empf\xe4nger");
        const QByteArray message("Caf\xe9 at 9");
        store.startWireReport({{"DESK01", recipient, "2014-01-21 09:05:07", "OK", "plain"},
                               {"DESK01", "Ann", "21.01.2014 09:06", "OK", message}});
        store.appendWireReport({{"DESK01", "Bob", "no time", "Failed", "x"}});
        store.finishReport();
        ReportRows &report = store.adoQReport();
        QCOMPARE(report.recordCount(), 3);
        const auto text = [&report](int row, const char *column) {
            return report.value(row, report.columnIndex(QString::fromLatin1(column))).toString();
        };
        QCOMPARE(text(0, "recipient"), u"Empf\u00e4nger"_s);
        QCOMPARE(text(0, "sendtime"), u"2014-01-21 09:05:07"_s);
        QCOMPARE(text(1, "sendtime"), u"2014-01-21 09:06:00"_s);
        QCOMPARE(text(1, "message"), u"Caf\u00e9 at 9"_s);
        QCOMPARE(text(2, "sendtime"), u"no time"_s);
    }

    void reportSorts()
    {
        ClientStore &store = openStore();
        store.startReport(
            {{QStringLiteral("a"), QStringLiteral("r"), QStringLiteral("2014-01-02 00:00:00"),
              QStringLiteral("OK"), QStringLiteral("b")},
             {QStringLiteral("b"), QStringLiteral("r"), QStringLiteral("2014-01-01 00:00:00"),
              QStringLiteral("Failed"), QStringLiteral("a")}});
        ReportRows &report = store.adoQReport();
        report.sort(QStringLiteral("sendtime ASC"));
        QCOMPARE(report.value(0, 0).toString(), QStringLiteral("b"));
        report.sort(QStringLiteral("status DESC"));
        QCOMPARE(report.value(0, 0).toString(), QStringLiteral("a"));
        store.reopenReportOrderedBy(QStringLiteral("message"), true);
        QCOMPARE(report.value(0, 0).toString(), QStringLiteral("b"));
        QVERIFY(!errorOf([&] {
                     store.reopenReportOrderedBy(QStringLiteral("message; DROP TABLE report"),
                                                 true);
                 }).isEmpty());
    }

    void closingMarksRowsWithoutStatus()
    {
        ClientStore &store = openStore();
        RunSql(store.ADOQuery3(),
               QStringLiteral("INSERT INTO report VALUES ('a','r','2014-01-01 08:00:00',NULL,'m'),"
                              "('b','r','2014-01-01 08:00:00','OK','m')"));
        store.markOfflineReportRows(QDateTime(QDate(2014, 1, 21), QTime(9, 5, 7)));
        RunSql(store.ADOQuery3(), QStringLiteral("select * from report order by sender"));
        QueryObject &q = store.ADOQuery3();
        q.first();
        QCOMPARE(q.fieldText(QStringLiteral("status")), QStringLiteral("Client(OFF Line)"));
        QCOMPARE(q.fieldText(QStringLiteral("sendtime")), QStringLiteral("2014-01-21 09:05:07"));
        q.next();
        QCOMPARE(q.fieldText(QStringLiteral("status")), QStringLiteral("OK"));
        QCOMPARE(q.fieldText(QStringLiteral("sendtime")), QStringLiteral("2014-01-01 08:00:00"));
    }
};

QTEST_GUILESS_MAIN(TestClientStore)
#include "test_client_store.moc"
