#pragma once

#include "app/Messenger.h"

class QWidget;

// Shows each message in a modal warning box with one OK button.
class MessageBoxMessenger final : public Messenger {
public:
    explicit MessageBoxMessenger(QWidget *parent = nullptr)
        : m_parent(parent)
    {
    }
    void showWarning(const QString &title, const QString &text) override;

private:
    QWidget *m_parent;
};
