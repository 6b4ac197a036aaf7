#include "link/TQueryThread.h"

#include "link/RequestQueue.h"
#include "link/TickSource.h"

#include <algorithm>

namespace {

// Recheck at least this often, so a tick source that drifts from the
// thread library's clock cannot delay an action by much.
constexpr std::chrono::milliseconds LongestWait{1000};

} // namespace

TQueryThread::TQueryThread(RequestQueue &queue, const TickSource &clock, std::uint32_t expiryDelay,
                           QObject *parent)
    : QThread(parent)
    , m_queue(queue)
    , m_clock(clock)
    , m_expiryDelay(expiryDelay)
{
}

TQueryThread::~TQueryThread()
{
    stop();
}

void TQueryThread::resume()
{
    if (m_started || stopRequested())
        return;
    m_started = true;
    start();
}

void TQueryThread::stop()
{
    m_stopRequested = true;
    m_queue.wake();
    wait();
}

void TQueryThread::run()
{
    Execute();
}

void TQueryThread::Execute()
{
    const RequestQueue::StopRequested stopping = [this] { return stopRequested(); };
    while (const std::optional<Item> head = m_queue.waitForHead(stopping)) {
        // Unsigned 32-bit difference: the wrap of the tick counter does no harm.
        const std::uint32_t age = m_clock.tickCount() - head->queuedAt;
        ++m_checkCount;
        if (age > m_expiryDelay) {
            postAction(*head);
            m_queue.removeHead();
        } else {
            m_queue.waitForChange(timeUntilDue(age), stopping);
        }
    }
}

std::chrono::milliseconds TQueryThread::timeUntilDue(std::uint32_t age) const
{
    // Due once the age is greater than the delay, i.e. one millisecond after it equals it.
    const std::chrono::milliseconds untilDue{std::int64_t{m_expiryDelay} - age + 1};
    return std::min(untilDue, LongestWait);
}

void TQueryThread::postAction(const Item &head)
{
    // This object lives on the window thread, so the queued call runs there;
    // calls still pending when it is destroyed are dropped with it.
    QMetaObject::invokeMethod(
        this,
        [action = head.onExpire, text = head.text] {
            if (action)
                action(text);
        },
        Qt::QueuedConnection);
}
