// The host's delivery of the minute and the sweep, with intervals shortened on the timer records.
#include "EventCounter.h"
#include "GameWindow.h"

#include <QElapsedTimer>
#include <QTimer>

class HostTimers : public QObject {
    Q_OBJECT

private slots:
    void nothingMovesBeforeTheFirstPress()
    {
        Main window;
        QVERIFY(showAndWait(window, {.minute = 50, .tick = 5}));
        QTest::qWait(120);
        QCOMPARE(window.round().SweepAngle, 0.0);
        QVERIFY(!window.prompt().isVisible());
    }

    void theRoundEndsOneMinuteIntervalAfterTheFirstPress()
    {
        Main window;
        QVERIFY(showAndWait(window, {.minute = 400, .tick = 20}));
        QElapsedTimer sinceFirstPress;
        qint64 promptAfter = -1;
        PromptAnswerer answerer(window);
        answerer.whileShown = [&] { promptAfter = sinceFirstPress.elapsed(); };
        sinceFirstPress.start();
        window.button().click();
        QTest::qWait(150);
        window.button().click();
        QTRY_COMPARE_WITH_TIMEOUT(answerer.shown, 1, 2000);
        // Polling the box adds a few milliseconds, a busy machine some more; a press that restarted the clock would add 150.
        qInfo("a 400 ms minute ended %lld ms after its first press", promptAfter);
        QVERIFY2(promptAfter >= 400 && promptAfter < 500, qPrintable(QString::number(promptAfter)));
        QCOMPARE(window.round().Pushes, 0);
        QCOMPARE(window.round().BestPushes, 2);
    }

    void noTickReachesTheRulesWhileTheVerdictIsOpen()
    {
        // The sweep must stop with the clock; a tick in the box's event loop would turn the hand.
        Main window;
        QVERIFY(showAndWait(window, {.minute = 100, .tick = 5}));
        PromptAnswerer answerer(window);
        double angleAtPrompt = -1;
        double angleLater = -2;
        answerer.whileShown = [&] {
            angleAtPrompt = window.round().SweepAngle;
            QTest::qWait(60);
            angleLater = window.round().SweepAngle;
            QVERIFY(!window.button().isEnabled());
        };
        window.button().click();
        QTRY_COMPARE_WITH_TIMEOUT(answerer.shown, 1, 2000);
        QVERIFY(angleAtPrompt > 0);
        QCOMPARE(angleLater, angleAtPrompt);
    }

    void eachRoundGetsAFullMinuteOfTicksFromAFreshStart()
    {
        // Timers left running or not restarted between rounds would shorten or lengthen the second round.
        Main window;
        QVERIFY(showAndWait(window, {.minute = 300, .tick = 10}));
        PromptAnswerer answerer(window);
        QList<double> ticksAtPrompt;
        QList<qint64> msAtPrompt;
        QElapsedTimer sincePress;
        answerer.whileShown = [&] {
            ticksAtPrompt.append(window.round().SweepAngle / 0.6);
            msAtPrompt.append(sincePress.elapsed());
        };
        for (int round = 1; round <= 2; ++round) {
            QTest::qWait(50);
            sincePress.start();
            window.button().click();
            QTRY_COMPARE_WITH_TIMEOUT(answerer.shown, round, 2000);
        }
        for (int round = 0; round < 2; ++round) {
            qInfo("round %d of 300 ms: verdict after %lld ms and %.1f ticks", round + 1, msAtPrompt[round], ticksAtPrompt[round]);
            // A busy machine drops 10 ms ticks it could not deliver in time, as the game means to (a run beside a
            // build saw 25 of 30); a tick timer not restarted gives none, an angle not reset twice as many.
            QVERIFY2(ticksAtPrompt[round] > 15 && ticksAtPrompt[round] < 30.5, qPrintable(QString::number(ticksAtPrompt[round])));
            // An old clock left running ends the round early; the polled box and a busy machine add a little.
            QVERIFY2(msAtPrompt[round] >= 300 && msAtPrompt[round] < 400, qPrintable(QString::number(msAtPrompt[round])));
        }
        QCOMPARE(window.round().SweepAngle, 0.0);
        QVERIFY(window.button().isEnabled());
    }

    void theDesignMinuteEndsOnTimeWithTheSweepHandAtTheTop()
    {
        // A coarse timer would end the round up to half a second off, a minute counted in ticks later still.
        // A plain precise timer started with the first press is held up by a busy machine as the game is,
        // so the verdict is timed against it rather than against the wall.
        Main window;
        QVERIFY(showAndWait(window));
        QElapsedTimer sinceFirstPress;
        qint64 shownAfter = -1;
        qint64 plainTimerAfter = -1;
        double ticks = -1;
        // Read the moment the box is shown, before the answerer polls for it.
        EventCounter watcher(window.prompt(), QEvent::Show, [&](QEvent&) {
            shownAfter = sinceFirstPress.elapsed();
            ticks = window.round().SweepAngle / 0.6;
        });
        PromptAnswerer answerer(window);
        // Started once the game has taken the press, so that a pause between the two delays the plain timer, not the game.
        connect(&window.button(), &QPushButton::clicked, &window, [&] {
            QTimer::singleShot(60000, Qt::PreciseTimer, &window, [&] { plainTimerAfter = sinceFirstPress.elapsed(); });
        });
        sinceFirstPress.start();
        window.button().click();
        QTRY_COMPARE_WITH_TIMEOUT(answerer.shown, 1, 65000);
        QTRY_VERIFY(plainTimerAfter >= 0);
        qInfo("verdict shown %lld ms after the first press, a plain 60 s timer fired after %lld ms; %.1f sweep ticks",
              shownAfter, plainTimerAfter, ticks);
        QVERIFY2(shownAfter >= 60000, qPrintable(QString::number(shownAfter)));
        // The box takes a few milliseconds to show, more beside a busy suite under a sanitizer.
        QVERIFY2(shownAfter <= plainTimerAfter + 40, qPrintable(QString::number(shownAfter - plainTimerAfter)));
        // A tick that falls due while the thread is held up longer than a tick is dropped, as the game means to;
        // on a machine busy with the rest of the suite one or two are. A wrong interval or start misses more.
        QVERIFY2(qRound(ticks) >= 598 && qRound(ticks) <= 600, qPrintable(QString::number(ticks)));
        if (qRound(ticks) == 600)
            QCOMPARE(window.board().Timor.X2, 1500.0f);
    }

    void closingTheWindowDuringARoundAsksNothing()
    {
        auto* window = new Main;
        window->setAttribute(Qt::WA_DeleteOnClose);
        QVERIFY(showAndWait(*window, {.minute = 200, .tick = 5}));
        QPointer<Main> alive(window);
        window->button().click();
        window->close();
        QTRY_VERIFY(alive.isNull());
        QTest::qWait(300);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }
};

QTEST_MAIN(HostTimers)
#include "host_timers_test.moc"
