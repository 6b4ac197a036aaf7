#pragma once

#include "ui/DesignedWindow.h"

#include <QDialog>

// The About window: product, version, the maker's notice and links.
class TAboutBox final : public QDialog, public DesignedWindow {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(TAboutBox)
};
