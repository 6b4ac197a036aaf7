#pragma once

#include "app/Clock.h"

#include <atomic>

// A clock that only moves when the test moves it. The tick count may be read
// from another thread (the request-queue worker).
class ManualClock final : public Clock {
public:
    QDateTime now() const override { return dateTime; }
    std::uint32_t tickCount() const override { return ticks.load(); }
    void advance(std::uint32_t milliseconds) { ticks += milliseconds; }

    QDateTime dateTime = QDateTime(QDate(2014, 1, 21), QTime(9, 5, 7));
    std::atomic<std::uint32_t> ticks = 0;
};
