// A kernel timer (timerfd) on the monotonic clock, read by the event loop when it falls due.
#include "ExactTimer.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <cstdint>

namespace {
timespec asTimespec(std::chrono::nanoseconds ns)
{
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(ns);
    return {static_cast<time_t>(seconds.count()), static_cast<long>((ns - seconds).count())};
}
}

ExactTimer::ExactTimer(QObject* parent) : QObject(parent)
{
    m_fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_fd >= 0) {
        m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
        m_notifier->setEnabled(false);
        connect(m_notifier.get(), &QSocketNotifier::activated, this, &ExactTimer::onReadable);
    } else {
        m_fallback.setTimerType(Qt::PreciseTimer);
        connect(&m_fallback, &QTimer::timeout, this, &ExactTimer::timeout);
    }
}

ExactTimer::~ExactTimer()
{
    m_notifier.reset();
    if (m_fd >= 0)
        close(m_fd);
}

// The steady clock is the kernel's monotonic clock, so its time points serve as absolute deadlines.
void ExactTimer::start(std::chrono::milliseconds interval, Clock::time_point from)
{
    m_active = true;
    if (m_fd < 0) {
        m_fallback.start(interval);
        return;
    }
    itimerspec deadline{};
    deadline.it_interval = asTimespec(interval);
    deadline.it_value = asTimespec((from + interval).time_since_epoch());
    timerfd_settime(m_fd, TFD_TIMER_ABSTIME, &deadline, nullptr);
    m_notifier->setEnabled(true);
}

// Setting the timer anew also clears the count of expiries not yet read.
void ExactTimer::stop()
{
    m_active = false;
    if (m_fd < 0) {
        m_fallback.stop();
        return;
    }
    const itimerspec disarmed{};
    timerfd_settime(m_fd, 0, &disarmed, nullptr);
    m_notifier->setEnabled(false);
}

bool ExactTimer::deliverIfDue()
{
    if (!m_active || m_fd < 0 || !consumeExpiries())
        return false;
    emit timeout();
    return true;
}

void ExactTimer::onReadable()
{
    if (m_active && consumeExpiries())
        emit timeout();
}

bool ExactTimer::consumeExpiries()
{
    std::uint64_t expiries = 0;
    return read(m_fd, &expiries, sizeof expiries) == sizeof expiries && expiries > 0;
}
