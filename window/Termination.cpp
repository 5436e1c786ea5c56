// Ending the game in order on a termination signal: the held are read from a signalfd in the
// event loop, so nothing runs inside a signal handler and the exit is the ordinary one.
#include "Termination.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {
sigset_t terminationSignals()
{
    sigset_t held;
    sigemptyset(&held);
    for (int number : {SIGTERM, SIGINT, SIGHUP})
        sigaddset(&held, number);
    return held;
}
}

void holdTerminationSignals()
{
    const sigset_t held = terminationSignals();
    pthread_sigmask(SIG_BLOCK, &held, nullptr);
}

void quitOnTerminationSignals()
{
    const sigset_t held = terminationSignals();
    const int descriptor = signalfd(-1, &held, SFD_CLOEXEC | SFD_NONBLOCK);
    if (descriptor < 0) {
        // Without the descriptor the held would stay held for good; give them back instead.
        pthread_sigmask(SIG_UNBLOCK, &held, nullptr);
        return;
    }
    auto* notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [descriptor] {
        signalfd_siginfo info;
        while (read(descriptor, &info, sizeof info) == sizeof info) {
        }
        QCoreApplication::exit(0);
    });
}
