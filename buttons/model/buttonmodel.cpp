#include "buttons/model/buttonmodel.h"

#include <QtGlobal>

const std::array<const char *, RowCount> RowSelectorNames = {
    "FireKey", "RightKey", "BackKey", "StartPause", "TopMusic", "BackMusic",
    "Button7", "Button8",  "Button9", "Button10",   "Button11", "Button12"};

int RowOfSlot(int slot)
{
    for (int row = 0; row < RowCount; ++row) {
        if (RowSlots[std::size_t(row)] == slot)
            return row;
    }
    return -1;
}

const char *RowSelectorOfSlot(int slot)
{
    const int row = RowOfSlot(slot);
    return row < 0 ? nullptr : RowSelectorNames[std::size_t(row)];
}

int MacroSlotCode(int slot)
{
    return slot >= 0 && slot < 5 ? slot : 5;
}

int ClampKeyNumber(int keyNumber)
{
    return qBound(0, keyNumber, int(FlashDataMap::ButtonSlots));
}

MirroredFunction MirroredFunctionAt(const ButtonMirrors &mirrors, int slot)
{
    if (slot < 0 || slot >= mirrors.ButtonCategories.size() || slot >= mirrors.ButtonCodes.size() ||
        slot >= mirrors.ButtonParams.size())
        return {};
    return {mirrors.ButtonCategories.at(slot), mirrors.ButtonCodes.at(slot),
            mirrors.ButtonParams.at(slot)};
}

bool SetMirroredFunction(ButtonMirrors &mirrors, int slot, int category, int code, int param)
{
    if (slot < 0 || slot >= mirrors.ButtonCategories.size() || slot >= mirrors.ButtonCodes.size() ||
        slot >= mirrors.ButtonParams.size())
        return false;
    mirrors.ButtonCategories[slot] = category;
    mirrors.ButtonCodes[slot] = code;
    mirrors.ButtonParams[slot] = param;
    return true;
}

ButtonMirrors MirrorsFromRecord(const FlashDataMap &record, int keyNumber)
{
    ButtonMirrors mirrors;
    const int count = ClampKeyNumber(keyNumber);
    for (int slot = 0; slot < count; ++slot) {
        const ButtonFunction &function = record.ButtonFunctions[slot];
        mirrors.ButtonCategories.append(function.Category);
        mirrors.ButtonCodes.append(function.Code);
        mirrors.ButtonParams.append(function.Param);
    }
    return mirrors;
}

ButtonMirrors FactoryMirrors()
{
    using namespace FunctionCategory;
    ButtonMirrors mirrors;
    mirrors.ButtonCategories = {MouseButton,      MouseButton,      MouseButton, MouseButton,
                                MouseButton,      DpiControl,       DpiControl,  DpiControl,
                                ReportRateSwitch, ReportRateSwitch, FireKey,     Disabled};
    mirrors.ButtonCodes = {MouseButtonCode::Left,
                           MouseButtonCode::Right,
                           MouseButtonCode::Middle,
                           MouseButtonCode::Back,
                           MouseButtonCode::Forward,
                           DpiControlCode::Cycle,
                           DpiControlCode::Up,
                           DpiControlCode::Down,
                           0,
                           0,
                           10,
                           0};
    mirrors.ButtonParams = QVector<int>(RowCount, 0);
    mirrors.ButtonParams[10] = 3;
    return mirrors;
}

std::optional<int> DebounceIndexOf(std::uint8_t debounceByte)
{
    if (debounceByte > MaxDebounceTime)
        return std::nullopt;
    return int(debounceByte);
}
