#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

// One entry of the request queue: an action that runs once the entry has
// waited longer than the queue's expiry delay. Copied into the queue by value.
struct Item {
    // Handed to the action when it runs.
    QString text;
    // Carried for the producer; the worker does not read it.
    qint32 code = 0;
    // Tick count in milliseconds when the entry was queued.
    quint32 queuedAt = 0;
    std::function<void(const QString &)> onExpire;
};
