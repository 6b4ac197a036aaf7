#include "SignalNotifier.h"

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int pipeEnds[2] = {-1, -1}; // [0] written by the handler, [1] read on the event loop

} // namespace

SignalNotifier::SignalNotifier(std::initializer_list<int> signalNumbers, QObject *parent)
    : QObject(parent)
    , m_signals(signalNumbers)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, pipeEnds) != 0)
        return;
    m_notifier = std::make_unique<QSocketNotifier>(pipeEnds[1], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &SignalNotifier::readSignals);
    struct sigaction action = {};
    action.sa_handler = &SignalNotifier::handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : m_signals)
        ::sigaction(number, &action, nullptr);
}

SignalNotifier::~SignalNotifier()
{
    for (const int number : m_signals)
        std::signal(number, SIG_DFL);
    m_notifier.reset();
    for (int &end : pipeEnds) {
        if (end >= 0)
            ::close(end);
        end = -1;
    }
}

void SignalNotifier::handle(int signalNumber)
{
    const char byte = static_cast<char>(signalNumber);
    if (::write(pipeEnds[0], &byte, 1) < 0) {
        // Nothing can be done about it inside a signal handler.
    }
}

void SignalNotifier::readSignals()
{
    char byte = 0;
    if (::read(pipeEnds[1], &byte, 1) == 1)
        Q_EMIT received(static_cast<unsigned char>(byte));
}
