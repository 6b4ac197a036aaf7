// The simulated paging server: reading client frames, its answers, its data
// file, and the server over loopback.
#include "ClientFrameReader.h"
#include "DataFile.h"
#include "DataFileWatcher.h"
#include "GoldenFrames.h"
#include "ManualClock.h"
#include "ServerFrameBuilder.h"
#include "ServerLogic.h"
#include "SimulatedServer.h"
#include "link/FrameFormat.h"
#include "link/ServerFrameParser.h"

#include <QFile>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using ClientFrameReader::Status;

namespace {

const QString Desk = u"DESK01"_s;

using GoldenFrames::hex;

// Any client frame with a correct checksum, as the client would build it.
QByteArray clientFrame(char type, const QByteArray &body, const char *header = "TZQVC")
{
    QByteArray bytes =
        FrameFormat::StartByte + QByteArray(header) + FrameFormat::clientIdField(Desk);
    bytes += type + body;
    const std::uint16_t sum = FrameFormat::checksum(bytes);
    return bytes + char(sum >> 8) + char(sum & 0xFF) + FrameFormat::EndByte;
}

QByteArray pageFrame(const QByteArray &version, const QByteArray &slots, const QByteArray &text)
{
    return clientFrame('A', '0' + version + slots + char(0xFE) + text + char(0xFF));
}

DataSet smallData()
{
    DataSet data;
    data.version = u"017"_s;
    data.recipients = {{u"0012"_s, u"Ann"_s}, {u"0013"_s, u"Ben"_s}, {u"0014"_s, u"Cid"_s}};
    data.groups = {{{u"G001"_s, u"Night shift"_s}, {u"0012"_s, u"0013"_s}}};
    data.canned = {u"Call the desk"_s};
    data.failing = {u"0013"_s};
    data.pending = {u"0014"_s};
    data.maxClients = 2;
    return data;
}

ClientFrame frameOf(char type)
{
    ClientFrame frame;
    frame.type = type;
    frame.clientId = Desk;
    frame.listVersion = u"017"_s;
    frame.checksumOk = true;
    return frame;
}

ClientFrame reportQuery(const QString &from, const QString &to)
{
    ClientFrame frame = frameOf('H');
    frame.startDate = from;
    frame.endDate = to;
    return frame;
}

const QDateTime Now(QDate(2014, 1, 21), QTime(9, 5, 7));

// A client connection that records every read separately.
class Peer final {
public:
    explicit Peer(quint16 port)
    {
        QObject::connect(&socket, &QTcpSocket::readyRead,
                         [this] { reads.append(socket.readAll()); });
        socket.connectToHost(QHostAddress(QHostAddress::LocalHost), port);
        // The kernel completes the handshake; the server accepts later in the event loop.
        socket.waitForConnected();
    }
    void send(const QByteArray &bytes)
    {
        socket.write(bytes);
        socket.flush();
    }
    QByteArray received() const { return reads.join(); }

    QTcpSocket socket;
    QList<QByteArray> reads;
};

} // namespace

class TestSimulator : public QObject {
    Q_OBJECT

private:
    SimulatorState m_state;
    std::unique_ptr<SimulatedServer> m_server;

private Q_SLOTS:
    void init()
    {
        m_state = SimulatorState{smallData(), {}, {}};
        m_server = std::make_unique<SimulatedServer>();
        m_server->setDataSet(smallData());
        QVERIFY(m_server->listen(QHostAddress(QHostAddress::LocalHost), 0));
    }
    void cleanup() { m_server.reset(); }

    // --- reading client frames -------------------------------------------

