// The report panel of the main window against the simulated server: the
// panels and pickers, the range checks before frame H, the rows arriving in
// the grid, title clicks and their markers, message cells and the memo, and
// an operator's whole way from registering to the sent page in the report.
#include "ManualClock.h"
#include "RecordingMessenger.h"
#include "SimulatedServer.h"
#include "WindowsFixture.h"
#include "WorkingDirectory.h"
#include "link/FrameFormat.h"
#include "link/FrameType.h"
#include "link/ServerLink.h"
#include "store/ClientStore.h"
#include "ui/ClientWindows.h"
#include "ui/DataGrid.h"

#include <QAction>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QString ClientId = u"DESK01"_s;
const QDateTime Now(QDate(2014, 1, 21), QTime(9, 5, 7));

QList<ReportRecord> numbered(int count)
{
    QList<ReportRecord> records;
    for (int i = 0; i < count; ++i)
        records.append(
            {ClientId, u"R%1"_s.arg(i), u"2014-01-21 09:05:07"_s, u"OK"_s, u"message %1"_s.arg(i)});
    return records;
}

// One client in a working directory of its own; registered with the server
// at `port` when given, and with the report an earlier run left.
struct Client : WindowsFixture {
    explicit Client(std::optional<quint16> port, const QList<ReportRecord> &earlierReport = {})
    {
        {
            ClientStore seed(directory.path());
            seed.open();
            if (port)
                seed.replaceRegistration({ClientId, u"127.0.0.1"_s, *port});
            seed.startReport(earlierReport);
            seed.finishReport();
        }
        clock.dateTime = Now;
        createWindows();
    }

    DataGrid *grid() { return widget<DataGrid>(u"DBGrid3"_s); }
    QDateTimeEdit *picker(const QString &name) { return widget<QDateTimeEdit>(name); }
    QString memo() { return widget<QPlainTextEdit>(u"DBMemo3"_s)->toPlainText(); }

    void openQueryPanel()
    {
        form().show();
        widget<QAction>(u"Query1"_s)->trigger();
    }
    void query(const QDate &start, const QDate &end)
    {
        picker(u"StartDatePicker"_s)->setDate(start);
        picker(u"EndDatePicker"_s)->setDate(end);
        QTest::mouseClick(widget<QPushButton>(u"btnQuery"_s), Qt::LeftButton);
    }
    QStringList titles()
    {
        QStringList result;
        for (int k = 0; k < grid()->columnCount(); ++k)
            result.append(grid()->model()->headerData(k, Qt::Horizontal).toString());
        return result;
    }
    void clickTitle(int column)
    {
        QHeaderView *header = grid()->horizontalHeader();
        const QPoint centre(header->sectionViewportPosition(column) +
                                header->sectionSize(column) / 2,
                            header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre);
    }
    void clickCell(int row, int column)
    {
        const QRect cell = grid()->visualRect(grid()->model()->index(row, column));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
    }
    // What the grid's cells of one column show, row by row.
    QStringList shown(int column)
    {
        QStringList texts;
        for (int row = 0; row < grid()->model()->rowCount(); ++row)
            texts.append(grid()->shownText(grid()->model()->index(row, column)));
        return texts;
    }
    int currentRow() { return grid()->currentIndex().row(); }
};

// Whether the panel is the one the operator sees at the centre of the window.
bool inFront(TForm1 &form, QWidget *panel)
{
    QWidget *seen = form.centralWidget()->childAt(form.centralWidget()->rect().center());
    return seen && (seen == panel || panel->isAncestorOf(seen));
}

QList<ClientFrame> framesOf(const QSignalSpy &spy)
{
    QList<ClientFrame> frames;
    for (const QList<QVariant> &arguments : spy)
        frames.append(arguments.at(0).value<ClientFrame>());
    return frames;
}

} // namespace

