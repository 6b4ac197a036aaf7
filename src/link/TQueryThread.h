#pragma once

#include <QThread>

#include <atomic>
#include <chrono>
#include <cstdint>

class TickSource;
class RequestQueue;
struct Item;

// The request worker: watches the head of the request queue and runs its
// action once the entry has waited longer than the expiry delay.
//
// Created suspended; the first resume() starts it. The action runs on the
// thread that created this object (the window thread), because it writes
// SendBuffer and uses the TCP client, which belong there. The queue must
// outlive this object; the destructor stops and joins the worker.
class TQueryThread final : public QThread {
    Q_OBJECT

public:
    static constexpr std::uint32_t DefaultExpiryDelay = 60000;

    TQueryThread(RequestQueue &queue, const TickSource &clock,
                 std::uint32_t expiryDelay = DefaultExpiryDelay, QObject *parent = nullptr);
    ~TQueryThread() override;
    Q_DISABLE_COPY_MOVE(TQueryThread)

    // Starts the worker the first time; later calls, and calls after stop(), do nothing.
    void resume();
    // Ends the worker's loop and waits for the thread; entries still queued stay queued.
    void stop();

    // How many times the worker has examined a head entry. An idle worker
    // leaves it unchanged, which is how tests see that it does no work.
    std::uint64_t checkCount() const { return m_checkCount.load(); }

protected:
    void run() override;
    void Execute();

private:
    bool stopRequested() const { return m_stopRequested.load(); }
    std::chrono::milliseconds timeUntilDue(std::uint32_t age) const;
    void postAction(const Item &head);

    RequestQueue &m_queue;
    const TickSource &m_clock;
    const std::uint32_t m_expiryDelay;
    bool m_started = false;
    std::atomic<bool> m_stopRequested = false;
    std::atomic<std::uint64_t> m_checkCount = 0;
};
