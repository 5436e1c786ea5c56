// The host's delivery of the minute and the sweep, with intervals shortened on the timer records.
#include "EventCounter.h"
#include "GameWindow.h"

#include <QElapsedTimer>

class HostTimers : public QObject {
    Q_OBJECT

    static void shortenTimers(Main& window, int tick, int minute)
    {
        window.board().Degree.Interval = tick;
        window.board().Clock.Interval = minute;
    }

private slots:
    void nothingMovesBeforeTheFirstPress()
    {
        Main window;
        shortenTimers(window, 5, 50);
        QVERIFY(showAndWait(window));
        QTest::qWait(120);
        QCOMPARE(window.round().SweepAngle, 0.0);
        QVERIFY(!window.prompt().isVisible());
    }

    void theRoundEndsOneMinuteIntervalAfterTheFirstPress()
    {
        Main window;
        shortenTimers(window, 20, 400);
        QVERIFY(showAndWait(window));
        QElapsedTimer sinceFirstPress;
        qint64 promptAfter = -1;
        PromptAnswerer answerer(window, [](int) { return false; });
        answerer.whileShown = [&] { promptAfter = sinceFirstPress.elapsed(); };
        sinceFirstPress.start();
        window.button().click();
        QTest::qWait(150);
        window.button().click();
        QTRY_COMPARE_WITH_TIMEOUT(answerer.shown, 1, 2000);
        // Polling the box adds a few milliseconds; a press that restarted the clock would add 150.
        qInfo("a 400 ms minute ended %lld ms after its first press", promptAfter);
        QVERIFY2(promptAfter >= 400 && promptAfter < 450, qPrintable(QString::number(promptAfter)));
        QCOMPARE(window.round().Pushes, 0);
        QCOMPARE(window.round().BestPushes, 2);
    }

    void noTickReachesTheRulesWhileTheVerdictIsOpen()
    {
        // The sweep must stop with the clock; a tick in the box's event loop would turn the hand.
        Main window;
        shortenTimers(window, 5, 100);
        QVERIFY(showAndWait(window));
        PromptAnswerer answerer(window, [](int) { return false; });
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
        shortenTimers(window, 10, 300);
        QVERIFY(showAndWait(window));
        PromptAnswerer answerer(window, [](int) { return false; });
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
            QVERIFY2(ticksAtPrompt[round] > 24.5 && ticksAtPrompt[round] < 30.5, qPrintable(QString::number(ticksAtPrompt[round])));
            QVERIFY2(msAtPrompt[round] >= 300 && msAtPrompt[round] < 350, qPrintable(QString::number(msAtPrompt[round])));
        }
        QCOMPARE(window.round().SweepAngle, 0.0);
        QVERIFY(window.button().isEnabled());
    }

    void theDesignMinuteEndsOnTimeWithTheSweepHandAtTheTop()
    {
        // The real intervals: a coarse timer would end the round up to half a second off; the bound leaves room for a busy machine.
        Main window;
        QVERIFY(showAndWait(window));
        QElapsedTimer sinceFirstPress;
        qint64 shownAfter = -1;
        double ticks = -1;
        // Read the moment the box is shown, before the answerer polls for it.
        EventCounter watcher(window.prompt(), QEvent::Show, [&] {
            shownAfter = sinceFirstPress.elapsed();
            ticks = window.round().SweepAngle / 0.6;
        });
        PromptAnswerer answerer(window, [](int) { return false; });
        sinceFirstPress.start();
        window.button().click();
        QTRY_COMPARE_WITH_TIMEOUT(answerer.shown, 1, 65000);
        qInfo("verdict shown %lld ms after the first press, after %.1f sweep ticks", shownAfter, ticks);
        QVERIFY2(shownAfter >= 60000 && shownAfter <= 60020, qPrintable(QString::number(shownAfter)));
        QCOMPARE(qRound(ticks), 600);
        QCOMPARE(window.board().Timor.X2, 1500.0f);
    }

    void closingTheWindowDuringARoundAsksNothing()
    {
        auto* window = new Main;
        shortenTimers(*window, 5, 200);
        window->setAttribute(Qt::WA_DeleteOnClose);
        QVERIFY(showAndWait(*window));
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
