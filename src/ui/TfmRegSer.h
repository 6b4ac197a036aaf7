#pragma once

#include "registration/RegistrationFlow.h"
#include "store/Records.h"
#include "ui/DesignedWindow.h"

#include <QDialog>

class ClientSession;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

// The registration and list version update window. Its handlers read the
// fields, hand them to the registration flow and show what it answers.
class TfmRegSer final : public QDialog, public DesignedWindow {
    Q_OBJECT

public:
    // The three fields as the operator typed them.
    using Fields = RegistrationRules::Fields;

    explicit TfmRegSer(ClientSession &session, QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(TfmRegSer)

    RegistrationFlow &registration() { return m_flow; }

    Fields fields() const;
    void setFields(const Registration &registration);
    void setRegisterEnabled(bool enabled);
    void setVersionUpdateEnabled(bool enabled);
    void setVersionLabel(const QString &text);

    void FormShow();
    void btnRegister();
    void btnRecptClick();
    // True when the key is discarded: the client ID is full, and the focus moves on.
    bool edtClientIDKeyPress(const QKeyEvent &key);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Components {
        QLineEdit *edtClientID;
        QLineEdit *txtIP;
        QLineEdit *edtPort;
        QLineEdit *edtNull;
        QPushButton *btnReg;
        QPushButton *btnRecpt;
        QLabel *lblVer;
    };
    void place(const RegistrationRules::Placement &placement);
    void showWait(const QString &text);

    ClientSession &m_session;
    RegistrationFlow m_flow;
    Components m_ui;
};
