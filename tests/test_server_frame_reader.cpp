// Where server frames end, however the stream is cut: layouts, closing
// bytes, extra bytes before a closing, unknown types, and report parts.
#include "FrameStream.h"
#include "ServerFrameBuilder.h"
#include "ServerFrames.h"
#include "link/FrameFormat.h"
#include "link/ServerFrameReader.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace ServerFrames;

namespace {

// Byte views of whole pieces, for the reader.
QList<QByteArray> readAll(const QList<QByteArray> &pieces)
{
    return readFrames(QList<QByteArrayView>(pieces.cbegin(), pieces.cend()));
}

} // namespace

class TestServerFrameReader : public QObject {
    Q_OBJECT

private:
    const QByteArray notice = ServerFrameBuilder::listVersionNotice(ClientId, '1');
    const QByteArray lists =
        ServerFrameBuilder::lists(ClientId, u"017"_s, {{u"0001"_s, u"Anna"_s}}, std::nullopt);
    const QByteArray canned = ServerFrameBuilder::canned(ClientId, {u"Hello"_s});
    const QByteArray failures = ServerFrameBuilder::transmissionResult(ClientId, 3);
    const QByteArray unknown = ServerFrameBuilder::frame(ClientId, 'x', "12");
    const QList<QByteArray> parts = ServerFrameBuilder::reportParts(ClientId, reportRecords(85));
    const QList<QByteArray> eighty = ServerFrameBuilder::reportParts(ClientId, reportRecords(80));

    // Every kind of frame once, in one stream.
    QList<QByteArray> streamFrames() const
    {
        return {notice,
                withExtraBytes(notice, "xyz"),
                unknown,
                failures,
                lists,
                canned,
                parts[0],
                withPartCode(parts[1], 0xFF),
                parts[2],
                eighty[1],
                lastPart(2, 45),
                lastPart(2, 0),
                ServerFrameBuilder::reportParts(ClientId, {})[0]};
    }

private Q_SLOTS:
    void frameLength_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("expected"); // -1: more bytes needed
        const int noticeSize = int(notice.size());
        // clang-format off
        QTest::newRow("header only")                  << notice.first(18)                          << -1;
        QTest::newRow("notice whole")                 << notice                                    << noticeSize;
        QTest::newRow("notice, end byte still due")   << notice.chopped(1)                         << -1;
        QTest::newRow("notice body only")             << notice.chopped(3)                         << -1;
        QTest::newRow("notice then lists")            << notice + lists                            << noticeSize;
        QTest::newRow("extra bytes before closing")   << withExtraBytes(notice, "xyz") + lists     << noticeSize + 3;
        QTest::newRow("lists cut")                    << lists.chopped(5)                          << -1;
        QTest::newRow("lists then canned")            << lists + canned                            << int(lists.size());
        QTest::newRow("full part cut before its end") << parts[0].chopped(4)                       << -1;
        QTest::newRow("full part then last")          << parts[0] + parts[1]                       << int(parts[0].size());
        QTest::newRow("last part")                    << parts[2]                                  << int(parts[2].size());
        QTest::newRow("last part of 40 records")      << eighty[1] + notice                        << int(eighty[1].size());
        QTest::newRow("last part of 45 records")      << lastPart(2, 45) + notice                  << int(lastPart(2, 45).size());
        QTest::newRow("full part, part code 0xFF")    << withPartCode(parts[1], 0xFF) + parts[2]   << int(parts[1].size());
        QTest::newRow("last part, part code 0xFF")    << lastPart(0xFF, 3) + notice                << int(lastPart(0xFF, 3).size());
        QTest::newRow("unknown type then s")          << unknown + failures                        << int(unknown.size());
        QTest::newRow("unknown type, no closing yet") << unknown.chopped(1)                        << -1;
        // clang-format on
    }
    void frameLength()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, expected);
        QCOMPARE(ServerFrameReader::frameLength(bytes).value_or(-1), expected);
    }

    void fullOrLastPart_data()
    {
        QTest::addColumn<QByteArray>("frame");
        QTest::addColumn<bool>("full");
        // clang-format off
        QTest::newRow("full")                  << parts[0]                      << true;
        QTest::newRow("full, part code 0xFF")  << withPartCode(parts[1], 0xFF)  << true;
        QTest::newRow("last of 5")             << parts[2]                      << false;
        QTest::newRow("last of 40")            << eighty[1]                     << false;
        QTest::newRow("last of 45")            << lastPart(2, 45)               << false;
        QTest::newRow("last, part code 0xFF")  << lastPart(0xFF, 3)             << false;
        QTest::newRow("full, closing missing") << parts[0].chopped(3)           << true;
        // clang-format on
    }
    void fullOrLastPart()
    {
        QFETCH(QByteArray, frame);
        QFETCH(bool, full);
        QCOMPARE(ServerFrameReader::isFullReportPart(frame), full);
    }

    void sameFramesHoweverTheStreamIsCut()
    {
        const QList<QByteArray> expected = streamFrames();
        const QByteArray stream = expected.join();
        QCOMPARE(readAll({stream}), expected);
        // Every cut point inside each frame, with its neighbours around it.
        for (qsizetype i = 0; i < expected.size(); ++i) {
            const QList<QByteArray> around =
                expected.mid(std::max<qsizetype>(i - 1, 0), i == 0 ? 2 : 3);
            const QByteArray bytes = around.join();
            const qsizetype from = i == 0 ? 0 : around.first().size();
            for (qsizetype cut = from + 1; cut < from + expected[i].size(); ++cut)
                QCOMPARE(readAll({bytes.first(cut), bytes.sliced(cut)}), around);
        }
        // Byte by byte through the frames before the report.
        const QList<QByteArray> small = expected.first(6);
        QList<QByteArray> bytes;
        for (const char byte : small.join())
            bytes.append(QByteArray(1, byte));
        QCOMPARE(readAll(bytes), small);
        QRandomGenerator random(20141);
        for (int round = 0; round < 200; ++round) {
            QList<QByteArray> pieces;
            for (qsizetype at = 0; at < stream.size();) {
                const qsizetype size = random.bounded(1, 700);
                pieces.append(stream.sliced(at, std::min(size, stream.size() - at)));
                at += size;
            }
            QCOMPARE(readAll(pieces), expected);
        }
    }

    void streamEndTakesABodyWithoutClosing()
    {
        // A server that sends a body and closes: the body still counts.
        QCOMPARE(readAll({notice.chopped(3)}), QList<QByteArray>{notice.chopped(3)});
        QCOMPARE(readAll({parts[0], parts[2].chopped(3)}),
                 (QList<QByteArray>{parts[0], parts[2].chopped(3)}));
        // Half a body is not a frame.
        QVERIFY(readAll({lists.first(30)}).isEmpty());
    }

    void heldBytesAreBounded()
    {
        ServerFrameReader reader;
        const QByteArray endless = notice.first(FrameFormat::TypeOffset) + 'h' +
                                   QByteArray("000\1") +
                                   QByteArray(ServerFrameReader::MaxHeldBytes, 'a');
        QCOMPARE(reader.append(endless), qsizetype(ServerFrameReader::MaxHeldBytes));
        QVERIFY(!reader.next());
        QVERIFY(reader.isStuck());
    }
};

QTEST_GUILESS_MAIN(TestServerFrameReader)
#include "test_server_frame_reader.moc"