class TestReportWindow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SimulatedServer> m_server;
    std::unique_ptr<QSignalSpy> m_frames;

    // A client signed on to the simulated server, its lists in.
    std::unique_ptr<Client> signedOnClient()
    {
        auto client = std::make_unique<Client>(m_server->serverPort());
        client->form().show();
        [&] { QTRY_COMPARE(m_frames->size(), 3); }();
        return client;
    }

private Q_SLOTS:
    void init()
    {
        m_server = std::make_unique<SimulatedServer>();
        QVERIFY(m_server->listen(QHostAddress(QHostAddress::LocalHost), 0));
        m_server->setClock([] { return QDateTime(QDate(2014, 1, 21), QTime(9, 0)); });
        m_frames = std::make_unique<QSignalSpy>(m_server.get(), &SimulatedServer::frameReceived);
    }
    void cleanup()
    {
        m_frames.reset();
        m_server.reset();
    }

    void menuBringsAPanelToTheFront()
    {
        Client client(std::nullopt);
        client.form().show();
        QWidget *panQuery = client.widget<QWidget>(u"panQuery"_s);
        QWidget *panSend = client.widget<QWidget>(u"panSend"_s);
        QVERIFY(inFront(client.form(), panSend));

        client.widget<QAction>(u"Query1"_s)->trigger();
        QVERIFY(inFront(client.form(), panQuery));
        QCOMPARE(client.picker(u"StartDatePicker"_s)->dateTime(), Now);
        QCOMPARE(client.picker(u"EndDatePicker"_s)->dateTime(), Now);

        client.picker(u"StartDatePicker"_s)->setDate(QDate(2014, 1, 2));
        client.widget<QAction>(u"Quorvel1"_s)->trigger();
        QVERIFY(inFront(client.form(), panSend));
        QCOMPARE(client.picker(u"StartDatePicker"_s)->date(), QDate(2014, 1, 2));
        // Opened again, the pickers show today.
        client.clock.dateTime = Now.addDays(1);
        client.widget<QAction>(u"Query1"_s)->trigger();
        QCOMPARE(client.picker(u"StartDatePicker"_s)->dateTime(), Now.addDays(1));
    }

    void rangeIsCheckedBeforeTheQueryGoes_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<QString>("message"); // empty: frame H goes
        // clang-format off
        QTest::newRow("same day")     << QDate(2014, 1, 21) << QDate(2014, 1, 21) << QString();
        QTest::newRow("one day back") << QDate(2014, 1, 21) << QDate(2014, 1, 20) << u"Ending date must be later than starting date."_s;
        QTest::newRow("121 days")     << QDate(2014, 1, 1)  << QDate(2014, 5, 2)  << QString();
        QTest::newRow("122 days")     << QDate(2014, 1, 1)  << QDate(2014, 5, 3)  << u"Data latest three months is traceable."_s;
        // clang-format on
    }
    void rangeIsCheckedBeforeTheQueryGoes()
    {
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        QFETCH(QString, message);
        const std::unique_ptr<Client> client = signedOnClient();
        const qsizetype messagesBefore = client->messenger.messages.size();
        client->openQueryPanel();
        client->query(start, end);

        if (!message.isEmpty()) {
            QCOMPARE(client->messenger.lastText(), message);
            QTest::qWait(20);
            QCOMPARE(m_frames->size(), 3);
            return;
        }
        QTRY_COMPARE(m_frames->size(), 4);
        const ClientFrame frame = framesOf(*m_frames).last();
        QCOMPARE(frame.type, 'H');
        QCOMPARE(frame.clientId, ClientId);
        QCOMPARE(frame.startDate, start.toString(u"yyyyMMdd"));
        QCOMPARE(frame.endDate, end.toString(u"yyyyMMdd"));
        QVERIFY(frame.checksumOk);
        QCOMPARE(client->messenger.messages.size(), messagesBefore);
    }

    void answerFillsTheGridAsItArrives()
    {
        const std::unique_ptr<Client> client = signedOnClient();
        QCOMPARE(client->grid()->model()->rowCount(), 0);
        m_server->state().report = numbered(85);
        m_server->setWriteMode(SimulatedServer::WriteMode::Split, 200, 1);
        QSignalSpy inserted(client->grid()->model(), &QAbstractItemModel::rowsInserted);
        client->openQueryPanel();
        client->query(QDate(2014, 1, 21), QDate(2014, 1, 21));

        QTRY_COMPARE(client->grid()->model()->rowCount(), 85);
        QCOMPARE(inserted.size(), 3); // 40, 40 and 5, as the parts came
        QCOMPARE(client->shown(1).last(), u"R84"_s);
        QCOMPARE(client->shown(2).first(), u"2014/01/21 09:05:07"_s);
        QCOMPARE(client->currentRow(), 0);
        QCOMPARE(client->memo(), u"message 0"_s);
    }

    void titleClicksSortAndMark()
    {
        Client client(std::nullopt);
        client.form().show();
        client.store().startReport({
            {u"a"_s, u"Ann"_s, u"2014-01-21 10:00:00"_s, u"OK"_s, u"delta"_s},
            {u"b"_s, u"Ben"_s, u"21.01.2014 08:30"_s, u"Failed"_s, u"alpha"_s},
            {u"c"_s, u"Cy"_s, u"2014/01/20 23:00:00"_s, u"OK"_s, u"charlie"_s},
            {u"d"_s, u"Di"_s, u"never"_s, u"Pending"_s, u"bravo"_s},
        });
        client.store().finishReport();
        QCOMPARE(client.shown(0), (QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s}));

        client.clickTitle(2);
        QCOMPARE(client.shown(0), (QStringList{u"c"_s, u"b"_s, u"a"_s, u"d"_s}));
        QCOMPARE(client.titles(), (QStringList{u"Sender"_s, u"Rrecipient"_s, u"Send Time \u25B2"_s,
                                               u"Status"_s, u"Message"_s}));

        // The direction belongs to the grid: the next column sorts descending.
        client.clickTitle(3);
        QCOMPARE(client.shown(3), (QStringList{u"Pending"_s, u"OK"_s, u"OK"_s, u"Failed"_s}));
        QCOMPARE(client.titles(), (QStringList{u"Sender"_s, u"Rrecipient"_s, u"Send Time"_s,
                                               u"Status \u25BC"_s, u"Message"_s}));

        // The message column is read again, ordered; its first row becomes current.
        client.clickCell(3, 1);
        QCOMPARE(client.currentRow(), 3);
        client.clickTitle(4);
        QCOMPARE(client.shown(4), (QStringList{u"alpha"_s, u"bravo"_s, u"charlie"_s, u"delta"_s}));
        QCOMPARE(client.titles().at(4), u"Message \u25B2"_s);
        QCOMPARE(client.titles().at(3), u"Status"_s);
        QCOMPARE(client.currentRow(), 0);
        QCOMPARE(client.memo(), u"alpha"_s);
        QCOMPARE(client.form().report().sortDirection(), 1);
    }

    void messageCellsShowTwentyCharactersAndTheMemoAll()
    {
        Client client(std::nullopt);
        client.form().show();
        const QString long25 = u"Meeting moved to room 7!!"_s;
        const QString exact20 = u"Call the front desk."_s;
        client.store().startReport(
            {{u"a"_s, u"Ann"_s, u"2014-01-21 10:00:00"_s, u"OK"_s, long25},
             {u"b"_s, u"Ben"_s, u"2014-01-21 10:00:00"_s, u"OK"_s, exact20}});
        client.store().finishReport();
        QCOMPARE(long25.size(), 25);
        QCOMPARE(exact20.size(), 20);

        QCOMPARE(client.shown(4), (QStringList{u"Meeting moved to roo..."_s, exact20}));
        QCOMPARE(client.memo(), long25);
        client.clickCell(1, 4);
        QCOMPARE(client.memo(), exact20);

        // The memo shows the report; typing cannot change it.
        auto *memo = client.widget<QPlainTextEdit>(u"DBMemo3"_s);
        QVERIFY(memo->isReadOnly());
        memo->setFocus();
        QTest::keyClicks(memo, u"xyz"_s);
        QCOMPARE(client.memo(), exact20);
        QCOMPARE(client.store().adoQReport().value(1, ReportRows::Message).toString(), exact20);
    }

    void titleClickBeforeAnyQueryOnlyStripsMarkers()
    {
        Client client(std::nullopt, numbered(3));
        client.form().show();
        QCOMPARE(client.grid()->model()->rowCount(), 0);
        client.grid()->setColumnTitle(3, u"Status \u25BC"_s);

        client.clickTitle(0);
        QCOMPARE(client.titles(), (QStringList{u"Sender"_s, u"Rrecipient"_s, u"Send Time"_s,
                                               u"Status"_s, u"Message"_s}));
        QCOMPARE(client.grid()->model()->rowCount(), 0);
        QCOMPARE(client.form().report().sortDirection(), 0);
        QVERIFY(client.messenger.messages.isEmpty());
    }

    void operatorRegistersPagesAndFindsThePageInTheReport()
    {
        Client client(std::nullopt);
        client.form().show();
        TfmRegSer &regSer = client.windows->fmRegSer;
        client.widget<QAction>(u"SettSetting1"_s)->trigger();
        QVERIFY(regSer.isVisible());
        const auto type = [&](const QString &name, const QString &text) {
            regSer.component<QLineEdit>(name)->clear();
            QTest::keyClicks(regSer.component<QLineEdit>(name), text);
        };
        type(u"txtIP"_s, u"127.0.0.1"_s);
        type(u"edtPort"_s, QString::number(m_server->serverPort()));
        type(u"edtClientID"_s, u"NEW01"_s);
        QTest::mouseClick(regSer.component<QPushButton>(u"btnReg"_s), Qt::LeftButton);
        QTRY_COMPARE(client.widget<QComboBox>(u"cboPreMsg"_s)->count(),
                     m_server->state().data.canned.size());
        QCOMPARE(client.messenger.lastText(), u"Register Success!"_s);
        regSer.close();

        // A page to the first recipient, as the send panel builds it.
        const ListRecord to = m_server->state().data.recipients.first();
        const QString text = u"From NEW01:\r\nPlease call the front desk."_s;
        ClientState &state = client.session().state();
        const QByteArray body = "0" + client.store().listVersion().toLatin1() +
                                to.serial.toLatin1() + '\xFE' + FrameFormat::textToWire(text) +
                                '\xFF';
        const QByteArray frame = FrameFormat::buildFrame(
            FrameFormat::ContentHeader, QByteArrayView(state.ClientIDBytes.data(), 12),
            FrameType::Page, body);
        std::copy(frame.cbegin(), frame.cend(), state.SendBuffer.begin());
        state.SendLength = static_cast<int>(frame.size());
        client.session().link()->SendFrame();
        QTRY_COMPARE(m_server->state().report.size(), 1);

        client.widget<QAction>(u"Query1"_s)->trigger();
        QTest::mouseClick(client.widget<QPushButton>(u"btnQuery"_s), Qt::LeftButton);
        QTRY_COMPARE(client.grid()->model()->rowCount(), 1);
        QCOMPARE(client.shown(0).first(), u"NEW01"_s);
        QCOMPARE(client.shown(1).first(), to.name);
        QCOMPARE(client.shown(2).first(), u"2014/01/21 09:00:00"_s);
        QCOMPARE(client.shown(4).first(), u"From NEW01:  Please ..."_s);
        QCOMPARE(client.memo(), u"From NEW01:\nPlease call the front desk."_s);
    }
};

QTEST_MAIN(TestReportWindow)
#include "test_report_window.moc"
