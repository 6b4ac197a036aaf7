#pragma once

#include "ui/DesignedWindow.h"

#include <QDialog>

// The registration and list version update window.
class TfmRegSer final : public QDialog, public DesignedWindow {
    Q_OBJECT

public:
    explicit TfmRegSer(QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(TfmRegSer)
};
