// Pairing on the simulated bus: a receiver's pairing window, the mouse it takes and the status
// events the device server delivers for it.
#include "platform/devicelib/simulatedbus.h"

#include "platform/devicelib/calllog.h"
#include "platform/devicelib/eventwire.h"

#include <QMutexLocker>

VirtualMouse *SimulatedBus::pairingMouse(unsigned char cid)
{
    for (VirtualMouse &mouse : m_mice) {
        if (mouse.pairing && mouse.cid == cid)
            return &mouse;
    }
    return nullptr;
}

void SimulatedBus::pair(VirtualReceiver &receiver, VirtualMouse &mouse)
{
    // A receiver holds one link: the mouse that had it before loses it.
    for (VirtualMouse &other : m_mice) {
        if (&other != &mouse && other.receiver == receiver.name) {
            other.receiver.clear();
            persist(other);
        }
    }
    mouse.receiver = receiver.name;
    mouse.pairing = false;
    persist(mouse);
    CallLog::record(QStringLiteral("pairing"),
                    QStringLiteral("%1 paired to %2").arg(mouse.name, receiver.name));
    // The receiver now answers for another mouse: the hardware library reports that as a plug
    // change of the receiver.
    notifyPlugChange();
}

VirtualReceiver *SimulatedBus::serverReceiver()
{
    return m_server ? resolve(m_server->path).receiver : nullptr;
}

bool SimulatedBus::enterPairing(unsigned char cid)
{
    QMutexLocker lock(&m_mutex);
    VirtualReceiver *receiver = serverReceiver();
    if (!receiver)
        return false;
    receiver->pairStatus = PairOpen;
    receiver->pairCid = cid;
    receiver->pairReads = 0;
    receiver->pairOpened.start();
    sendFromReceiver(*receiver, EventWire::PairStatus, QByteArray(1, char(PairOpen)));
    return true;
}

bool SimulatedBus::readPairStatus()
{
    QMutexLocker lock(&m_mutex);
    VirtualReceiver *receiver = serverReceiver();
    if (!receiver)
        return false;
    if (receiver->pairStatus == PairOpen) {
        ++receiver->pairReads;
        if (m_pairing.failNextRead) {
            m_pairing.failNextRead = false;
            receiver->pairStatus = PairFailed;
        } else if (!m_pairing.staysOpen && receiver->pairReads > m_pairing.readsAtOpen) {
            if (VirtualMouse *mouse = pairingMouse(receiver->pairCid)) {
                pair(*receiver, *mouse);
                receiver->pairStatus = PairDone;
            } else if (receiver->pairOpened.elapsed() >= m_pairing.windowMs) {
                receiver->pairStatus = PairFailed;
            }
        }
    }
    sendFromReceiver(*receiver, EventWire::PairStatus, QByteArray(1, char(receiver->pairStatus)));
    return true;
}

bool SimulatedBus::setPairing(const QString &name, bool pairing)
{
    QMutexLocker lock(&m_mutex);
    VirtualMouse *mouse = mouseNamed(name);
    if (!mouse)
        return false;
    mouse->pairing = pairing;
    return true;
}

void SimulatedBus::setPairStatusReads(int reads)
{
    QMutexLocker lock(&m_mutex);
    m_pairing.readsAtOpen = qMax(0, reads);
}

void SimulatedBus::setPairWindow(int milliseconds)
{
    QMutexLocker lock(&m_mutex);
    m_pairing.windowMs = qMax(0, milliseconds);
}

void SimulatedBus::failPairingAtNextRead()
{
    QMutexLocker lock(&m_mutex);
    m_pairing.failNextRead = true;
}

void SimulatedBus::setPairingStaysOpen(bool open)
{
    QMutexLocker lock(&m_mutex);
    m_pairing.staysOpen = open;
}
