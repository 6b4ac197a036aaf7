#pragma once

#include <cstdint>

// The 32-bit millisecond tick count the request queue measures ages with.
class TickSource {
public:
    virtual ~TickSource() = default;
    // Milliseconds since an arbitrary start, wrapping at 2^32.
    virtual std::uint32_t tickCount() const = 0;
};
