// Server-frame bodies: lists, canned messages, report parts, and bytes that
// break the layout. The parser must never read past what it is given.
#include "ServerFrameBuilder.h"
#include "link/FrameFormat.h"
#include "link/ServerFrameParser.h"

#include <QTest>

using namespace ServerFrameParser;

namespace {

const QString Desk = QStringLiteral("DESK01");

// The 22 bytes in front of every list body: envelope start, type, version.
QByteArray head(char type, const QByteArray &version = "017")
{
    return ServerFrameBuilder::frame(Desk, type, version).left(22);
}

QByteArray record24(const QByteArray &serial, const QByteArray &name)
{
    QByteArray r = serial.left(4) + QByteArray(4 - qMin<qsizetype>(4, serial.size()), '\0');
    r += name.left(20) + QByteArray(20 - qMin<qsizetype>(20, name.size()), '\0');
    return r;
}

QList<ReportRecord> makeRecords(int count)
{
    QList<ReportRecord> records;
    for (int i = 0; i < count; ++i)
        records.append({QStringLiteral("DESK01"), QStringLiteral("Ann %1").arg(i),
                        QStringLiteral("2014-01-21 09:05:07"), QStringLiteral("OK"),
                        QStringLiteral("message %1").arg(i)});
    return records;
}

} // namespace

