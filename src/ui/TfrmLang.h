#pragma once

#include "ui/DesignedWindow.h"

#include <QDialog>

class StringGrid;

// The UI text editor: the current language's texts beside the English ones.
class TfrmLang final : public QDialog, public DesignedWindow {
    Q_OBJECT

public:
    explicit TfrmLang(QWidget *parent = nullptr);
    Q_DISABLE_COPY_MOVE(TfrmLang)

    StringGrid *StringGrid1() const;
};
