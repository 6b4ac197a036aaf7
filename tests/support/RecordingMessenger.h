#pragma once

#include "app/Messenger.h"

#include <QList>
#include <QString>

// Records every message instead of showing a box, so tests can assert on them.
class RecordingMessenger final : public Messenger {
public:
    struct Message {
        QString title;
        QString text;
    };

    void showWarning(const QString &title, const QString &text) override
    {
        messages.append({title, text});
    }
    QString lastText() const { return messages.isEmpty() ? QString() : messages.last().text; }

    QList<Message> messages;
};
