#pragma once

#include <QDateTime>

#include <cstdint>

// Wall-clock time and the 32-bit millisecond tick count, behind an interface
// so that tests can set the time instead of waiting for it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    // Milliseconds since an arbitrary start, wrapping at 2^32.
    virtual std::uint32_t tickCount() const = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    std::uint32_t tickCount() const override;
};
