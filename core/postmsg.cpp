#include "core/postmsg.h"

PostMsg *PostMsg::GetInstance()
{
    // The first call comes from the GUI thread while the first form is built, before any other
    // thread exists; the static's own initialisation guard is all the locking needed.
    static PostMsg *const hub = [] {
        // Registered before the first connection so that queued and blocking deliveries of the
        // record, the device description and the receiver-LED record can be made.
        qRegisterMetaType<FlashDataMap>("FlashDataMap");
        qRegisterMetaType<DeviceAllInfo>("DeviceAllInfo");
        qRegisterMetaType<DongleRGB>("DongleRGB");
        return new PostMsg;
    }();
    return hub;
}
