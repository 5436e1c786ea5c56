// Ending the game on a termination signal or a stuck teardown. A guard thread reads the held signals from a signalfd:
// while the event loop runs it quits the loop, so the exit is the ordinary one; before and after the loop it ends the
// process itself. Once the loop has ended, a teardown that does not end is cut short. The game keeps nothing to save.
#include "Termination.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <atomic>
#include <chrono>
#include <csignal>
#include <mutex>
#include <thread>

#include <poll.h>
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

// Ends the process at the first signal outside the loop, at a second one, or once a signal's teardown outlasts the bound.
// A wait cut short by some other signal, handled on this thread, is only waited again.
void guard(int signalReader)
{
    pollfd watched{signalReader, POLLIN, 0};
    int bound = -1;
    while (const int ready = poll(&watched, 1, bound)) {
        if (ready < 0)
            continue;
        signalfd_siginfo info;
        while (read(signalReader, &info, sizeof info) == sizeof info) {
        }
        if (bound >= 0 || !quitTheRunningLoop())
            break;
        bound = TeardownBoundMs;
    }
    _exit(finalStatus.load());
}
}

void holdTerminationSignals()
{
    const sigset_t held = terminationSignals();
    pthread_sigmask(SIG_BLOCK, &held, nullptr);
    const int signalReader = signalfd(-1, &held, SFD_CLOEXEC | SFD_NONBLOCK);
    if (signalReader < 0) {
        // Without the guard the signals would stay held for good; give them back instead.
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
    std::thread([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(TeardownBoundMs));
        _exit(finalStatus.load());
    }).detach();
}
