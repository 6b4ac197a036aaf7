#pragma once

#include <QDialog>

class TfmRegSer final : public QDialog {
    Q_OBJECT

public:
    explicit TfmRegSer(QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(TfmRegSer)
};
