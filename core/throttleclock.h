#pragma once

#include <QElapsedTimer>

// The monotonic clock of a throttle (a clock change cannot stretch or skip it): QElapsedTimer's
// answers, plus a way for tests to move the clock ahead instead of waiting real seconds. The
// program itself never moves it.
class ThrottleClock
{
public:
    void start()
    {
        m_timer.start();
        m_aheadMs = 0;
    }
    void invalidate()
    {
        m_timer.invalidate();
        m_aheadMs = 0;
    }
    bool isValid() const { return m_timer.isValid(); }
    // Milliseconds since start(), moved ahead by what tests asked for since then.
    qint64 elapsed() const { return m_timer.elapsed() + m_aheadMs; }

    // Tests only: from now on the clock reads `ms` later.
    void advanceForTests(qint64 ms) { m_aheadMs += ms; }

private:
    QElapsedTimer m_timer;
    qint64 m_aheadMs = 0;
};

// Milliseconds on the process's monotonic clock, counted from the first call: what the pages'
// own timings (a combination's window, a recorded delay) measure with, so that a clock change
// cannot stretch or skip them. Any thread.
inline qint64 MonotonicMs()
{
    static const QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return clock.elapsed();
}
