#include "ui/TfmRegSer.h"

#include "ui/DialogFrame.h"
#include "ui/WindowDesigns.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

TfmRegSer::TfmRegSer(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"fmRegSer"_s);
    setWindowTitle(u"Quorvel Client Register"_s);
    buildComponents(*this, *this, WindowDesigns::fmRegSer());
    DialogFrame::fixToContent(*this, WindowDesigns::fmRegSer());
    m_ui = {
        require<QLineEdit>(u"edtClientID"_s), require<QLineEdit>(u"txtIP"_s),
        require<QLineEdit>(u"edtPort"_s),     require<QPushButton>(u"btnReg"_s),
        require<QPushButton>(u"btnRecpt"_s),  require<QLabel>(u"lblVer"_s),
    };
}

TfmRegSer::Fields TfmRegSer::fields() const
{
    return {m_ui.edtClientID->text(), m_ui.txtIP->text(), m_ui.edtPort->text()};
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
