// Ending the game on a termination signal or a stuck teardown. A guard thread reads the held signalReader from a
// signalfd: while the event loop runs it quits the loop, so the exit is the ordinary one; before and after the loop,
// and when the toolkit's own teardown does not end, it ends the process itself. The game keeps nothing to save.
#include "Termination.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <atomic>
#include <csignal>
#include <mutex>
#include <thread>

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {
// Long enough for the toolkit to take its windows down on a loaded machine or under a sanitizer, which takes well
// under a second; short enough that a player never sees a game that will not go.
constexpr int TeardownBoundMs = 3000;

enum class Stage { Starting, Running, Ending };

std::mutex stageLock;
Stage stage = Stage::Starting;
std::atomic<int> finalStatus{0};
int teardownNotice = -1;

sigset_t terminationSignals()
{
    sigset_t held;
    sigemptyset(&held);
    for (int number : {SIGTERM, SIGINT, SIGHUP})
        sigaddset(&held, number);
    return held;
}

// True when the loop was running and has been asked to quit; the application cannot go away meanwhile.
bool quitTheRunningLoop()
{
    const std::lock_guard locked(stageLock);
    if (stage != Stage::Running)
        return false;
    stage = Stage::Ending;
    QMetaObject::invokeMethod(QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    return true;
}

void guard(int signalReader)
{
    int bound = -1;
    for (;;) {
        pollfd watched[2] = {{signalReader, POLLIN, 0}, {teardownNotice, POLLIN, 0}};
        if (poll(watched, 2, bound) == 0)
            _exit(finalStatus.load());
        if (watched[0].revents & POLLIN) {
            signalfd_siginfo info;
            while (read(signalReader, &info, sizeof info) == sizeof info) {
            }
            // A second signal, or one outside the loop, is not waited on.
            if (bound >= 0 || !quitTheRunningLoop())
                _exit(finalStatus.load());
            bound = TeardownBoundMs;
        }
        if (watched[1].revents & POLLIN) {
            // Read the notice, or it would stay readable and the bound would start again on every turn.
            eventfd_t notices;
            [[maybe_unused]] const int read = eventfd_read(teardownNotice, &notices);
            if (bound < 0)
                bound = TeardownBoundMs;
        }
    }
}
}

void holdTerminationSignals()
{
    const sigset_t held = terminationSignals();
    pthread_sigmask(SIG_BLOCK, &held, nullptr);
    const int signalReader = signalfd(-1, &held, SFD_CLOEXEC | SFD_NONBLOCK);
    teardownNotice = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (signalReader < 0 || teardownNotice < 0) {
        // Without the guard the held would stay held for good; give them back instead.
        pthread_sigmask(SIG_UNBLOCK, &held, nullptr);
        return;
    }
    std::thread(guard, signalReader).detach();
}

void quitOnTerminationSignals()
{
    const std::lock_guard locked(stageLock);
    if (stage == Stage::Starting)
        stage = Stage::Running;
}

void boundTheTeardown(int status)
{
    finalStatus = status;
    {
        const std::lock_guard locked(stageLock);
        stage = Stage::Ending;
    }
    if (teardownNotice >= 0) {
        const eventfd_t one = 1;
        [[maybe_unused]] const ssize_t written = write(teardownNotice, &one, sizeof one);
    }
}
