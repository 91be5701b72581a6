#include "core/pairevent.h"

#include "core/deviceeventcallback.h"
#include "core/devicestate.h"
#include "core/postmsg.h"
#include "platform/diagnostics.h"

int PairEvent::StatusOf(const unsigned char *header, int headerLength, const unsigned char *payload,
                        int payloadLength)
{
    if (!header || headerLength <= 1 || header[1] != int(DeviceEventType::PairStatus))
        return -1;
    if (!payload || payloadLength < 1)
        return -1;
    return payload[0];
}

// Runs on a device-library thread.
void PairEvent::Handle(const unsigned char *header, int headerLength, const unsigned char *payload,
                       int payloadLength)
{
    const int status = StatusOf(header, headerLength, payload, payloadLength);
    if (status != StatusFailed && status != StatusPaired)
        return;
    DeviceState &state = *DeviceState::instance();
    PostMsg *hub = PostMsg::GetInstance();
    // The timers and the button belong to the dialog on the GUI thread: the hub's automatic
    // connections queue both, in this order.
    emit hub->SigTimerStop();
    state.PairActive = 0;
    if (status == StatusFailed) {
        qCDebug(lcDiagnostics) << "pairing failed";
        state.PairResult = Failed;
        emit hub->SigButtonEnable(0);
    } else {
        qCDebug(lcDiagnostics) << "pairing succeeded";
        state.PairResult = Paired;
        emit hub->SigButtonEnable(1);
    }
    GivePageBack();
}

void PairEvent::GivePageBack()
{
    DeviceState &state = *DeviceState::instance();
    if (state.PairPageRestore.exchange(0) != 0)
        state.OnDevicePage = 1;
}
