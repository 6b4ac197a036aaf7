// Client frames R, P, C, O and S byte for byte, and the envelope rules.
#include "ManualClock.h"
#include "WorkingDirectory.h"
#include "app/ClientState.h"
#include "link/FrameFormat.h"
#include "link/FrameSender.h"
#include "link/StandardFrames.h"
#include "store/ClientStore.h"

#include <QTest>

namespace {

class CountingSender final : public FrameSender {
public:
    void SendFrame() override { ++sent; }
    int sent = 0;
};

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

} // namespace

class TestStandardFrames : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WorkingDirectory> m_dir;
    std::unique_ptr<ClientStore> m_store;
    ClientState m_state;
    CountingSender m_sender;

    QByteArray sentBytes() const
    {
        return QByteArray(m_state.SendBuffer.data(), m_state.SendLength);
    }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<WorkingDirectory>();
        m_store = std::make_unique<ClientStore>(m_dir->path());
        m_store->open();
        m_store->setListVersion(QStringLiteral("017"));
        m_state = ClientState();
        m_state.CurrentClientID = QStringLiteral("DESK01");
        m_state.setClientIdBytes(m_state.CurrentClientID);
        m_sender.sent = 0;
    }
    void cleanup()
    {
        m_store.reset();
        m_dir.reset();
    }

    void standardRequests_data()
    {
        QTest::addColumn<char>("type");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("P")
            << 'P'
            << hex("03 54 5A 51 56 53 44 45 53 4B 30 31 00 00 00 00 00 00 50 30 31 37 04 1B 02");
        QTest::newRow("C")
            << 'C'
            << hex("03 54 5A 51 56 53 44 45 53 4B 30 31 00 00 00 00 00 00 43 30 31 37 04 0E 02");
    }
    void standardRequests()
    {
        QFETCH(char, type);
        QFETCH(QByteArray, expected);
        StandardFrames::SendRequest(m_state, *m_store, m_sender, type);
        QCOMPARE(m_sender.sent, 1);
        QCOMPARE(sentBytes().toHex(' '), expected.toHex(' '));
    }

    void signOnFrameR()
    {
        StandardFrames::SendRegistration(m_state, *m_store, m_sender, '0');
        QCOMPARE(m_state.SendLength, 26);
        QVERIFY(sentBytes().endsWith(hex("52 30 31 37 30 04 4D 02")));
        QCOMPARE(m_sender.sent, 1);
    }

    void offLineFrameO()
    {
        StandardFrames::BuildOffLineFrame(m_state, *m_store);
        QCOMPARE(m_state.SendLength, 25);
        QVERIFY(sentBytes().endsWith(hex("4F 30 31 37 04 1A 02")));
        QCOMPARE(m_sender.sent, 0);
    }

    void followUpFrameS()
    {
        StandardFrames::SendFollowUpFrame(m_state, m_sender, QStringLiteral("Item1"));
        QCOMPARE(
            sentBytes().toHex(' '),
            hex("03 54 5A 51 56 43 44 45 53 4B 30 31 00 00 00 00 00 00 53 30 03 A6 02").toHex(' '));
        QCOMPARE(m_sender.sent, 1);
    }

    void versionIsReadAfreshForEveryFrame()
    {
        m_store->setListVersion(QStringLiteral("120"));
        StandardFrames::SendRequest(m_state, *m_store, m_sender, 'P');
        QCOMPARE(sentBytes().mid(19, 3), QByteArray("120"));
    }

    void shortVersionIsZeroFilled()
    {
        m_store->setListVersion(QStringLiteral("7"));
        StandardFrames::SendRequest(m_state, *m_store, m_sender, 'P');
        QCOMPARE(sentBytes().mid(19, 3), QByteArray("7\0\0", 3));
    }

    void clientIdField_data()
    {
        QTest::addColumn<QString>("clientId");
        QTest::addColumn<QByteArray>("field");
        QTest::newRow("short") << QStringLiteral("DESK01") << QByteArray("DESK01\0\0\0\0\0\0", 12);
        QTest::newRow("twelve fills it")
            << QStringLiteral("ABCDEFGHIJKL") << QByteArray("ABCDEFGHIJKL");
        QTest::newRow("longer is cut")
            << QStringLiteral("ABCDEFGHIJKLMNO") << QByteArray("ABCDEFGHIJKL");
        QTest::newRow("empty") << QString() << QByteArray(12, '\0');
    }
    void clientIdField()
    {
        QFETCH(QString, clientId);
        QFETCH(QByteArray, field);
        m_state.CurrentClientID = clientId;
        StandardFrames::SendRequest(m_state, *m_store, m_sender, 'P');
        QCOMPARE(sentBytes().mid(6, 12), field);
        QCOMPARE(sentBytes().at(18), 'P');
        QCOMPARE(m_state.SendLength, 25);

        m_state.setClientIdBytes(clientId);
        StandardFrames::SendFollowUpFrame(m_state, m_sender, QString());
        QCOMPARE(sentBytes().mid(6, 12), field);
        QCOMPARE(sentBytes().at(18), 'S');
    }

    void checksumWraps()
    {
        const QByteArray bytes(300, static_cast<char>(0xFF)); // 76500 = 0x12AD4
        QCOMPARE(FrameFormat::checksum(bytes), std::uint16_t(0x2AD4));
        char buffer[303] = {};
        std::copy(bytes.cbegin(), bytes.cend(), buffer);
        FrameFormat::AppendChecksum(buffer, 300);
        QCOMPARE(QByteArray(buffer + 300, 3), hex("2AD402"));
    }
};

QTEST_GUILESS_MAIN(TestStandardFrames)
#include "test_standard_frames.moc"
