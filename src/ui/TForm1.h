#pragma once

#include "report/ReportBrowser.h"
#include "ui/DesignedWindow.h"

#include <QColor>
#include <QMainWindow>
#include <QPointer>
#include <QString>

class ClientSession;
class Clock;
class DataGrid;
class QAction;
class QComboBox;
class QDateTimeEdit;
class QListWidget;
class QPainter;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class StatusPanelBar;
class TfmRegSer;
struct Registration;

// The main window: the send and report panels, menus and status bar. Its
// handlers read what the operator did, hand it to the session and show what
// the session announces.
class TForm1 final : public QMainWindow, public DesignedWindow {
    Q_OBJECT

public:
    static constexpr int StatusMessagePanel = 1;
    static constexpr int ClockPanel = 2;

    TForm1(ClientSession &session, const Clock &clock, QWidget *parent = nullptr);
    ~TForm1() override;
    Q_DISABLE_COPY_MOVE(TForm1)

    ClientSession &session() { return m_session; }

    // The registration window, whose fields the sign-on fills and the
    // registration stores.
    void setRegistrationWindow(TfmRegSer *window);

    void FormCreate();
    void FormShow();
    void SettSetting1Click();
    void Query1Click();
    void Quorvel1Click();
    void btnQueryClick();
    void DBGrid3TitleClick(int column);
    // The text a report cell shows.
    QString DBGrid3DrawColumnCell(int column, const QString &text) const;
    void LoadComposeLists();
    void btnExitClick();
    void TMCloseTimer();
    void Timer1Timer();

    // The status message panel: its text, and the colour it is drawn in,
    // which follows the state's StatusKind (failure: red, otherwise black).
    const QString &statusMessage() const { return m_statusMessage; }
    void setStatusMessage(const QString &text);
    QColor statusMessageColor() const;
    // The clock panel; empty until Timer2 has ticked once.
    QString clockText() const;

    StatusPanelBar *StatusBar1() const { return m_ui.StatusBar1; }
    ReportBrowser &report() { return m_report; }

public Q_SLOTS:
    void Timer2Timer();

protected:
    void showEvent(QShowEvent *event) override;
    // FormCloseQuery, then FormClose when the window may close.
    void closeEvent(QCloseEvent *event) override;

private:
    struct Components {
        QPushButton *btnSend;
        QPushButton *btnExit;
        QComboBox *cboRecpt;
        QComboBox *cboGroupList;
        QComboBox *cboPreMsg;
        QListWidget *lstRecpt;
        QListWidget *listType;
        QPlainTextEdit *memMsg;
        QDateTimeEdit *StartDatePicker;
        QDateTimeEdit *EndDatePicker;
        StatusPanelBar *StatusBar1;
        QTimer *Timer1;
        QTimer *Timer2;
        QTimer *TMClose;
        QAction *SettSetting1;
        QAction *Quorvel1;
        QAction *Query1;
        QWidget *panQuery;
        QWidget *panSend;
        QPushButton *btnQuery;
        DataGrid *DBGrid3;
        QPlainTextEdit *DBMemo3;
    };
    Components resolveComponents() const;
    void connectSession();

    bool FormCloseQuery();
    void FormClose();
    void StatusBar1DrawPanel(QPainter &painter, int panel, const QRect &rect);
    void placeRealObject(const QString &name, QObject *object);

    void clearComposition(bool alsoMessage);
    void showStatusNotice(const QString &text);
    void registrationLoaded(const Registration &registration);
    void registrationAccepted();
    void showWaitStatus(const QString &text);
    void connectReport();
    void showReport();
    void reportRowsArrived();
    void showReportMessage(int row);

    ClientSession &m_session;
    const Clock &m_clock;
    Components m_ui{};
    QPointer<TfmRegSer> m_regSer;
    ReportBrowser m_report;
    QString m_statusMessage;
    // The registration window's wait, while the status panel shows it.
    QString m_waitStatus;
};
