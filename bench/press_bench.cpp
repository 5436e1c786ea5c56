// One press offscreen, measured for the game's window beside the toolkit floor's: the click, the rules and the
// window's sync alone, and the same with the repaint of what changed.
#include "EventCounter.h"
#include "FloorWindow.h"
#include "Main.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>

#include <chrono>
#include <memory>

namespace {
// A round at ten presses a second is about 600 presses; past 720 the dial stops changing colour and a
// press gets cheaper, so each window plays one such round and is then replaced by a fresh one.
constexpr int PressesPerWindow = 600;

// The benchmark library reports a skipped benchmark but still exits 0; the smoke test needs a failure.
bool anyPressUnpainted = false;

template <class Window>
struct ShownWindow {
    Window window;
    EventCounter paintCounter{QEvent::Paint};

    ShownWindow()
    {
        window.show();
        QCoreApplication::processEvents();
        paintCounter.watch(window);
    }
};

// Everything a press posts, the repaint among it, is delivered here; timers are left alone so a
// sweep tick never lands inside a measured press, and a round never ends.
void pressAndPaint(QPushButton& button)
{
    button.click();
    QCoreApplication::sendPostedEvents();
}

template <class Window>
void pressThroughWindow(benchmark::State& state)
{
    std::unique_ptr<ShownWindow<Window>> shown;
    std::int64_t presses = 0;
    std::int64_t paints = 0;
    for (auto _ : state) {
        if (presses % PressesPerWindow == 0) {
            state.PauseTiming();
            if (shown)
                paints += shown->paintCounter.count();
            shown.reset();
            shown = std::make_unique<ShownWindow<Window>>();
            state.ResumeTiming();
        }
        pressAndPaint(shown->window.button());
        ++presses;
    }
    paints += shown ? shown->paintCounter.count() : 0;
    // A press that did not reach the screen would make the number meaningless.
    if (paints != presses) {
        anyPressUnpainted = true;
        state.SkipWithError("not every press was painted");
    }
}

int countOf(const Main& window) { return static_cast<int>(window.round().Pushes); }
int countOf(const FloorWindow& window) { return window.presses(); }

// Only QAbstractButton::click() is timed: the pressed, released and clicked signals, the rules, and the
// window's sync of its widgets and timers and of the area it marks for repaint. No mouse event is dispatched
// and no paint runs inside the clock; the paint is delivered after it, so each press finds the window
// painted, as a player's next press would.
// The benchmark library's skip does not fail the run either.
bool anyPressUncounted = false;

template <class Window>
void pressWithoutPaint(benchmark::State& state)
{
    std::unique_ptr<ShownWindow<Window>> shown;
    int pressesInWindow = 0;
    bool allCounted = true;
    for (auto _ : state) {
        if (!shown || pressesInWindow == PressesPerWindow) {
            allCounted = allCounted && (!shown || countOf(shown->window) == pressesInWindow);
            shown.reset();
            shown = std::make_unique<ShownWindow<Window>>();
            pressesInWindow = 0;
        }
        QPushButton& button = shown->window.button();
        const auto start = std::chrono::steady_clock::now();
        button.click();
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        QCoreApplication::sendPostedEvents();
        ++pressesInWindow;
    }
    if (!allCounted || (shown && countOf(shown->window) != pressesInWindow)) {
        anyPressUncounted = true;
        state.SkipWithError("not every press was counted");
    }
}

void GamePressNoPaint(benchmark::State& state) { pressWithoutPaint<Main>(state); }
void FloorPressNoPaint(benchmark::State& state) { pressWithoutPaint<FloorWindow>(state); }
void GamePressAndPaint(benchmark::State& state) { pressThroughWindow<Main>(state); }
void FloorPressAndPaint(benchmark::State& state) { pressThroughWindow<FloorWindow>(state); }
}

// The clock is read around each press, so the iterations are fixed: a sum of microsecond presses would
// otherwise call for a great many of them, each with its paint delivered outside the clock.
BENCHMARK(GamePressNoPaint)->UseManualTime()->Iterations(6000);
BENCHMARK(FloorPressNoPaint)->UseManualTime()->Iterations(6000);
BENCHMARK(GamePressAndPaint);
BENCHMARK(FloorPressAndPaint);

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return anyPressUnpainted || anyPressUncounted ? 1 : 0;
}
