#include "link/RequestQueue.h"

#include <utility>

void RequestQueue::append(Item item)
{
    {
        const std::lock_guard lock(m_mutex);
        m_items.push_back(std::move(item));
        m_notifyWorkSet = true;
        ++m_appendCount;
    }
    m_notifyWork.notify_all();
}

std::optional<Item> RequestQueue::waitForHead(const StopRequested &stopRequested)
{
    std::unique_lock lock(m_mutex);
    m_notifyWork.wait(lock, [&] { return m_notifyWorkSet || stopRequested(); });
    if (stopRequested() || m_items.empty())
        return std::nullopt;
    return m_items.front();
}

void RequestQueue::waitForChange(std::chrono::milliseconds timeout,
                                 const StopRequested &stopRequested)
{
    std::unique_lock lock(m_mutex);
    const std::uint64_t appendsBefore = m_appendCount;
    m_notifyWork.wait_for(lock, timeout,
                          [&] { return m_appendCount != appendsBefore || stopRequested(); });
}

void RequestQueue::removeHead()
{
    const std::lock_guard lock(m_mutex);
    if (!m_items.empty())
        m_items.pop_front();
    if (m_items.empty())
        m_notifyWorkSet = false;
}

void RequestQueue::wake()
{
    // Taking the mutex orders this after a waiter's last look at its stop
    // condition, so the notification cannot fall between look and sleep.
    {
        const std::lock_guard lock(m_mutex);
    }
    m_notifyWork.notify_all();
}

bool RequestQueue::isNotifyWorkSet() const
{
    const std::lock_guard lock(m_mutex);
    return m_notifyWorkSet;
}

qsizetype RequestQueue::size() const
{
    const std::lock_guard lock(m_mutex);
    return static_cast<qsizetype>(m_items.size());
}
