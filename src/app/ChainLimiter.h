#pragma once

#include <QHash>

#include <cstdint>
#include <deque>

// Bounds the requests the client sends on its own in answer to the server
// (the lists after a registration, the canned messages after the lists, the
// follow-up after a notice), so that a server answering every request the
// same way cannot drive the client round in a loop. Requests the operator
// makes start afresh.
class ChainLimiter final {
public:
    static constexpr int MaxPerWindow = 5;
    static constexpr std::uint32_t WindowMs = 10000;

    // Whether one more request of `type` may go now; counts it when it may.
    bool allow(char type, std::uint32_t nowMs);
    // The operator acted: what the server drove before no longer counts.
    void reset() { m_sent.clear(); }

private:
    QHash<char, std::deque<std::uint32_t>> m_sent;
};
