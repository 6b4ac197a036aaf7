#pragma once

#include "link/TickSource.h"

#include <QDateTime>

// Wall-clock time and the millisecond tick count, behind an interface so
// that tests can set the time instead of waiting for it.
class Clock : public TickSource {
public:
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    std::uint32_t tickCount() const override;
};
