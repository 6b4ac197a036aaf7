#pragma once

#include "lang/LanguageView.h"
#include "paging/PageSender.h"
#include "paging/RecipientList.h"
#include "report/ReportBrowser.h"
#include "ui/DesignedWindow.h"
#include "ui/LayoutScaler.h"

#include <QColor>
#include <QMainWindow>
#include <QPointer>
#include <QString>

class AutoSizeLabel;
class ClientSession;
class Clock;
class QCheckBox;
class DataGrid;
class QAction;
class QComboBox;
class QDateTimeEdit;
class QFocusEvent;
class QKeyEvent;
class QLineEdit;
class QListWidget;
class QPainter;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class StatusPanelBar;
class TAboutBox;
class TfmRegSer;
class TfrmLang;
struct Language;
struct Registration;

// The main window: the send and report panels, menus and status bar. Its
// handlers read what the operator did, hand it to the session and show what
// the session announces.
class TForm1 final : public QMainWindow, public DesignedWindow, public LanguageView {
    Q_OBJECT

public:
    static constexpr int StatusMessagePanel = 1;
    static constexpr int ClockPanel = 2;
    // The main window's excluded kinds for the layout scaler.
    static inline const QStringList ExcludedKinds{
        QStringLiteral("TMainMenu"),      QStringLiteral("TSaveDialog"),
        QStringLiteral("TADOConnection"), QStringLiteral("TOpenDialog"),
        QStringLiteral("TImageList"),     QStringLiteral("TTimer")};

    TForm1(ClientSession &session, const Clock &clock, QWidget *parent = nullptr);
    ~TForm1() override;
    Q_DISABLE_COPY_MOVE(TForm1)

    ClientSession &session() { return m_session; }

    // The registration window, whose fields the sign-on fills and the
    // registration stores.
    void setRegistrationWindow(TfmRegSer *window);
    // The About window and the UI text editor, opened from the menu.
    void setLanguageWindows(TAboutBox *about, TfrmLang *editor);

    // False when the client cannot run here (the operator has been told why).
    bool FormCreate();
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
    void FormResize();

    // Language selection: the four menu items, and the About window.
    void mnuEnglishClick();
    void mnuGermanClick();
    void mnuDutchClick();
    void mnuItalianClick();
    void About1Click();
    void EditLanguageFile1Click();

    // What a language selection does to this window.
    void checkLanguage(const QString &language) override;
    void applyCaptions(const QString &language) override;
    void setMainTitle(const QString &title) override;
    void applyPlacements(const QList<Placement> &placements) override;
    void settleLayout() override;

    const LayoutScaler &scaler() const { return m_scaler; }

    // The send panel: picking recipients, groups and canned messages, the
    // two lists' DEL buttons, the memo's filter and counter, and Send.
    void cboRecptClick(int index);
    void cboGroupListClick(int index);
    void cboPreMsgClick(int index);
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void memMsgChange();
    void btnSendClick();

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
    void resizeEvent(QResizeEvent *event) override;
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

    // The send panel's components beyond those above.
    struct SendComponents {
        QCheckBox *chkGroupAll;
        QLineEdit *edtSender;
        QLineEdit *edtNull;
        AutoSizeLabel *lblLength;
        QPushButton *Button1;
        QPushButton *Button2;
        QPushButton *Button3;
    };
    SendComponents resolveSendComponents() const;
    void connectSendPanel();
    void showRecipientAppended(const RecipientEntry &entry);
    void showRecipientRemoved(qsizetype index);
    void showRecipientsCleared();
    bool memMsgKeyPress(const QKeyEvent &event);
    void memMsgEnter(const QFocusEvent &event);
    void clearMessage();
    bool edtSenderKeyPress(const QKeyEvent &event);

    bool FormCloseQuery();
    void FormClose();
    void StatusBar1DrawPanel(QPainter &painter, int panel, const QRect &rect);
    void placeRealObject(const QString &name, QObject *object);
    void fixDesignedSize();
    void connectLanguageMenu();
    void selectStoredLanguage();
    void selectLanguage(const Language &language);

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
    QPointer<TAboutBox> m_about;
    QPointer<TfrmLang> m_editor;
    LayoutScaler m_scaler;
    QString m_statusMessage;

    SendComponents m_send{};
    RecipientList m_recipients;
    PageSender m_pageSender{m_session};
    // The memo's text as last accepted, against which the next change is measured.
    QString m_acceptedMessage;

    ReportBrowser m_report;
    // The registration window's wait, while the status panel shows it.
    QString m_waitStatus;
};
