#pragma once

#include "link/Item.h"

#include <QtGlobal>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>

// First-in first-out queue of timed follow-up actions. The window thread
// appends; the request worker (TQueryThread) watches the head and removes it
// once it is due.
//
// NotifyWork is set exactly while the queue holds entries. The entries and
// NotifyWork change only together under one mutex, so an append can never
// slip between the worker's emptiness test and its reset of NotifyWork.
class RequestQueue final {
public:
    // Lets a waiting worker give up; evaluated under the queue's mutex, so a
    // stop flag set before wake() is never missed.
    using StopRequested = std::function<bool()>;

    RequestQueue() = default;
    Q_DISABLE_COPY_MOVE(RequestQueue)

    // Window thread: appends at the tail and sets NotifyWork.
    void append(Item item);

    // Worker: blocks until NotifyWork is set and returns a copy of the head,
    // or returns nothing once stopRequested() holds.
    std::optional<Item> waitForHead(const StopRequested &stopRequested);
    // Worker: sleeps at most `timeout`; an append or wake() ends it early.
    void waitForChange(std::chrono::milliseconds timeout, const StopRequested &stopRequested);
    // Worker: removes the head and, if that emptied the queue, resets NotifyWork.
    void removeHead();

    // Wakes a waiting worker so that it looks at its stop condition again.
    void wake();

    bool isNotifyWorkSet() const;
    qsizetype size() const;

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_notifyWork;
    bool m_notifyWorkSet = false;
    // Lets a timed wait tell an append from a spurious wake-up.
    std::uint64_t m_appendCount = 0;
    std::deque<Item> m_items;
};
