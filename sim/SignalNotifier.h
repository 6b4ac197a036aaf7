#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <initializer_list>
#include <memory>

// Turns Unix signals into a Qt signal on the event loop: the handler only
// writes the signal number into a socket pair, whose reading end is watched
// like any other socket. One instance per process.
class SignalNotifier final : public QObject {
    Q_OBJECT

public:
    explicit SignalNotifier(std::initializer_list<int> signalNumbers, QObject *parent = nullptr);
    ~SignalNotifier() override;
    Q_DISABLE_COPY_MOVE(SignalNotifier)

Q_SIGNALS:
    void received(int signalNumber);

private:
    static void handle(int signalNumber);
    void readSignals();

    std::unique_ptr<QSocketNotifier> m_notifier;
    QList<int> m_signals;
};
