#pragma once

#include <QDialog>

class TfrmLang final : public QDialog {
    Q_OBJECT

public:
    explicit TfrmLang(QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(TfrmLang)
};
