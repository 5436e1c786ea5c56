// One press through the whole window path offscreen: the click, the game's rules, the repaint of what changed,
// measured for the game's window beside the toolkit floor's.
#include "FloorWindow.h"
#include "Main.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>

#include <memory>

namespace {
// A round at ten presses a second is about 600 presses; past 720 the dial stops changing colour and a
// press gets cheaper, so each window plays one such round and is then replaced by a fresh one.
constexpr int PressesPerWindow = 600;

// The benchmark library reports a skipped benchmark but still exits 0; the smoke test needs a failure.
bool anyPressUnpainted = false;

class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

template <class Window>
struct ShownWindow {
    Window window;
    PaintCounter counter;

    ShownWindow()
    {
        window.show();
        QCoreApplication::processEvents();
        window.installEventFilter(&counter);
    }
};

// Everything a press posts, the repaint among it, is delivered here; timers are left alone so a
// sweep tick never lands inside a measured press.
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
                paints += shown->counter.paints;
            shown.reset();
            shown = std::make_unique<ShownWindow<Window>>();
            state.ResumeTiming();
        }
        pressAndPaint(shown->window.button());
        ++presses;
    }
    paints += shown ? shown->counter.paints : 0;
    // A press that did not reach the screen would make the number meaningless.
    if (paints != presses) {
        anyPressUnpainted = true;
        state.SkipWithError("not every press was painted");
    }
}

void GamePress(benchmark::State& state) { pressThroughWindow<Main>(state); }
void FloorPress(benchmark::State& state) { pressThroughWindow<FloorWindow>(state); }
}

BENCHMARK(GamePress);
BENCHMARK(FloorPress);

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return anyPressUnpainted ? 1 : 0;
}
