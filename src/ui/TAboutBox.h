#pragma once

#include <QDialog>

class TAboutBox final : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(TAboutBox)
};
