#include "core/devicewrite.h"

#include "core/deviceanswers.h"
#include "core/devicelink.h"
#include "core/devicestate.h"
#include "core/postmsg.h"

#include <cstring>

namespace {

bool validSlot(int slot)
{
    return slot >= 0 && slot < int(FlashDataMap::ButtonSlots);
}

bool validStage(int stage)
{
    return stage >= 0 && stage < int(FlashDataMap::DpiStageSlots);
}

// The pages write while they fill their widgets from a record only by accident of a change
// signal; an offline notice for that would pop up for something the user never did.
bool pagesFilling()
{
    return State().ButtonFilling.load() != 0 || State().SensorFilling.load() != 0;
}

void raiseOfflineNotice()
{
    if (!pagesFilling())
        emit PostMsg::GetInstance()->SigMouseOffLineo(0);
}

bool deviceAnswers()
{
    if (SelectedDeviceAnswers())
        return true;
    raiseOfflineNotice();
    return false;
}

} // namespace

// A write the device answered for but did not get (its record was not read yet, or it did not
// take the send): the user is told, and the device's own record is read once it answers (the
// main window's notice asks for that too, but there is none while a page fills). The device may
// well answer the next online check: the notice stays until the user has read it.
void ReportWriteRefused()
{
    State().RecheckOnline = 1;
    State().RereadWhenOnline = 1;
    if (!pagesFilling())
        State().KeepOfflineNotice = 1;
    raiseOfflineNotice();
}

namespace {

// Stores and sends as one write of the device link, with no lock held across the send. Refused
// when the record was not read from the selected device (a record never read from it must not
// reach it) and when the device does not take it (the device may go, unplugged or asleep, between
// the question and the send): either way the program keeps what the device has.
template <typename Store>
bool storeAndSend(Store store)
{
    if (!deviceAnswers())
        return false;
    if (DeviceLink::WriteRecord(store) == DeviceLink::Write::Sent)
        return true;
    ReportWriteRefused();
    return false;
}

bool writeByte(std::uint8_t FlashDataMap::*field, int value)
{
    return storeAndSend([&](FlashDataMap &r) { r.*field = std::uint8_t(value); });
}

} // namespace

bool CheckDeviceOnline()
{
    return deviceAnswers();
}

bool WriteReportRate(int value)
{
    return writeByte(&FlashDataMap::ReportRate, value);
}

bool WriteDpiStageCount(int value)
{
    return writeByte(&FlashDataMap::DpiStageCount, value);
}

bool WriteCurrentDpiStage(int value)
{
    return writeByte(&FlashDataMap::CurrentDpiStage, value);
}

bool WriteByte03(int value)
{
    return writeByte(&FlashDataMap::Byte03, value);
}

bool WriteByte04(int value)
{
    return writeByte(&FlashDataMap::Byte04, value);
}

bool WriteLod(int value)
{
    return writeByte(&FlashDataMap::Lod, value);
}

bool WriteDebounceTime(int value)
{
    return writeByte(&FlashDataMap::DebounceTime, value);
}

bool WriteMotionSync(int value)
{
    return writeByte(&FlashDataMap::MotionSync, value);
}

bool WriteSleepTime(int value)
{
    return writeByte(&FlashDataMap::SleepTime, value);
}

bool WriteStraightLine(int value)
{
    return writeByte(&FlashDataMap::StraightLine, value);
}

bool WriteRippleControl(int value)
{
    return writeByte(&FlashDataMap::RippleControl, value);
}

bool WriteLightOffWhileMoving(int value)
{
    return writeByte(&FlashDataMap::LightOffWhileMoving, value);
}

bool WritePerformanceMode(int value)
{
    return writeByte(&FlashDataMap::PerformanceMode, value);
}

bool WritePerformanceTime(int value)
{
    return writeByte(&FlashDataMap::PerformanceTime, value);
}

bool WriteSensorMode(int value)
{
    return writeByte(&FlashDataMap::SensorMode, value);
}

bool WriteDpiLightBrightness(int value)
{
    return writeByte(&FlashDataMap::DpiLightBrightness, value);
}

