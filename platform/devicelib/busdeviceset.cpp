// The simulated bus: following a device set file while the program runs.

#include "platform/devicelib/devicesetfollower.h"
#include "platform/devicelib/devicestore.h"
#include "platform/devicelib/screenbus.h"
#include "platform/devicelib/simulatedbus.h"

#include <QMutexLocker>

#include <algorithm>

namespace {

template <typename Device>
const Device *named(const QVector<Device> &devices, const QString &name)
{
    const auto it = std::find_if(devices.cbegin(), devices.cend(),
                                 [&](const Device &device) { return device.name == name; });
    return it == devices.cend() ? nullptr : &*it;
}

} // namespace

void SimulatedBus::follow(const QString &file, const DeviceSet &set)
{
    load(set);
    int following = 0;
    {
        QMutexLocker lock(&m_mutex);
        following = m_following;
    }
    DeviceSetFollower::start(file, following);
}

// Runs on the follower's thread.
void SimulatedBus::changeDeviceSet(const DeviceSet &set, int following)
{
    // A device that leaves takes with it nothing it was still to write.
    waitForStore();
    QMutexLocker store(&m_storeMutex);
    QMutexLocker lock(&m_mutex);
    if (following != m_following)
        return;
    const DeviceSet before = m_definitions;
    m_definitions = set;
    ScreenBus::instance().change(before.screens, set.screens);
    m_gatheringPlugChanges = true;
    m_plugChangeGathered = false;

    // Those that leave first, receivers last, so that every mouse added finds its receiver and no
    // mouse is left reaching a receiver that is gone.
    for (const VirtualMouse &mouse : before.mice) {
        if (!named(set.mice, mouse.name))
            removeMouse(mouse.name);
    }
    for (const VirtualReceiver &receiver : before.receivers) {
        if (!named(set.receivers, receiver.name))
            removeReceiver(receiver.name);
    }
    for (const VirtualReceiver &receiver : set.receivers) {
        const VirtualReceiver *was = named(before.receivers, receiver.name);
        if (!was)
            addReceiver(receiver);
        else if (VirtualReceiver *live = receiverNamed(receiver.name))
            if (was->plugged != receiver.plugged)
                plugLocked(*live, receiver.plugged);
    }
    for (const VirtualMouse &mouse : set.mice) {
        const VirtualMouse *was = named(before.mice, mouse.name);
        if (!was) {
            addMouse(mouse);
            continue;
        }
        VirtualMouse *live = mouseNamed(mouse.name);
        if (!live)
            continue;
        if (was->awake != mouse.awake)
            setAwakeLocked(*live, mouse.awake);
        if (was->cablePlugged != mouse.cablePlugged)
            plugCableLocked(*live, mouse.cablePlugged);
    }
    m_gatheringPlugChanges = false;
    if (m_plugChangeGathered)
        notifyPlugChange();
}

void SimulatedBus::removeMouse(const QString &name)
{
    VirtualMouse *mouse = mouseNamed(name);
    if (!mouse)
        return;
    if (m_unsavedMice.contains(name))
        storeNow(*mouse);
    // Its receiver answers for another mouse or for none from now on.
    const VirtualReceiver *receiver = pairedReceiver(*mouse);
    const bool seen = mouse->cablePlugged || (receiver && receiver->plugged);
    m_mice.erase(m_mice.begin() + (mouse - m_mice.data()));
    if (seen)
        notifyPlugChange();
}

void SimulatedBus::removeReceiver(const QString &name)
{
    VirtualReceiver *receiver = receiverNamed(name);
    if (!receiver)
        return;
    if (m_unsavedReceivers.contains(name))
        storeNow(*receiver);
    const bool plugged = receiver->plugged;
    m_receivers.erase(m_receivers.begin() + (receiver - m_receivers.data()));
    if (plugged)
        notifyPlugChange();
}

void SimulatedBus::addReceiver(const VirtualReceiver &receiver)
{
    VirtualReceiver added = receiver;
    prepare(added);
    m_receivers.append(added);
    if (added.plugged)
        notifyPlugChange();
}

void SimulatedBus::addMouse(const VirtualMouse &mouse)
{
    VirtualMouse added = mouse;
    prepare(added);
    m_mice.append(added);
    const VirtualReceiver *receiver = pairedReceiver(added);
    if (added.cablePlugged || (receiver && receiver->plugged))
        notifyPlugChange();
}
