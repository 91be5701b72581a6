#include "core/devicestate.h"

#include <new>

DeviceState *DeviceState::instance()
{
    // Allocated once and never freed: library callback threads may still read the state while
    // the process exits, after static objects would have been destroyed.
    static DeviceState *const state = new DeviceState;
    return state;
}

void DeviceState::ResetForTest()
{
    // Rebuilding in place keeps the address that callers hold, and the in-class initialisers
    // stay the one place where the initial values are written down.
    DeviceState *state = instance();
    state->~DeviceState();
    new (state) DeviceState;
}

DeviceSelection::Snapshot DeviceSelection::get() const
{
    QMutexLocker locker(&m_mutex);
    return {m_info, m_path, m_generation.load()};
}

void DeviceSelection::select(const DeviceAllInfo &device)
{
    QMutexLocker locker(&m_mutex);
    m_info = device;
    m_path = device.Path.toLatin1();
    m_generation.fetch_add(1);
}

void DeviceSelection::renew()
{
    QMutexLocker locker(&m_mutex);
    m_generation.fetch_add(1);
}

DeviceAllInfo DeviceSelection::InfoView::get() const
{
    QMutexLocker locker(&m_selection.m_mutex);
    return m_selection.m_info;
}

void DeviceSelection::InfoView::set(DeviceAllInfo info)
{
    QMutexLocker locker(&m_selection.m_mutex);
    const PathWatch watch(m_selection);
    m_selection.m_info = std::move(info);
}

QByteArray DeviceSelection::PathView::get() const
{
    QMutexLocker locker(&m_selection.m_mutex);
    return m_selection.m_path;
}

void DeviceSelection::PathView::set(QByteArray path)
{
    QMutexLocker locker(&m_selection.m_mutex);
    if (path != m_selection.m_path)
        m_selection.m_generation.fetch_add(1);
    m_selection.m_path = std::move(path);
}

void PassRequests::served(quint64 upTo)
{
    quint64 served = m_served.load();
    while (served < upTo && !m_served.compare_exchange_weak(served, upTo)) {
    }
}
