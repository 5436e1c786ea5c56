// The game's timer for the minute and the sweep: on its deadline, never before it, and nothing after a stop.
#include "ExactTimer.h"

#include <QCoreApplication>
#include <QTest>

#include <thread>

using namespace std::chrono_literals;

// A timer that counts its expiries as they are delivered.
class CountedTimer : public ExactTimer {
public:
    CountedTimer()
    {
        connect(this, &ExactTimer::timeout, [this] { ++fired; });
    }
    int fired = 0;
};

class ExactTimerTest : public QObject {
    Q_OBJECT

    // Holds the thread as a busy handler would, so expiries pile up without being delivered.
    static void stayBusy(std::chrono::milliseconds span) { std::this_thread::sleep_for(span); }

    // Waits for the timer's first expiry and tells when it came.
    static ExactTimer::Clock::time_point firstExpiry(ExactTimer& timer)
    {
        ExactTimer::Clock::time_point firedAt;
        const auto connection = connect(&timer, &ExactTimer::timeout, [&] {
            if (firedAt == ExactTimer::Clock::time_point())
                firedAt = ExactTimer::Clock::now();
        });
        // Where it never comes, the start of the clock's epoch fails every check against a deadline.
        const bool fired = QTest::qWaitFor([&] { return firedAt != ExactTimer::Clock::time_point(); }, 2000);
        disconnect(connection);
        return fired ? firedAt : ExactTimer::Clock::time_point();
    }

private slots:
    void firesOnItsDeadlineAndNeverBefore()
    {
        // A timer rounded down to the millisecond, or counted from the wrong instant, ends the minute early.
        ExactTimer timer;
        const auto from = ExactTimer::Clock::now();
        timer.start(30ms, from);
        QVERIFY(firstExpiry(timer) >= from + 30ms);
    }

    void anExpiryThatFellDueBeforeAStopIsNeverDelivered()
    {
        // Once the rules switch a timer off, a tick already due must not reach them.
        CountedTimer timer;
        timer.start(1ms);
        stayBusy(10ms);
        timer.stop();
        QVERIFY(!timer.isActive());
        QTest::qWait(20);
        QCOMPARE(timer.fired, 0);
        QVERIFY(!timer.deliverIfDue());
    }

    void expiriesMissedWhileBusyAreDeliveredOnceNotMadeUp()
    {
        // Ten ticks owed after a busy spell would spin the sweep hand forward in one go.
        CountedTimer timer;
        timer.start(2ms);
        stayBusy(25ms);
        QCoreApplication::processEvents();
        QCOMPARE(timer.fired, 1);
        timer.stop();
    }

    void aDueExpiryCanBeTakenAheadOfTheEventLoop()
    {
        // The end of the minute takes the sweep's last tick first when both fell due together.
        CountedTimer timer;
        timer.start(20ms);
        QVERIFY(!timer.deliverIfDue());
        stayBusy(25ms);
        QVERIFY(timer.deliverIfDue());
        QCOMPARE(timer.fired, 1);
        QVERIFY(!timer.deliverIfDue());
        timer.stop();
    }

    void restartingCountsAFreshIntervalFromTheNewStart()
    {
        // A timer re-enabled for the next round must not keep the time counted in the last one.
        ExactTimer timer;
        timer.start(40ms);
        stayBusy(30ms);
        timer.stop();
        const auto restart = ExactTimer::Clock::now();
        timer.start(40ms, restart);
        QVERIFY(firstExpiry(timer) >= restart + 40ms);
        timer.stop();
    }
};

QTEST_GUILESS_MAIN(ExactTimerTest)
#include "exact_timer_test.moc"