    void completeOnlyWithTheLastByte_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<char>("type");
        // clang-format off
        QTest::newRow("R")                         << GoldenFrames::R                                 << 'R';
        QTest::newRow("P")                         << GoldenFrames::P                                 << 'P';
        QTest::newRow("C")                         << GoldenFrames::C                                 << 'C';
        QTest::newRow("O")                         << GoldenFrames::O                                 << 'O';
        QTest::newRow("S")                         << GoldenFrames::S                                 << 'S';
        QTest::newRow("A")                         << GoldenFrames::A                                 << 'A';
        QTest::newRow("H")                         << GoldenFrames::H                                 << 'H';
        QTest::newRow("A to nobody, empty text")   << pageFrame("017", {}, {})                        << 'A';
        QTest::newRow("A with 0xFE inside a slot") << pageFrame("017", hex("30FE3132 30303133"), "x") << 'A';
        // clang-format on
    }
    void completeOnlyWithTheLastByte()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(char, type);
        for (qsizetype n = 0; n < bytes.size(); ++n) {
            const QByteArray part = bytes.left(n); // a copy: nothing beyond it to read
            QCOMPARE(ClientFrameReader::measure(part).status, Status::NeedMore);
        }
        const ClientFrameReader::Extent extent = ClientFrameReader::measure(bytes);
        QCOMPARE(extent.status, Status::Complete);
        QCOMPARE(qsizetype(extent.length), bytes.size());
        const ClientFrame frame = ClientFrameReader::parse(bytes);
        QCOMPARE(frame.type, type);
        QCOMPARE(frame.clientId, Desk);
        QVERIFY(frame.checksumOk);
    }

    void parsesTheFieldsOfEachType()
    {
        const ClientFrame r = ClientFrameReader::parse(GoldenFrames::R);
        QCOMPARE(r.header, QByteArray("TZQVS"));
        QCOMPARE(r.listVersion, u"017"_s);
        QCOMPARE(r.registrationFlag, '0');

        const ClientFrame a = ClientFrameReader::parse(GoldenFrames::A);
        QCOMPARE(a.header, QByteArray("TZQVC"));
        QCOMPARE(a.listVersion, u"017"_s);
        QCOMPARE(a.recipientSlots, QList<QByteArray>{"0012"});
        QCOMPARE(a.pageText, u"From Ann:\r\nHi"_s);

        const ClientFrame everybody = ClientFrameReader::parse(pageFrame("017", {"999\0", 4}, "x"));
        QCOMPARE(everybody.recipientSlots, QList<QByteArray>{ClientFrame::everybodySlot()});

        const ClientFrame h = ClientFrameReader::parse(GoldenFrames::H);
        QCOMPARE(h.startDate, u"20140101"_s);
        QCOMPARE(h.endDate, u"20140331"_s);

        QByteArray twelve = GoldenFrames::P;
        twelve.replace(6, 12, "ABCDEFGHIJKL");
        QCOMPARE(ClientFrameReader::parse(twelve).clientId, u"ABCDEFGHIJKL"_s);
    }

    void wrongChecksumIsReported()
    {
        QByteArray bytes = GoldenFrames::A;
        bytes[bytes.size() - 2] = char(bytes.at(bytes.size() - 2) ^ 1);
        QCOMPARE(ClientFrameReader::measure(bytes).status, Status::Complete);
        QVERIFY(!ClientFrameReader::parse(bytes).checksumOk);
    }

    void framesBackToBack()
    {
        QByteArray stream = GoldenFrames::P + GoldenFrames::A + GoldenFrames::H.left(30);
        QList<int> lengths;
        ClientFrameReader::Extent extent;
        while ((extent = ClientFrameReader::measure(stream)).status == Status::Complete) {
            lengths.append(extent.length);
            stream.remove(0, extent.length);
        }
        QCOMPARE(lengths, (QList<int>{25, 45}));
        QCOMPARE(extent.status, Status::NeedMore);
    }

    void garbage_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray text(ClientFrameReader::MaxFrameSize, 'x');
        // clang-format off
        QTest::newRow("wrong start byte")      << QByteArray("\x02TZQVS");
        QTest::newRow("unknown type")          << clientFrame('Z', "017");
        QTest::newRow("server frame type")     << clientFrame('p', "017");
        QTest::newRow("no end byte")           << GoldenFrames::P.left(24) + '\x03';
        QTest::newRow("A without separator")   << clientFrame('A', "0017" + text).left(8192);
        QTest::newRow("A without end of text") << clientFrame('A', QByteArray("00170012") + char(0xFE) + text).left(8192);
        // 28 bytes of frame around the text: one byte over the limit.
        QTest::newRow("A of 8193 bytes")       << pageFrame("017", {}, text.left(8165));
        // clang-format on
    }
    void garbage()
    {
        QFETCH(QByteArray, bytes);
        QCOMPARE(ClientFrameReader::measure(bytes).status, Status::Garbage);
    }

    void pageOfExactlyTheLimitIsComplete()
    {
        const QByteArray bytes = pageFrame("017", {}, QByteArray(8164, 'x'));
        QCOMPARE(bytes.size(), 8192);
        QCOMPARE(ClientFrameReader::measure(bytes).length, 8192);
    }

    // --- the server's answers ----------------------------------------------

    void registration_data()
    {
        QTest::addColumn<char>("flag");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<char>("result");
        QTest::addColumn<QStringList>("after");
        const QStringList full = {u"A"_s, u"B"_s};
        const QStringList one = {u"A"_s};
        const QStringList desk = {Desk};
        // clang-format off
        QTest::newRow("new, accepted")               << '1' << QStringList()             << '1' << desk;
        QTest::newRow("new, ID in use")              << '1' << desk                      << '0' << desk;
        QTest::newRow("new, server full")            << '1' << full                      << '2' << full;
        QTest::newRow("sign-on, known while full")   << '0' << QStringList{u"A"_s, Desk} << '1' << QStringList{u"A"_s, Desk};
        QTest::newRow("sign-on, unknown registers")  << '0' << one                       << '1' << QStringList{u"A"_s, Desk};
        QTest::newRow("sign-on, unknown while full") << '0' << full                      << '2' << full;
        // clang-format on
    }
    void registration()
    {
        QFETCH(char, flag);
        QFETCH(QStringList, before);
        QFETCH(char, result);
        QFETCH(QStringList, after);
        m_state.registered = before;
        ClientFrame frame = frameOf('R');
        frame.registrationFlag = flag;
        const ServerLogic::Reply reply = ServerLogic::answer(m_state, frame, Now);
        QCOMPARE(reply.frames,
                 QList<QByteArray>{ServerFrameBuilder::registrationResult(Desk, result)});
        QCOMPARE(m_state.registered, after);
    }

    void pageStoresOneRowPerDelivery()
    {
        ClientFrame page = frameOf('A');
        page.recipientSlots = {"0014", "G001"};
        page.pageText = u"From Ann:\r\nHi"_s;
        const ServerLogic::Reply reply = ServerLogic::answer(m_state, page, Now);
        QCOMPARE(reply.frames,
                 (QList<QByteArray>{ServerFrameBuilder::listVersionNotice(Desk, '0'),
                                    ServerFrameBuilder::transmissionResult(Desk, 1)}));
        const QString time = u"2014-01-21 09:05:07"_s;
        QCOMPARE(m_state.report, (QList<ReportRecord>{
                                     {Desk, u"Cid"_s, time, QString(), page.pageText},
                                     {Desk, u"Ann"_s, time, u"OK"_s, page.pageText},
                                     {Desk, u"Ben"_s, time, u"Failed"_s, page.pageText},
                                 }));
    }

    void failedSlots_data()
    {
        QTest::addColumn<QList<QByteArray>>("slots");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("failed");
        // clang-format off
        QTest::newRow("person")                      << QList<QByteArray>{"0012"}                         << 1 << 0;
        QTest::newRow("failing person")              << QList<QByteArray>{"0013"}                         << 1 << 1;
        QTest::newRow("pending person")              << QList<QByteArray>{"0014"}                         << 1 << 0;
        QTest::newRow("group with a failing member") << QList<QByteArray>{"G001"}                         << 2 << 1;
        QTest::newRow("everybody")                   << QList<QByteArray>{ClientFrame::everybodySlot()}   << 3 << 1;
        QTest::newRow("unknown serial")              << QList<QByteArray>{"0099"}                         << 1 << 1;
        QTest::newRow("several")                     << QList<QByteArray>{"0012", "0013", "G001", "0099"} << 5 << 3;
        // clang-format on
    }
    void failedSlots()
    {
        QFETCH(QList<QByteArray>, slots);
        QFETCH(int, rows);
        QFETCH(int, failed);
        ClientFrame page = frameOf('A');
        page.recipientSlots = slots;
        const ServerLogic::Reply reply = ServerLogic::answer(m_state, page, Now);
        QCOMPARE(reply.frames.size(), 2);
        QCOMPARE(reply.frames.at(0), ServerFrameBuilder::listVersionNotice(Desk, '0'));
        QCOMPARE(reply.frames.at(1), ServerFrameBuilder::transmissionResult(Desk, failed));
        QCOMPARE(m_state.report.size(), rows);
    }

    void pageWithAnotherVersion_data()
    {
        QTest::addColumn<char>("notice");
        // clang-format off
        QTest::newRow("choose again")    << '1';
        QTest::newRow("fetch the lists") << '2';
        // clang-format on
    }
    void pageWithAnotherVersion()
    {
        QFETCH(char, notice);
        m_state.data.noticeStatus = notice;
        ClientFrame page = frameOf('A');
        page.listVersion = u"016"_s;
        page.recipientSlots = {"0012"};
        const ServerLogic::Reply reply = ServerLogic::answer(m_state, page, Now);
        QCOMPARE(reply.frames,
                 QList<QByteArray>{ServerFrameBuilder::listVersionNotice(Desk, notice)});
        QVERIFY(m_state.report.isEmpty());
    }

    void reportInPartsOf40()
    {
        const auto row = [](QDate day, int n) {
            return ReportRecord{Desk, u"Ann"_s, day.toString(u"yyyy-MM-dd") + u" 12:00:00"_s,
                                u"OK"_s, QString::number(n)};
        };
        QList<ReportRecord> inRange;
        m_state.report.append(row(QDate(2013, 12, 31), -1));
        for (int n = 0; n < 85; ++n) {
            inRange.append(row(QDate(2014, 1, 1).addDays(n * 89 / 84), n)); // 01-01 .. 03-31
            m_state.report.append(inRange.last());
        }
        m_state.report.append(row(QDate(2014, 4, 1), -2));

        const ServerLogic::Reply reply =
            ServerLogic::answer(m_state, reportQuery(u"20140101"_s, u"20140331"_s), Now);
        QCOMPARE(reply.frames.size(), 3);
        QList<ReportRecord> read;
        QList<int> counts;
        for (const QByteArray &frame : reply.frames) {
            const ServerFrameParser::ReportPart part = ServerFrameParser::parseReportPart(frame);
            QVERIFY(!part.malformed);
            QCOMPARE(part.last, &frame == &reply.frames.last());
            counts.append(part.records.size());
            read += part.records;
        }
        QCOMPARE(counts, (QList<int>{40, 40, 5}));
        QCOMPARE(read, inRange);
    }

    void emptyReport_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        // clang-format off
        QTest::newRow("no rows in range") << u"20150101"_s << u"20150331"_s;
        QTest::newRow("end before start") << u"20140131"_s << u"20140101"_s;
        QTest::newRow("not a date")       << u"2014013x"_s << u"20140131"_s;
        // clang-format on
    }
    void emptyReport()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        m_state.report = {{Desk, u"Ann"_s, u"2014-01-21 09:05:07"_s, u"OK"_s, u"Hi"_s}};
        const ServerLogic::Reply reply = ServerLogic::answer(m_state, reportQuery(from, to), Now);
        QCOMPARE(reply.frames.size(), 1);
        QCOMPARE(ServerFrameParser::parseReportPart(reply.frames.first()).partCode,
                 std::uint8_t(0));
    }

    void longMessagesAreCutToFitTheClientBuffer()
    {
        const QString message(276, u'm');
        for (int n = 0; n < 41; ++n)
            m_state.report.append({u"ABCDEFGHIJKL"_s, u"Twenty characters !!"_s,
                                   u"2014-01-21 09:05:07"_s, u"Failed"_s, message});
        const ServerLogic::Reply reply =
            ServerLogic::answer(m_state, reportQuery(u"20140101"_s, u"20140131"_s), Now);
        QCOMPARE(reply.frames.size(), 2);
        const ServerFrameParser::ReportPart full =
            ServerFrameParser::parseReportPart(reply.frames[0]);
        QVERIFY(reply.frames[0].size() <= ClientFrameReader::MaxFrameSize);
        QCOMPARE(full.records.size(), 40);
        QVERIFY(full.records.first().message.size() > 100);
        QVERIFY(message.startsWith(full.records.first().message));
        // The last part has room for its one record whole.
        QCOMPARE(ServerFrameParser::parseReportPart(reply.frames[1]).records.first().message,
                 message);
    }

    void otherRequests_data()
    {
        const DataSet data = smallData();
        QTest::addColumn<char>("type");
        QTest::addColumn<QList<QByteArray>>("frames");
        // clang-format off
        QTest::newRow("P") << 'P' << QList<QByteArray>{ServerFrameBuilder::lists(Desk, u"017"_s, data.recipients, data.groupRecords())};
        QTest::newRow("C") << 'C' << QList<QByteArray>{ServerFrameBuilder::canned(Desk, data.canned)};
        QTest::newRow("O") << 'O' << QList<QByteArray>{ServerFrameBuilder::closeGrant(Desk, '1')};
        QTest::newRow("S") << 'S' << QList<QByteArray>();
        // clang-format on
    }
    void otherRequests()
    {
        QFETCH(char, type);
        QFETCH(QList<QByteArray>, frames);
        const ServerLogic::Reply reply = ServerLogic::answer(m_state, frameOf(type), Now);
        QCOMPARE(reply.frames, frames);
        QVERIFY(!reply.closeConnection);
    }

    void wrongChecksumClosesWithoutAnswer()
    {
        ClientFrame frame = frameOf('R');
        frame.registrationFlag = '1';
        frame.checksumOk = false;
        const ServerLogic::Reply reply = ServerLogic::answer(m_state, frame, Now);
        QVERIFY(reply.closeConnection);
        QVERIFY(reply.frames.isEmpty());
        QVERIFY(m_state.registered.isEmpty());
    }

    // --- over loopback ----------------------------------------------------

    void answersFramesInTurn()
    {
        QSignalSpy received(m_server.get(), &SimulatedServer::frameReceived);
        Peer peer(m_server->serverPort());
        peer.send(GoldenFrames::P + GoldenFrames::C);
        const DataSet data = smallData();
        const QByteArray expected =
            ServerFrameBuilder::lists(Desk, data.version, data.recipients, data.groupRecords()) +
            ServerFrameBuilder::canned(Desk, data.canned);
        QTRY_COMPARE(peer.received(), expected);
        QCOMPARE(received.size(), 2);
        QCOMPARE(received.at(0).at(0).value<ClientFrame>().type, 'P');
        QCOMPARE(received.at(1).at(0).value<ClientFrame>().clientId, Desk);
    }

    void splitModeDeliversPieces()
    {
        m_server->setWriteMode(SimulatedServer::WriteMode::Split, 7);
        Peer peer(m_server->serverPort());
        peer.send(GoldenFrames::P);
        const DataSet data = smallData();
        QTRY_COMPARE(peer.received(), ServerFrameBuilder::lists(Desk, data.version, data.recipients,
                                                                data.groupRecords()));
        QVERIFY2(peer.reads.size() > 1, "the answer arrived in one read");
    }

    void mergedModeDeliversAllAnswersInOneRead()
    {
        ManualClock clock;
        m_server->setClock([&clock] { return clock.now(); });
        m_server->setWriteMode(SimulatedServer::WriteMode::Merged);
        Peer peer(m_server->serverPort());
        peer.send(GoldenFrames::A);
        QTRY_VERIFY(!peer.reads.isEmpty());
        QCOMPARE(peer.reads.first(), ServerFrameBuilder::listVersionNotice(Desk, '0') +
                                         ServerFrameBuilder::transmissionResult(Desk, 0));
        QCOMPARE(m_server->state().report.size(), 1);
        QCOMPARE(m_server->state().report.first().sendTime, u"2014-01-21 09:05:07"_s);
    }

    void preparedAnswerReplacesTheNextOnly()
    {
        const QByteArray odd = ServerFrameBuilder::frame(Desk, 'x', "000");
        m_server->setNextAnswer('O', odd);
        Peer peer(m_server->serverPort());
        peer.send(GoldenFrames::O);
        QTRY_COMPARE(peer.received(), odd);
        peer.send(GoldenFrames::O);
        QTRY_COMPARE(peer.received(), odd + ServerFrameBuilder::closeGrant(Desk, '1'));
    }

    void garbageDropsTheConnection()
    {
        QSignalSpy dropped(m_server.get(), &SimulatedServer::connectionDropped);
        Peer peer(m_server->serverPort());
        QSignalSpy closed(&peer.socket, &QTcpSocket::disconnected);
        peer.send(clientFrame('Z', "017"));
        QTRY_COMPARE(closed.size(), 1);
        QCOMPARE(dropped.size(), 1);
        QVERIFY(peer.reads.isEmpty());
    }

    // --- the data file ----------------------------------------------------

    void demoDataRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"demo.ini"_s);
        QString error;
        QVERIFY(DataFile::save(path, DataSet::demo(), error));
        const std::optional<DataSet> loaded = DataFile::load(path, error);
        QVERIFY2(loaded, qPrintable(error));
        QVERIFY(*loaded == DataSet::demo());
        QCOMPARE(loaded->recipients.size(), 12);
        QCOMPARE(loaded->failing.size(), 2);
    }

    void badFileIsRefused_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fault");
        const QString head = u"[lists]\nversion=017\n[recipients]\n0012=Ann\n"_s;
        QString many = head;
        for (int n = 0; n < 400; ++n)
            many += QStringLiteral("R%1=Name\n").arg(n, 3, 10, QLatin1Char('0'));
        // clang-format off
        QTest::newRow("no version")             << u"[recipients]\n0012=Ann\n"_s                 << u"no version"_s;
        QTest::newRow("two-digit version")      << u"[lists]\nversion=17\n"_s                    << u"three digits"_s;
        QTest::newRow("short serial")           << head + u"012=Bob\n"_s                         << u"not 4 letters"_s;
        QTest::newRow("name too long")          << head + u"0013=Twenty-one characters\n"_s      << u"0013"_s;
        QTest::newRow("unknown member")         << head + u"[groups]\nG001=Night: 0012,0099\n"_s << u"0099"_s;
        QTest::newRow("unknown failing")        << head + u"[settings]\nfail=0099\n"_s           << u"0099"_s;
        QTest::newRow("notice 3")               << head + u"[settings]\nnotice=3\n"_s            << u"line 6"_s;
        QTest::newRow("unknown section")        << head + u"[pagers]\n"_s                        << u"line 5"_s;
        QTest::newRow("canned too long")        << head + u"[canned]\n"_s + QString(51, u'c')    << u"50 characters"_s;
        QTest::newRow("too many for one frame") << many                                          << u"8192"_s;
        // clang-format on
    }
    void badFileIsRefused()
    {
        QFETCH(QString, text);
        QFETCH(QString, fault);
        QString error;
        QVERIFY(!DataFile::parse(text, error));
        QVERIFY2(error.contains(fault), qPrintable(error));
    }

    void changedFileIsReloaded()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"sim.ini"_s);
        QString error;
        QVERIFY(DataFile::save(path, smallData(), error));
        DataFileWatcher watcher(path);
        QVERIFY(watcher.load(error));
        QSignalSpy failed(&watcher, &DataFileWatcher::loadFailed);

        // Replaced by a new file, as editors and QSaveFile do.
        DataSet next = smallData();
        next.version = u"018"_s;
        QVERIFY(DataFile::save(path, next, error));
        QTRY_COMPARE(watcher.dataSet().version, u"018"_s);

        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("[lists]\nversion=19\n");
        file.close();
        QTRY_COMPARE(failed.size(), 1);
        QCOMPARE(watcher.dataSet().version, u"018"_s);

        // Written in place: the watch is still there.
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("[lists]\nversion=019\n");
        file.close();
        QTRY_COMPARE(watcher.dataSet().version, u"019"_s);
        QCOMPARE(failed.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestSimulator)
#include "test_simulator.moc"