class TestServerFrameParser : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void listsWithTwoRecipientsAndNoGroups()
    {
        const QByteArray frame =
            head('p') + record24("0012", "Ann") + record24("0013", "Bob") + char(0xFF);
        const ListsFrame lists = parseLists(frame);
        QCOMPARE(lists.version, QStringLiteral("017"));
        QCOMPARE(lists.recipients,
                 (QList<ListRecord>{{QStringLiteral("0012"), QStringLiteral("Ann")},
                                    {QStringLiteral("0013"), QStringLiteral("Bob")}}));
        QVERIFY(!lists.groups.has_value());
        QVERIFY(!lists.malformed);
        QCOMPARE(lists.end, frame.size());
    }

    void listsWithGroups()
    {
        const QByteArray frame = head('p') + record24("0012", "Ann") + char(0xFE) +
                                 record24("G001", "Night shift") + char(0xFF) + "trailing";
        const ListsFrame lists = parseLists(frame);
        QCOMPARE(lists.recipients.size(), 1);
        QVERIFY(lists.groups.has_value());
        QCOMPARE(*lists.groups,
                 (QList<ListRecord>{{QStringLiteral("G001"), QStringLiteral("Night shift")}}));
        QCOMPARE(lists.end, 22 + 24 + 1 + 24 + 1);
    }

    void listNamesAreCutAndMarkersInsideRecordsAreData()
    {
        // 20-character name directly followed by the next record; a 0xFE inside
        // a record is not a marker.
        QByteArray name20 = "ABCDEFGHIJKLMNOPQRST";
        QByteArray second = record24("00\xFE"
                                     "1",
                                     "Bea");
        const QByteArray frame = head('p') + record24("0012", name20) + second + char(0xFF);
        const ListsFrame lists = parseLists(frame);
        QCOMPARE(lists.recipients.size(), 2);
        QCOMPARE(lists.recipients.at(0).name, QString::fromLatin1(name20));
        QCOMPARE(lists.recipients.at(1).serial, QStringLiteral("00\u00FE1"));
    }

    void emptyLists_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("hasGroups");
        // clang-format off
        QTest::newRow("0xFF at 22: no recipients, groups untouched") << QByteArray("\xFF")     << false;
        QTest::newRow("0xFE 0xFF: no recipients, no groups")         << QByteArray("\xFE\xFF") << true;
        // clang-format on
    }
    void emptyLists()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, hasGroups);
        const ListsFrame lists = parseLists(QByteArray(head('p') + body));
        QVERIFY(lists.recipients.isEmpty());
        QCOMPARE(lists.groups.has_value(), hasGroups);
        if (hasGroups)
            QVERIFY(lists.groups->isEmpty());
        QVERIFY(!lists.malformed);
    }

    void canned()
    {
        QByteArray fifty(50, 'x');
        QByteArray slot = QByteArray("Fire drill at 10") + QByteArray(34, '\0');
        const CannedFrame c = parseCanned(QByteArray(head('c') + slot + fifty + char(0xFE)));
        QCOMPARE(c.texts, (QStringList{QStringLiteral("Fire drill at 10"), QString(50, u'x')}));
        QVERIFY(!c.malformed);
        QVERIFY(parseCanned(QByteArray(head('c') + char(0xFF))).texts.isEmpty());
    }

    void reportOf85RecordsInThreeParts()
    {
        const QList<ReportRecord> records = makeRecords(85);
        const QList<QByteArray> parts = ServerFrameBuilder::reportParts(Desk, records);
        QCOMPARE(parts.size(), 3);
        QList<ReportRecord> read;
        const std::uint8_t codes[] = {1, 2, 2};
        const bool lastFlags[] = {false, false, true};
        for (int i = 0; i < 3; ++i) {
            const ReportPart part = parseReportPart(parts.at(i));
            QCOMPARE(part.partCode, codes[i]);
            QCOMPARE(part.last, lastFlags[i]);
            QVERIFY(!part.malformed);
            read += part.records;
        }
        QCOMPARE(read, records);
    }

    void reportPartCodeZeroReadsNothing()
    {
        const ReportPart part = parseReportPart(ServerFrameBuilder::reportParts(Desk, {}).first());
        QCOMPARE(part.partCode, std::uint8_t(0));
        QVERIFY(part.records.isEmpty());
        QVERIFY(!part.malformed);
    }

    void lastPartWithoutRecords()
    {
        QByteArray frame = head('h') + char(1) + char(0xFF);
        const ReportPart part = parseReportPart(frame);
        QVERIFY(part.last);
        QVERIFY(part.records.isEmpty());
        QVERIFY(!part.malformed);
    }

    void reportFieldsKeepLatin1Bytes()
    {
        const QByteArray rec = "D\xE9sk\xFD"
                               "Ann\xFD"
                               "2014-01-21 09:05:07\xFD"
                               "OK\xFD"
                               "Caf\xE9\xFE";
        const ReportPart part = parseReportPart(QByteArray(head('h') + char(1) + rec + char(0xFF)));
        QCOMPARE(part.records.size(), 1);
        QCOMPARE(part.records.first().sender, QStringLiteral("D\u00E9sk"));
        QCOMPARE(part.records.first().message, QStringLiteral("Caf\u00E9"));
    }

    // Whatever arrives, the parsers return what was complete and say so.
    void malformedInput_data()
    {
        QTest::addColumn<char>("type");
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<int>("completeRecords");

        const QByteArray good = "a\xFD"
                                "b\xFD"
                                "2014-01-01 00:00:00\xFD"
                                "s\xFD"
                                "m\xFE";
        // clang-format off
        QTest::newRow("empty")                                  << 'h' << QByteArray()                                                                         << 0;
        QTest::newRow("shorter than 19")                        << 'p' << QByteArray(10, 'x')                                                                  << 0;
        QTest::newRow("p without any marker")                   << 'p' << QByteArray(head('p') + record24("0012", "Ann"))                                      << 1;
        QTest::newRow("p cut inside a record")                  << 'p' << QByteArray(head('p') + QByteArray("0012An"))                                         << 0;
        QTest::newRow("p groups without end")                   << 'p' << QByteArray(head('p') + char(0xFE) + record24("G1", "x"))                             << 1;
        QTest::newRow("c cut inside a slot")                    << 'c' << QByteArray(head('c') + QByteArray(30, 'x'))                                          << 0;
        QTest::newRow("h no part code")                         << 'h' << head('h')                                                                            << 0;
        QTest::newRow("h missing separator")                    << 'h' << QByteArray(head('h') + char(1) + good + "x\xFDy" + char(0xFF))                       << 1;
        QTest::newRow("h field over 299 bytes")                 << 'h' << QByteArray(head('h') + char(1) + good + QByteArray(300, 'x') + "\xFDy" + char(0xFF)) << 1;
        QTest::newRow("h wrong separator")                      << 'h' << QByteArray(head('h') + char(1) + "a\xFE" + char(0xFF))                               << 0;
        QTest::newRow("h full part with fewer than 40 records") << 'h' << QByteArray(head('h') + char(1) + good + '\0' + good + '\0')                          << 2;
        QTest::newRow("h truncated full part")                  << 'h' << QByteArray(head('h') + char(2) + "abc")                                              << 0;
        // clang-format on
    }
    void malformedInput()
    {
        QFETCH(char, type);
        QFETCH(QByteArray, frame);
        QFETCH(int, completeRecords);
        // A heap copy of exactly these bytes, so that the sanitizers catch any over-read.
        const std::unique_ptr<char[]> exact(new char[std::max<qsizetype>(1, frame.size())]);
        std::copy(frame.cbegin(), frame.cend(), exact.get());
        const QByteArrayView bytes(exact.get(), frame.size());

        bool malformed = false;
        int records = 0;
        if (type == 'p') {
            const ListsFrame lists = parseLists(bytes);
            malformed = lists.malformed;
            records = int(lists.recipients.size() + (lists.groups ? lists.groups->size() : 0));
        } else if (type == 'c') {
            const CannedFrame c = parseCanned(bytes);
            malformed = c.malformed;
            records = int(c.texts.size());
        } else {
            const ReportPart part = parseReportPart(bytes);
            malformed = part.malformed;
            records = int(part.records.size());
        }
        QVERIFY(malformed);
        QCOMPARE(records, completeRecords);
        QVERIFY(!frameType(bytes).has_value() || frame.size() >= 19);
    }

    void oneByteAnswers()
    {
        QCOMPARE(byteAt(ServerFrameBuilder::listVersionNotice(Desk, '1'), NoticeStatusOffset),
                 std::optional<std::uint8_t>('1'));
        QCOMPARE(byteAt(ServerFrameBuilder::transmissionResult(Desk, 3), FailureCountOffset),
                 std::optional<std::uint8_t>(3));
        QCOMPARE(frameType(ServerFrameBuilder::closeGrant(Desk, '1')), std::optional<char>('o'));
        QVERIFY(!byteAt(QByteArray(22, 'x'), NoticeStatusOffset).has_value());
        QVERIFY(!frameType(QByteArray(18, 'x')).has_value());
    }
};

QTEST_GUILESS_MAIN(TestServerFrameParser)
#include "test_server_frame_parser.moc"
