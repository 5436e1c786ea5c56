// Drawing at the display's pace: a lone press at once, a flood once a frame, and the screen always ending on the records.
#include "EventCounter.h"
#include "GameWindow.h"
#include "Twips.h"

#include <QElapsedTimer>
#include <QPaintEvent>
#include <QRandomGenerator>
#include <QScreen>

#include <set>
#include <utility>

namespace {
const QRect DialPixels(0, 0, 200, 200);
// The pivot of both hands: every place of the sweep hand is drawn through it.
const QRect PivotPixels(98, 98, 4, 4);

// What the screen shows; the offscreen platform hands back the window's backing store.
QImage onScreen(Main& window)
{
    return window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
}

// What a full redraw of the records as they are now gives.
QImage redrawn(Main& window) { return window.grab().toImage().convertToFormat(QImage::Format_RGB32); }

qint64 framePeriodMs(const QWidget& window)
{
    const qreal hz = window.screen()->refreshRate();
    return qint64(1000 / (hz >= 1 && hz <= 1000 ? hz : 60)) + 1;
}

std::pair<int, int> sweepEnd(Main& window) { return {window.board().Timor.X2, window.board().Timor.Y2}; }

// Notes each paint of the board, and where the sweep hand stood in the records when it was drawn.
struct PaintLog {
    explicit PaintLog(Main& window)
        : paints(window, QEvent::Paint, [this, &window](QEvent& event) {
              const QRect area = static_cast<QPaintEvent&>(event).rect();
              if (area.intersects(DialPixels))
                  ++dialPaints;
              if (area.contains(PivotPixels))
                  sweepEndsDrawn.insert(sweepEnd(window));
          })
    {
    }

    int dialPaints = 0;
    std::set<std::pair<int, int>> sweepEndsDrawn;
    EventCounter paints;
};
}

class FramePacing : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        if (QGuiApplication::primaryScreen()->devicePixelRatio() != 1)
            QSKIP("the offscreen screen hands back its windows at 1x only");
    }

    void aPressAfterAQuietFrameIsDrawnByTheVeryNextPass()
    {
        // Pacing that holds every press back for a later frame adds a frame of lag at human rates,
        // and more so if further presses follow the first before the event loop comes round.
        Main window;
        QVERIFY(showAndWait(window, {.minute = AnHour, .tick = AnHour}));
        PaintLog log(window);
        for (int presses = 1; presses <= 5; ++presses) {
            QTest::qWait(int(3 * framePeriodMs(window)));
            const QColor before = onScreen(window).pixelColor(100, 180);
            const int paintsBefore = log.dialPaints;
            for (int press = 0; press < presses; ++press)
                window.button().click();
            QCoreApplication::sendPostedEvents();
            QCOMPARE(log.dialPaints, paintsBefore + 1);
            const QColor shown = onScreen(window).pixelColor(100, 180);
            QCOMPARE(shown, qColour(window.board().Background.BackColor));
            QVERIFY(shown != before);
        }
    }

    void aFloodIsDrawnAtMostOnceAFrame()
    {
        // Drawing every press of a flood makes the game fall behind the clicks it is sent.
        Main window;
        QVERIFY(showAndWait(window, {.minute = AnHour, .tick = AnHour}));
        PaintLog log(window);
        QElapsedTimer flood;
        flood.start();
        // Long enough for a dozen frames, so the screen is also seen to keep up while the flood lasts.
        int passes = 0;
        for (; passes < 300 || flood.elapsed() < 12 * framePeriodMs(window); ++passes) {
            for (int press = 0; press < 3; ++press)
                window.button().click();
            QCoreApplication::processEvents();
        }
        const qint64 elapsed = flood.elapsed();
        const qint64 frames = elapsed / framePeriodMs(window) + 1;
        qInfo("%d paints of the dial in %lld ms for %d passes of 3 presses", log.dialPaints, elapsed, passes);
        QCOMPARE(window.round().Pushes, 3 * passes);
        QVERIFY2(log.dialPaints <= frames + 1, qPrintable(QString("%1 paints in %2 frames").arg(log.dialPaints).arg(frames)));
        QVERIFY2(log.dialPaints >= 3, qPrintable(QString("%1 paints in %2 frames").arg(log.dialPaints).arg(frames)));
        // The flood's end is not left waiting for another event: it is drawn with the next frame.
        QElapsedTimer sinceFlood;
        sinceFlood.start();
        QTRY_COMPARE_WITH_TIMEOUT(onScreen(window), redrawn(window), 1000);
        qInfo("the flood's end drawn %lld ms after its last press", sinceFlood.elapsed());
    }

    void afterEveryBurstTheScreenShowsExactlyTheRecords()
    {
        // A change held for a frame and then dropped, or a sweep tick drawn over before it was shown,
        // leaves the screen behind the records; the seed keeps a failure repeatable.
        Main window;
        QVERIFY(showAndWait(window, {.minute = AnHour, .tick = 40}));
        PaintLog log(window);
        QRandomGenerator random(20261208);
        std::set<std::pair<int, int>> sweepEndsReached;
        for (int burst = 0; burst < 40; ++burst) {
            window.board().Degree.Enabled = window.round().Pushes > 0;
            const int passes = random.bounded(1, 25);
            for (int pass = 0; pass < passes; ++pass) {
                const int presses = random.bounded(0, 5);
                for (int press = 0; press < presses; ++press)
                    window.button().click();
                // Now and then the event loop is held up, as on a busy machine, so timers fall due together.
                if (random.bounded(0, 4) == 0)
                    QTest::qSleep(random.bounded(1, 60));
                QCoreApplication::processEvents();
                sweepEndsReached.insert(sweepEnd(window));
            }
            // The sweep is held still, so the last event is known and the board must settle on it.
            window.board().Degree.Enabled = false;
            QTest::qWait(int(4 * framePeriodMs(window)));
            sweepEndsReached.insert(sweepEnd(window));
            QVERIFY2(onScreen(window) == redrawn(window), qPrintable(QString("burst %1, %2 presses").arg(burst).arg(static_cast<long long>(window.round().Pushes))));
        }
        qInfo("%lld presses, %zu places of the sweep hand", static_cast<long long>(window.round().Pushes), sweepEndsReached.size());
        QVERIFY(sweepEndsReached.size() > 10);
        for (const auto& end : sweepEndsReached)
            QVERIFY2(log.sweepEndsDrawn.count(end), qPrintable(QString("sweep hand at %1,%2 never drawn").arg(end.first).arg(end.second)));
    }
};

QTEST_MAIN(FramePacing)
#include "frame_pacing_test.moc"
