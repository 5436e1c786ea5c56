// The game with a teardown that never ends, as one stuck on a compositor would, for the tests of the bound on it.
#include "Main.h"
#include "Startup.h"

#include <QObject>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

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
}

// Says "running" once its loop runs; with "close" it then closes its window, or else stays until asked to end.
int main(int argc, char* argv[])
{
    const bool close = argc > 1 && std::strcmp(argv[1], "close") == 0;
    return playGame(argv[0], [close](Main& window) {
        new StuckOnTheWayOut(&window);
        QTimer::singleShot(0, &window, [&window, close] {
            std::puts("running");
            std::fflush(stdout);
            if (close)
                window.close();
        });
    });
}
