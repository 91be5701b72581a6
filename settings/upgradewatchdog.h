#pragma once

#include <QtGlobal>

#include <atomic>

// The silence limit of a firmware upgrade. A library that takes an image and then never reports
// again would leave the upgrade, and the dialog that shows it, running for good; after LimitMs
// without a message the upgrade counts as failed, as the device may be half-written. The update
// engine and the repair each keep one, fed by their upgrade callback. Any thread.
class UpgradeWatchdog
{
public:
    static constexpr qint64 LimitMs = 30000;

    // Starts the silence over: when the upgrade starts and at each message of the library.
    void feed();
    // Milliseconds since the last feed.
    qint64 silentFor() const;
    // Silent for the limit or longer.
    bool expired() const;

    qint64 limitMs() const;
    // Tests only: a shorter limit, so that a test need not wait half a minute.
    void setLimitMsForTest(qint64 milliseconds);

private:
    std::atomic<qint64> m_lastMessageMs{0};
    std::atomic<qint64> m_limitMs{LimitMs};
};
