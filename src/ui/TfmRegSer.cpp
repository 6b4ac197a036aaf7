#include "ui/TfmRegSer.h"

#include "app/ClientSession.h"
#include "lang/LangFile.h"
#include "ui/CaptionWalk.h"
#include "ui/DialogFrame.h"
#include "ui/WindowDesigns.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

using namespace Qt::StringLiterals;

namespace {

// A key press as the field's key filter sees it: one that types, erases or
// deletes; moving the cursor is not one.
bool changesText(const QKeyEvent &key)
{
    return !key.text().isEmpty() || key.key() == Qt::Key_Backspace || key.key() == Qt::Key_Delete;
}

} // namespace

TfmRegSer::TfmRegSer(ClientSession &session, QWidget *parent)
    : QDialog(parent)
    , m_session(session)
    , m_flow(session)
{
    setObjectName(u"fmRegSer"_s);
    setWindowTitle(u"Quorvel Client Register"_s);
    buildComponents(*this, *this, WindowDesigns::fmRegSer());
    DialogFrame::fixToContent(*this, WindowDesigns::fmRegSer());
    m_ui = {
        require<QLineEdit>(u"edtClientID"_s), require<QLineEdit>(u"txtIP"_s),
        require<QLineEdit>(u"edtPort"_s),     require<QLineEdit>(u"edtNull"_s),
        require<QPushButton>(u"btnReg"_s),    require<QPushButton>(u"btnRecpt"_s),
        require<QLabel>(u"lblVer"_s),
    };
    connect(m_ui.btnReg, &QPushButton::clicked, this, &TfmRegSer::btnRegister);
    connect(m_ui.btnRecpt, &QPushButton::clicked, this, &TfmRegSer::btnRecptClick);
    m_ui.edtClientID->installEventFilter(this);
    connect(&m_flow, &RegistrationFlow::waitChanged, this, &TfmRegSer::showWait);
    // Opened, not run: the main window is still being shown at that moment.
    connect(&m_flow, &RegistrationFlow::storedPortRejected, this, &QDialog::open,
            Qt::QueuedConnection);
}

TfmRegSer::Fields TfmRegSer::fields() const
{
    return {m_ui.txtIP->text(), m_ui.edtPort->text(), m_ui.edtClientID->text()};
}

void TfmRegSer::setFields(const Registration &registration)
{
    m_ui.edtClientID->setText(registration.clientName);
    m_ui.txtIP->setText(registration.serverIp);
    m_ui.edtPort->setText(QString::number(registration.serverPort));
}

void TfmRegSer::setRegisterEnabled(bool enabled)
{
    m_ui.btnReg->setEnabled(enabled);
}

void TfmRegSer::setVersionUpdateEnabled(bool enabled)
{
    m_ui.btnRecpt->setEnabled(enabled);
}

void TfmRegSer::setVersionLabel(const QString &text)
{
    m_ui.lblVer->setText(text);
}

void TfmRegSer::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfmRegSer::FormShow()
{
    if (const LangFile *file = m_session.langFile())
        ApplyCaptions(inventory(), objectName(), *file, m_session.state().CurrentLanguage);
    const RegistrationFlow::Opening opening = m_flow.FormShow();
    if (opening.placement)
        place(*opening.placement);
    if (opening.fields) {
        m_ui.txtIP->setText(opening.fields->serverIp);
        m_ui.edtPort->setText(opening.fields->serverPort);
        m_ui.edtClientID->setText(opening.fields->clientId);
    }
    if (opening.clientIdEnabled)
        m_ui.edtClientID->setEnabled(*opening.clientIdEnabled);
    if (opening.versionLabel)
        m_ui.lblVer->setText(*opening.versionLabel);
    showWait(m_flow.waitText());
}

void TfmRegSer::place(const RegistrationRules::Placement &placement)
{
    setWindowTitle(placement.title);
    m_ui.txtIP->move(placement.txtIPLeft, m_ui.txtIP->y());
    m_ui.edtPort->move(placement.edtPortLeft, m_ui.edtPort->y());
    m_ui.edtClientID->move(placement.edtPortLeft, m_ui.edtClientID->y());
    m_ui.lblVer->move(placement.lblVerLeft, m_ui.lblVer->y());
    m_ui.btnRecpt->resize(placement.btnRecptWidth, m_ui.btnRecpt->height());
}

void TfmRegSer::btnRegister()
{
    m_flow.btnRegister(fields(), m_ui.edtClientID->isEnabled());
}

void TfmRegSer::btnRecptClick()
{
    m_flow.btnRecptClick();
}

bool TfmRegSer::edtClientIDKeyPress(const QKeyEvent &key)
{
    if (!changesText(key) || RegistrationRules::clientIdTakesKeys(m_ui.edtClientID->text()))
        return false;
    m_ui.edtNull->setFocus();
    return true;
}

bool TfmRegSer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui.edtClientID && event->type() == QEvent::KeyPress)
        return edtClientIDKeyPress(*static_cast<QKeyEvent *>(event));
    return QDialog::eventFilter(watched, event);
}

void TfmRegSer::showWait(const QString &text)
{
    if (text.isEmpty())
        unsetCursor();
    else
        setCursor(Qt::BusyCursor);
}
