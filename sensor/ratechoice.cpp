#include "sensor/ratechoice.h"

#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "core/postmsg.h"

const char *const RateChoice::ButtonNames[SensorCodes::RateButtons] = {
    "Button125HZ",  "Button250HZ",  "Button500HZ", "Button1000HZ",
    "Button2000HZ", "Button4000HZ", "Button8000HZ"};

void RateChoice::Clicked(int index, bool checked)
{
    const int code = SensorCodes::RateCode(index);
    if (!checked || code < 0 || DeviceState::instance()->WriteEnabled.load() == 0)
        return;
    if (!WriteReportRate(code))
        return;
    emit PostMsg::GetInstance()->SigHideModel(index >= SensorCodes::FirstHighRate ? 1 : 0);
}
