#pragma once

#include "store/Records.h"
#include "ui/DesignedWindow.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The registration and list version update window.
class TfmRegSer final : public QDialog, public DesignedWindow {
    Q_OBJECT

public:
    // The three fields as the operator typed them.
    struct Fields {
        QString clientId;
        QString serverIp;
        QString serverPort;
    };

    explicit TfmRegSer(QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(TfmRegSer)

    Fields fields() const;
    void setFields(const Registration &registration);
    void setRegisterEnabled(bool enabled);
    void setVersionUpdateEnabled(bool enabled);
    void setVersionLabel(const QString &text);

private:
    struct Components {
        QLineEdit *edtClientID;
        QLineEdit *txtIP;
        QLineEdit *edtPort;
        QPushButton *btnReg;
        QPushButton *btnRecpt;
        QLabel *lblVer;
    };
    Components m_ui;
};
