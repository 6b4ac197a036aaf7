// Client frames R, P, C, O and S byte for byte, and the envelope rules.
#include "GoldenFrames.h"
#include "link/FrameFormat.h"
#include "link/StandardFrames.h"

#include <QTest>

namespace {

const QString ClientId = QStringLiteral("DESK01");
const QString ListVersion = QStringLiteral("017");

} // namespace

class TestStandardFrames : public QObject {
    Q_OBJECT

private:
    FrameBuffer m_buffer;

    QByteArray sentBytes() const
    {
        return QByteArray(m_buffer.SendBuffer.data(), m_buffer.SendLength);
    }
    static std::array<char, 12> clientIdBytes(const QString &clientId)
    {
        const QByteArray field = FrameFormat::clientIdField(clientId);
        std::array<char, 12> bytes{};
        std::copy(field.cbegin(), field.cend(), bytes.begin());
        return bytes;
    }

private Q_SLOTS:
    void init() { m_buffer = FrameBuffer(); }

    void standardRequests_data()
    {
        QTest::addColumn<char>("type");
        QTest::addColumn<QByteArray>("expected");
        // clang-format off
        QTest::newRow("P") << 'P' << GoldenFrames::P;
        QTest::newRow("C") << 'C' << GoldenFrames::C;
        QTest::newRow("O") << 'O' << GoldenFrames::O;
        // clang-format on
    }
    void standardRequests()
    {
        QFETCH(char, type);
        QFETCH(QByteArray, expected);
        StandardFrames::BuildRequest(m_buffer, ClientId, ListVersion, type);
        QCOMPARE(sentBytes().toHex(' '), expected.toHex(' '));
    }

    void signOnFrameR()
    {
        m_buffer.SendBuffer.fill('x'); // leftovers of an earlier frame do not leak into R
        StandardFrames::BuildRegistration(m_buffer, ClientId, ListVersion, '0');
        QCOMPARE(m_buffer.SendLength, 26);
        QCOMPARE(sentBytes().toHex(' '), GoldenFrames::R.toHex(' '));
        QCOMPARE(m_buffer.SendBuffer[26], '\0');
    }

    void followUpFrameS()
    {
        StandardFrames::BuildFollowUpFrame(m_buffer, clientIdBytes(ClientId));
        QCOMPARE(sentBytes().toHex(' '), GoldenFrames::S.toHex(' '));
    }

    void versionIsCutOrZeroFilled_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QByteArray>("field");
        // clang-format off
        QTest::newRow("three digits") << QStringLiteral("120")   << QByteArray("120");
        QTest::newRow("short")        << QStringLiteral("7")     << QByteArray("7\0\0", 3);
        QTest::newRow("empty table")  << QString()               << QByteArray(3, '\0');
        QTest::newRow("long")         << QStringLiteral("12345") << QByteArray("123");
        // clang-format on
    }
    void versionIsCutOrZeroFilled()
    {
        QFETCH(QString, version);
        QFETCH(QByteArray, field);
        StandardFrames::BuildRequest(m_buffer, ClientId, version, 'P');
        QCOMPARE(sentBytes().mid(19, 3), field);
        QCOMPARE(m_buffer.SendLength, 25);
    }

    void clientIdField_data()
    {
        QTest::addColumn<QString>("clientId");
        QTest::addColumn<QByteArray>("field");
        // clang-format off
        QTest::newRow("short")           << QStringLiteral("DESK01")          << QByteArray("DESK01\0\0\0\0\0\0", 12);
        QTest::newRow("twelve fills it") << QStringLiteral("ABCDEFGHIJKL")    << QByteArray("ABCDEFGHIJKL");
        QTest::newRow("longer is cut")   << QStringLiteral("ABCDEFGHIJKLMNO") << QByteArray("ABCDEFGHIJKL");
        QTest::newRow("empty")           << QString()                         << QByteArray(12, '\0');
        // clang-format on
    }
    void clientIdField()
    {
        QFETCH(QString, clientId);
        QFETCH(QByteArray, field);
        StandardFrames::BuildRequest(m_buffer, clientId, ListVersion, 'P');
        QCOMPARE(sentBytes().mid(6, 12), field);
        QCOMPARE(sentBytes().at(18), 'P');
        QCOMPARE(m_buffer.SendLength, 25);

        StandardFrames::BuildFollowUpFrame(m_buffer, clientIdBytes(clientId));
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
        QCOMPARE(QByteArray(buffer + 300, 3), QByteArray::fromHex("2AD402"));
    }

    void wholeFrameSharesTheEnvelope()
    {
        // The simulator's answers use the same builder as the client's requests.
        StandardFrames::BuildRequest(m_buffer, ClientId, ListVersion, 'P');
        QCOMPARE(FrameFormat::buildFrame(FrameFormat::StandardHeader,
                                         FrameFormat::clientIdField(ClientId), 'P', "017"),
                 sentBytes());
    }
};

QTEST_GUILESS_MAIN(TestStandardFrames)
#include "test_standard_frames.moc"
