#include "app/ChainLimiter.h"

bool ChainLimiter::allow(char type, std::uint32_t nowMs)
{
    std::deque<std::uint32_t> &sent = m_sent[type];
    // Unsigned differences stay right across the tick count's wrap-around.
    while (!sent.empty() && nowMs - sent.front() >= WindowMs)
        sent.pop_front();
    if (sent.size() >= MaxPerWindow)
        return false;
    sent.push_back(nowMs);
    return true;
}
