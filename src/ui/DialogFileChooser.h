#pragma once

#include "app/FileChooser.h"

class QWidget;

// The operator's file-open and file-save dialogs.
class DialogFileChooser final : public FileChooser {
public:
    explicit DialogFileChooser(QWidget *parent = nullptr)
        : m_parent(parent)
    {
    }
    QString openFileName(const QString &directory, const QString &filter) override;
    QString saveFileName(const QString &directory, const QString &filter,
                         const QString &defaultSuffix) override;

private:
    QWidget *m_parent;
};
