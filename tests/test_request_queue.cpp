// The request queue and its worker: expiry strictly after the delay, the wrap
// of the tick counter, queue order, the thread the action runs on, an idle
// worker doing nothing, and starting and stopping the worker.
#include "ManualClock.h"
#include "link/Item.h"
#include "link/RequestQueue.h"
#include "link/TQueryThread.h"

#include <QTest>
#include <QThread>

#include <memory>
#include <optional>

class TestRequestQueue : public QObject {
    Q_OBJECT

private:
    static constexpr quint32 Delay = TQueryThread::DefaultExpiryDelay;

    std::unique_ptr<ManualClock> m_clock;
    std::unique_ptr<RequestQueue> m_queue;
    std::unique_ptr<TQueryThread> m_worker;
    QStringList m_ran;
    QList<QThread *> m_ranOn;

    Item item(const QString &text, quint32 queuedAt)
    {
        return Item{text, 123, queuedAt, [this](const QString &itemText) {
                        m_ran.append(itemText);
                        m_ranOn.append(QThread::currentThread());
                    }};
    }

    Item chained(int round, int lastRound)
    {
        return Item{QString::number(round), 123, 0, [this, round, lastRound](const QString &text) {
                        m_ran.append(text);
                        if (round < lastRound)
                            m_queue->append(chained(round + 1, lastRound));
                    }};
    }

    // True once the worker has looked at the head twice more (the first of
    // those checks may have read the clock before the test last moved it), or
    // has emptied the queue and gone idle.
    [[nodiscard]] bool freshChecks() const
    {
        const std::uint64_t before = m_worker->checkCount();
        return QTest::qWaitFor(
            [&] { return m_worker->checkCount() >= before + 2 || !m_queue->isNotifyWorkSet(); });
    }

private Q_SLOTS:
    void init()
    {
        m_clock = std::make_unique<ManualClock>();
        m_queue = std::make_unique<RequestQueue>();
        m_worker = std::make_unique<TQueryThread>(*m_queue, *m_clock);
        m_ran.clear();
        m_ranOn.clear();
    }
    void cleanup()
    {
        // The worker goes first: it must never outlive the queue.
        m_worker.reset();
        m_queue.reset();
        m_clock.reset();
    }

    void expiresOnlyAfterTheDelay_data()
    {
        QTest::addColumn<quint32>("queuedAt");
        // clang-format off
        QTest::newRow("ordinary")                            << 5000U;
        QTest::newRow("across the wrap of the tick counter") << 0xFFFFFFFFU - 1000U;
        // clang-format on
    }
    void expiresOnlyAfterTheDelay()
    {
        QFETCH(quint32, queuedAt);
        m_clock->ticks = queuedAt;
        m_queue->append(item(QStringLiteral("Item1"), queuedAt));
        QVERIFY(m_queue->isNotifyWorkSet());
        m_worker->resume();

        m_clock->advance(Delay);
        QVERIFY(freshChecks());
        QCoreApplication::processEvents();
        QVERIFY(m_ran.isEmpty());

        m_clock->advance(1);
        QTRY_COMPARE(m_ran, QStringList{QStringLiteral("Item1")});
        // The action uses the window thread's socket and buffer, so it must run there.
        QCOMPARE(m_ranOn.first(), QCoreApplication::instance()->thread());
        QTRY_VERIFY(!m_queue->isNotifyWorkSet());
        QCOMPARE(m_queue->size(), 0);
    }

    void expiresInQueueOrder()
    {
        m_clock->ticks = 1000;
        m_queue->append(item(QStringLiteral("first"), 1000));
        m_clock->advance(10000);
        m_queue->append(item(QStringLiteral("second"), 11000));
        m_worker->resume();

        m_clock->ticks = 1000 + Delay + 1;
        QTRY_COMPARE(m_ran, QStringList{QStringLiteral("first")});
        QVERIFY(m_queue->isNotifyWorkSet());

        m_clock->ticks = 11000 + Delay;
        QVERIFY(freshChecks());
        QCoreApplication::processEvents();
        QCOMPARE(m_ran.size(), 1);

        m_clock->advance(1);
        QTRY_COMPARE(m_ran, (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
        QTRY_VERIFY(!m_queue->isNotifyWorkSet());
    }

    void idleOnceTheQueueIsEmpty()
    {
        m_queue->append(item(QStringLiteral("Item1"), 0));
        m_clock->ticks = Delay + 1;
        m_worker->resume();
        QTRY_COMPARE(m_ran.size(), 1);
        QTRY_VERIFY(!m_queue->isNotifyWorkSet());

        const std::uint64_t checks = m_worker->checkCount();
        QTest::qWait(200);
        QCOMPARE(m_worker->checkCount(), checks);
        QVERIFY(m_worker->isRunning());
    }

    // Each entry is due at once and its action appends the next one, so the
    // append lands while the worker removes the previous head and resets
    // NotifyWork. A lost wake-up would leave an entry queued and the worker asleep.
    void wakesForEveryAppend()
    {
        constexpr int Rounds = 300;
        m_clock->ticks = Delay + 1;
        m_worker->resume();
        m_queue->append(chained(1, Rounds));
        QTRY_COMPARE(m_ran.size(), Rounds);
        QTRY_VERIFY(!m_queue->isNotifyWorkSet());
        QCOMPARE(m_queue->size(), 0);
    }

    void nothingRunsBeforeResume()
    {
        m_queue->append(item(QStringLiteral("Item1"), 0));
        m_clock->ticks = 10 * Delay;
        QTest::qWait(200);
        QVERIFY(!m_worker->isRunning());
        QCOMPARE(m_worker->checkCount(), std::uint64_t{0});
        QVERIFY(m_ran.isEmpty());

        m_worker->resume();
        m_worker->resume();
        QTRY_COMPARE(m_ran, QStringList{QStringLiteral("Item1")});
    }

    void stopsWithEntriesQueued_data()
    {
        QTest::addColumn<bool>("byDestructor");
        // clang-format off
        QTest::newRow("stop")       << false;
        QTest::newRow("destructor") << true;
        // clang-format on
    }
    void stopsWithEntriesQueued()
    {
        QFETCH(bool, byDestructor);
        m_queue->append(item(QStringLiteral("first"), 0));
        m_queue->append(item(QStringLiteral("second"), 0));
        m_worker->resume();
        QTRY_VERIFY(m_worker->checkCount() > 0);

        if (byDestructor) {
            m_worker.reset();
        } else {
            m_worker->stop();
            QVERIFY(m_worker->isFinished());
            m_worker->resume();
            QVERIFY(!m_worker->isRunning());
        }
        QCOMPARE(m_queue->size(), 2);
        m_clock->ticks = 10 * Delay;
        QCoreApplication::processEvents();
        QVERIFY(m_ran.isEmpty());
    }

    // The real tick source with a short delay, as the end-to-end tests use it.
    void systemClockWaitsMoreThanTheDelay()
    {
        constexpr std::uint32_t ShortDelay = 30;
        SystemClock clock;
        const quint32 queuedAt = clock.tickCount();
        std::optional<std::uint32_t> waited;
        m_queue->append(Item{QStringLiteral("Item1"), 123, queuedAt,
                             [&](const QString &) { waited = clock.tickCount() - queuedAt; }});
        TQueryThread worker(*m_queue, clock, ShortDelay);
        worker.resume();
        QTRY_VERIFY(waited.has_value());
        QVERIFY(*waited > ShortDelay);
    }
};

QTEST_GUILESS_MAIN(TestRequestQueue)
#include "test_request_queue.moc"
