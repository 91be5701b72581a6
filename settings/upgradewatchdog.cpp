#include "settings/upgradewatchdog.h"

#include "core/throttleclock.h"

void UpgradeWatchdog::feed()
{
    m_lastMessageMs.store(MonotonicMs());
}

qint64 UpgradeWatchdog::silentFor() const
{
    return MonotonicMs() - m_lastMessageMs.load();
}

bool UpgradeWatchdog::expired() const
{
    return silentFor() >= m_limitMs.load();
}

qint64 UpgradeWatchdog::limitMs() const
{
    return m_limitMs.load();
}

void UpgradeWatchdog::setLimitMsForTest(qint64 milliseconds)
{
    m_limitMs.store(milliseconds);
}
