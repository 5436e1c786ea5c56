// A timer that fires on its deadline to the microsecond, not the millisecond, for the minute and its sweep.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include <chrono>
#include <memory>

// The toolkit's precise timers sleep in whole milliseconds, rounded up, so each expiry comes up to a
// millisecond late. A kernel timer read through the event loop wakes it on the deadline itself. Where
// no such timer can be had, the toolkit's precise timer stands in.
class ExactTimer : public QObject {
    Q_OBJECT
public:
    using Clock = std::chrono::steady_clock;

    explicit ExactTimer(QObject* parent = nullptr);
    ~ExactTimer() override;

    // Fires every interval, counted from `from`, until stopped; an expiry missed while the thread was
    // busy is not made up.
    void start(std::chrono::milliseconds interval, Clock::time_point from = Clock::now());
    // Forgets the time counted so far, and any expiry that fell due but was not yet delivered.
    void stop();
    bool isActive() const { return m_active; }

    // Delivers an expiry that has fallen due but is still waiting in the event loop, so that events
    // can be taken in the order they fell due. True if there was one.
    bool deliverIfDue();

signals:
    void timeout();

private:
    void onReadable();
    bool consumeExpiries();

    int m_fd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QTimer m_fallback;
    bool m_active = false;
};
