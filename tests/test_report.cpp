// The delivery report without windows: the date range a query may ask for
// and its frame H, send times as they are stored and shown, the report's
// rows read from the store as they are asked for, its sorting, and what the
// grid's cells show.
#include "GoldenFrames.h"
#include "WorkingDirectory.h"
#include "report/ReportBrowser.h"
#include "report/ReportQuery.h"
#include "report/ReportTableModel.h"
#include "store/ClientStore.h"
#include "store/SendTime.h"

#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QDateTime at(int year, int month, int day, int hour = 9, int minute = 5)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, 7));
}

ReportRecord row(const QString &sender, const QString &sendTime, const QString &status,
                 const QString &message)
{
    return {sender, u"Ann"_s, sendTime, status, message};
}

QList<ReportRecord> numbered(int count)
{
    QList<ReportRecord> records;
    for (int i = 0; i < count; ++i)
        records.append(
            row(u"DESK%1"_s.arg(i), u"2014-01-21 09:05:07"_s, u"OK"_s, u"message %1"_s.arg(i)));
    return records;
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WorkingDirectory> m_dir;
    std::unique_ptr<ClientStore> m_store;

    ClientStore &openStore()
    {
        m_dir = std::make_unique<WorkingDirectory>();
        m_store = std::make_unique<ClientStore>(m_dir->path());
        m_store->open();
        return *m_store;
    }
    // The senders of the open result, in its order.
    QStringList senders() const
    {
        QStringList result;
        ReportRows &rows = m_store->adoQReport();
        for (int i = 0; i < rows.recordCount(); ++i)
            result.append(rows.value(i, ReportRows::Sender).toString());
        return result;
    }

private Q_SLOTS:
    void cleanup()
    {
        m_store.reset();
        m_dir.reset();
    }

    void rangeChecks_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("end");
        QTest::addColumn<QString>("message"); // empty: the query may go
        const QString endFirst = u"Ending date must be later than starting date."_s;
        const QString tooLong = u"Data latest three months is traceable."_s;
        // clang-format off
        QTest::newRow("same day")               << at(2014, 1, 21) << at(2014, 1, 21)         << QString();
        QTest::newRow("one day back")           << at(2014, 1, 21) << at(2014, 1, 20)         << endFirst;
        QTest::newRow("a minute back")          << at(2014, 1, 21) << at(2014, 1, 21, 9, 4)   << endFirst;
        QTest::newRow("121 days")               << at(2014, 1, 1)  << at(2014, 5, 2)          << QString();
        QTest::newRow("122 days")               << at(2014, 1, 1)  << at(2014, 5, 3)          << tooLong;
        QTest::newRow("121 days 17 hours")      << at(2014, 1, 1)  << at(2014, 5, 3, 2, 5)    << QString();
        QTest::newRow("121 days 18 hours")      << at(2014, 1, 1)  << at(2014, 5, 3, 3, 5)    << tooLong;
        // clang-format on
    }
    void rangeChecks()
    {
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, end);
        QFETCH(QString, message);
        const std::optional<Message> problem = ReportQuery::rangeProblem(start, end);
        QCOMPARE(problem ? problem->defaultString() : QString(), message);
    }

    void queryFrameIsFortySevenBytes()
    {
        FrameBuffer buffer;
        buffer.SendBuffer.fill('x');
        std::array<char, 12> clientId{'D', 'E', 'S', 'K', '0', '1'};
        ReportQuery::BuildReportQuery(buffer, clientId, QDate(2014, 1, 1), QDate(2014, 3, 31));
        QCOMPARE(buffer.SendLength, ReportQuery::FrameSize);
        QCOMPARE(QByteArray(buffer.SendBuffer.data(), buffer.SendLength), GoldenFrames::H);
        // The rest of the buffer is cleared, not left from an earlier frame.
        QCOMPARE(buffer.SendBuffer.at(ReportQuery::FrameSize), '\0');
        QCOMPARE(buffer.SendBuffer.back(), '\0');
    }

    void sendTimesAreStoredInOneForm_data()
    {
        QTest::addColumn<QString>("wire");
        QTest::addColumn<QString>("stored");
        // clang-format off
        QTest::newRow("stored form")            << u"2014-01-21 09:05:07"_s     << u"2014-01-21 09:05:07"_s;
        QTest::newRow("slashes")                << u"2014/01/21 09:05:07"_s     << u"2014-01-21 09:05:07"_s;
        QTest::newRow("ISO with T")             << u"2014-01-21T09:05:07"_s     << u"2014-01-21 09:05:07"_s;
        QTest::newRow("short parts, points")    << u"2014.1.21 9:05"_s          << u"2014-01-21 09:05:00"_s;
        QTest::newRow("day first, slashes")     << u"21/01/2014 09:05:07"_s     << u"2014-01-21 09:05:07"_s;
        QTest::newRow("day first, dashes")      << u"21-01-2014 09:05"_s        << u"2014-01-21 09:05:00"_s;
        QTest::newRow("day first, date only")   << u"21.1.2014"_s               << u"2014-01-21 00:00:00"_s;
        QTest::newRow("fraction of a second")   << u"2014-01-21 09:05:07.250"_s << u"2014-01-21 09:05:07"_s;
        QTest::newRow("blanks around")          << u" 2014-01-21 09:05:07 "_s   << u"2014-01-21 09:05:07"_s;
        QTest::newRow("no such month")          << u"2014/13/01 10:00"_s        << u"2014/13/01 10:00"_s;
        QTest::newRow("no such day")            << u"31.02.2014"_s              << u"31.02.2014"_s;
        QTest::newRow("hour 24")                << u"2014-01-21 24:00"_s        << u"2014-01-21 24:00"_s;
        QTest::newRow("two-digit year")         << u"21/01/14 09:05"_s          << u"21/01/14 09:05"_s;
        QTest::newRow("mixed separators")       << u"2014-01/21"_s              << u"2014-01/21"_s;
        QTest::newRow("no date")                << u"not a time"_s              << u"not a time"_s;
        // clang-format on
    }
    void sendTimesAreStoredInOneForm()
    {
        QFETCH(QString, wire);
        QFETCH(QString, stored);
        QCOMPARE(ClientStore::normalisedSendTime(wire), stored);
        QCOMPARE(SendTime::shown(stored),
                 SendTime::isStoredDate(stored) ? QString(stored).replace(u'-', u'/') : stored);
    }

    void rowsAreReadAsAsked()
    {
        ClientStore &store = openStore();
        store.startReport(numbered(130));
        ReportRows &rows = store.adoQReport();
        QCOMPARE(rows.recordCount(), 130);
        for (const int i : {0, 63, 64, 129})
            QCOMPARE(rows.value(i, ReportRows::Message).toString(), u"message %1"_s.arg(i));
        QVERIFY(!rows.value(130, 0).isValid());
        QVERIFY(!rows.value(0, ReportRows::ColumnCount).isValid());

        // A row appended after its block was read is there too.
        store.appendReport({row(u"LAST"_s, u"2014-01-22 10:00:00"_s, u"OK"_s, u"m"_s)});
        QCOMPARE(rows.value(130, ReportRows::Sender).toString(), u"LAST"_s);
        QCOMPARE(rows.value(129, ReportRows::Sender).toString(), u"DESK129"_s);
        store.finishReport();

        store.clearReport();
        QVERIFY(!rows.isOpen());
        QCOMPARE(rows.recordCount(), 0);
    }

    void sortOrders_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("ascending");
        QTest::addColumn<QStringList>("order");
        // clang-format off
        QTest::newRow("send time ascending")  << int(ReportRows::SendTime) << true  << QStringList{u"b"_s, u"d"_s, u"a"_s, u"e"_s, u"c"_s};
        QTest::newRow("send time descending") << int(ReportRows::SendTime) << false << QStringList{u"a"_s, u"d"_s, u"b"_s, u"c"_s, u"e"_s};
        QTest::newRow("status ascending")     << int(ReportRows::Status)   << true  << QStringList{u"c"_s, u"b"_s, u"e"_s, u"a"_s, u"d"_s};
        QTest::newRow("status descending")    << int(ReportRows::Status)   << false << QStringList{u"a"_s, u"d"_s, u"b"_s, u"e"_s, u"c"_s};
        QTest::newRow("sender, any case")     << int(ReportRows::Sender)   << true  << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s};
        // clang-format on
    }
    void sortOrders()
    {
        QFETCH(int, column);
        QFETCH(bool, ascending);
        QFETCH(QStringList, order);
        ClientStore &store = openStore();
        // Send times in three forms, and two that are no date (one of them a
        // number to the database); one row with an empty status.
        store.startReport({row(u"a"_s, u"21.01.2014 10:00"_s, u"OK"_s, u"m1"_s),
                           row(u"B"_s, u"2014/01/20 23:59:59"_s, u"Failed"_s, u"m2"_s),
                           row(u"c"_s, u"unknown"_s, QString(), u"m3"_s),
                           row(u"D"_s, u"2014-01-21 09:05:07"_s, u"OK"_s, u"m4"_s),
                           row(u"e"_s, u"0815"_s, u"Failed"_s, u"m5"_s)});
        store.finishReport();
        store.adoQReport().sort(ReportRows::Column(column), ascending);
        QCOMPARE(senders().join(u',').toLower(), order.join(u','));
    }

    void modelFollowsTheStoredRows()
    {
        ClientStore &store = openStore();
        ReportTableModel model(store.adoQReport());
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.columnCount(), 5);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);

        store.startReport(numbered(40));
        QCOMPARE(model.rowCount(), 40);
        QCOMPARE(reset.size(), 1);
        QCOMPARE(inserted.size(), 1);
        store.appendReport(numbered(5));
        QCOMPARE(model.rowCount(), 45);
        QCOMPARE(inserted.last().at(1).toInt(), 40);
        QCOMPARE(inserted.last().at(2).toInt(), 44);
        QCOMPARE(model.index(44, ReportRows::SendTime).data().toString(), u"2014/01/21 09:05:07"_s);
        QCOMPARE(model.message(44), u"message 4"_s);
        store.finishReport();

        store.clearReport();
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(reset.size(), 2);
    }

    void cellTexts_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        // clang-format off
        QTest::newRow("25 characters")    << int(ReportRows::Message) << u"ABCDEFGHIJKLMNOPQRSTUVWXY"_s << u"ABCDEFGHIJKLMNOPQRST..."_s;
        QTest::newRow("20 characters")    << int(ReportRows::Message) << u"ABCDEFGHIJKLMNOPQRST"_s      << u"ABCDEFGHIJKLMNOPQRST"_s;
        QTest::newRow("21 characters")    << int(ReportRows::Message) << u"ABCDEFGHIJKLMNOPQRSTU"_s     << u"ABCDEFGHIJKLMNOPQRST..."_s;
        QTest::newRow("sender line")      << int(ReportRows::Message) << u"From Ann:\r\nHi"_s           << u"From Ann:  Hi"_s;
        QTest::newRow("long other column") << int(ReportRows::Recipient) << u"ABCDEFGHIJKLMNOPQRSTUVWXY"_s << u"ABCDEFGHIJKLMNOPQRSTUVWXY"_s;
        // clang-format on
    }
    void cellTexts()
    {
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(ReportBrowser::cellText(column, text), shown);
    }

    void titleMarkers_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("plain");
        // clang-format off
        QTest::newRow("ascending")      << u"Send Time \u25B2"_s << u"Send Time"_s;
        QTest::newRow("descending")     << u"Status \u25BC "_s   << u"Status"_s;
        QTest::newRow("no marker")      << u" Sender "_s         << u"Sender"_s;
        QTest::newRow("marker alone")   << u"\u25B2"_s           << QString();
        // clang-format on
    }
    void titleMarkers()
    {
        QFETCH(QString, title);
        QFETCH(QString, plain);
        QCOMPARE(ReportBrowser::withoutMarker(title), plain);
    }
};

QTEST_GUILESS_MAIN(TestReport)
#include "test_report.moc"