bool WriteDpiLightSpeed(int value)
{
    return writeByte(&FlashDataMap::DpiLightSpeed, value);
}

bool WriteLightSpeed(int value)
{
    return writeByte(&FlashDataMap::LightSpeed, value);
}

bool WriteLightBrightness(int value)
{
    return writeByte(&FlashDataMap::LightBrightness, value);
}

bool WriteDpiValue(int stage, int codeX, int codeY, int flags)
{
    if (!validStage(stage))
        return false;
    return storeAndSend([&](FlashDataMap &r) {
        DpiStage &s = r.DpiStages[stage];
        s.CodeX = std::uint8_t(codeX);
        s.CodeY = std::uint8_t(codeY);
        s.Flags = std::uint8_t(flags);
    });
}

bool WriteDpiColor(int stage, int red, int green, int blue)
{
    if (!validStage(stage))
        return false;
    return storeAndSend([&](FlashDataMap &r) {
        DpiStage &s = r.DpiStages[stage];
        s.Red = std::uint8_t(red);
        s.Green = std::uint8_t(green);
        s.Blue = std::uint8_t(blue);
    });
}

bool WriteDpiStageOrder(const DpiStage *first, const DpiStage *second, int k, int j, int n)
{
    if (!first || !second || !validStage(k) || !validStage(j) || !validStage(n))
        return false;
    // The callers pass copies, so first and second never alias the stages being overwritten.
    const DpiStage a = *first;
    const DpiStage b = *second;
    return storeAndSend([&](FlashDataMap &r) {
        r.DpiStages[j] = a;
        r.DpiStages[k] = b;
        r.CurrentDpiStage = std::uint8_t(n);
        r.DpiStageCount = std::uint8_t(n + 1);
    });
}

bool WriteDpiLightMode(int mode)
{
    return storeAndSend([&](FlashDataMap &r) {
        if (mode == 0) {
            r.DpiLightOn = 0;
            return;
        }
        r.DpiLightOn = 1;
        r.DpiLightMode = std::uint8_t(mode);
    });
}

bool WriteLightMode(int mode)
{
    return storeAndSend([&](FlashDataMap &r) {
        if (mode == 0) {
            r.LightOn = 0;
            return;
        }
        r.LightOn = 1;
        r.LightMode = std::uint8_t(mode);
    });
}

bool WriteLightColor(int red, int green, int blue)
{
    return storeAndSend([&](FlashDataMap &r) {
        r.LightRed = std::uint8_t(red);
        r.LightGreen = std::uint8_t(green);
        r.LightBlue = std::uint8_t(blue);
    });
}

bool WriteButtonFunction(int slot, int category, int code, int param)
{
    if (!validSlot(slot))
        return false;
    return storeAndSend([&](FlashDataMap &r) {
        ButtonFunction &f = r.ButtonFunctions[slot];
        f.Category = std::uint8_t(category);
        f.Code = std::uint8_t(code);
        f.Param = std::uint8_t(param);
    });
}

bool WriteButtonKeyRecord(int slot, const ButtonFunction *function, const KeyRecord *keys)
{
    if (!validSlot(slot) || !function || !keys)
        return false;
    const ButtonFunction f = *function;
    const KeyRecord k = *keys;
    return storeAndSend([&](FlashDataMap &r) {
        r.ButtonFunctions[slot] = f;
        r.KeyRecords[slot] = k;
    });
}

bool WriteButtonMacro(int slot, const ButtonFunction *function, const MacroRecord *macro)
{
    if (!validSlot(slot) || !function || !macro)
        return false;
    const ButtonFunction f = *function;
    const MacroRecord m = *macro;
    return storeAndSend([&](FlashDataMap &r) {
        r.ButtonFunctions[slot] = f;
        r.Macros[slot] = m;
    });
}

void WriteFlashData()
{
    DeviceLink::WriteRecord([](FlashDataMap &) {});
}

bool WriteWholeRecord(const FlashDataMap &record)
{
    return storeAndSend([&](FlashDataMap &r) { r = record; });
}

bool SendCurrentRecord()
{
    return storeAndSend([](FlashDataMap &) {});
}
