// The game with a teardown that never ends, as one stuck on a compositor would, for the tests of the bound on it.
#include "Main.h"
#include "Startup.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include <sys/syscall.h>
#include <unistd.h>

namespace {
// Taken down with the window, after the loop has ended; it never returns.
class StuckOnTheWayOut : public QObject {
public:
    using QObject::QObject;
    ~StuckOnTheWayOut() override
    {
        for (;;)
            std::this_thread::sleep_for(std::chrono::hours(1));
    }
};

// Every thread of the game takes a signal that is none of the game's business, as one a library handles would.
void interruptEveryThread()
{
    std::signal(SIGUSR1, [](int) {});
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task"))
        syscall(SYS_tgkill, getpid(), std::stoi(task.path().filename().string()), SIGUSR1);
}
}

// Says "running" once its loop runs. With "close" it then closes its window; with "interrupt" every thread of it has
// first taken a signal it does not end on; else it stays until asked to end.
int main(int argc, char* argv[])
{
    const std::string mode = argc > 1 ? argv[1] : "";
    return playGame(argv[0], [mode](Main& window) {
        new StuckOnTheWayOut(&window);
        QTimer::singleShot(0, &window, [&window, mode] {
            if (mode == "interrupt")
                interruptEveryThread();
            std::puts("running");
            std::fflush(stdout);
            if (mode == "close")
                window.close();
        });
    });
}
