#pragma once

#include "core/record/flashdatamap.h"

#include <QVector>

#include <array>
#include <optional>

// The page's rows and the device slots they stand for, and the page's mirror of each slot's
// stored function. Widget-free; the page and its option writers share these tables.

// The page has twelve rows; it shows the first five.
constexpr int RowCount = 12;
constexpr int ShownRowCount = 5;

// Device slot of each row, in row order. Rows 4 and 5 are crossed: the fourth row (the forward
// button on the pictured mouse) is slot 4 and the fifth (the back button) slot 3.
constexpr std::array<int, RowCount> RowSlots = {0, 1, 2, 4, 3, 5, 6, 7, 8, 9, 10, 11};
// The row selector of each row, in row order.
extern const std::array<const char *, RowCount> RowSelectorNames;

// The row of a device slot; -1 for a slot without a row (12 and above, negative).
int RowOfSlot(int slot);
// The row selector's object name of a device slot; nullptr for a slot without a row.
const char *RowSelectorOfSlot(int slot);

// The code a macro binding stores for a slot: the slot itself for slots 0 to 4, 5 for the others.
int MacroSlotCode(int slot);

// A model file's KeyNumber may say anything; the record has sixteen button slots.
int ClampKeyNumber(int keyNumber);

// The page's copy of each device slot's ButtonFunction, indexed by device slot.
struct ButtonMirrors
{
    QVector<int> ButtonCategories;
    QVector<int> ButtonCodes;
    QVector<int> ButtonParams;

    int size() const { return ButtonCategories.size(); }
};

// A category no slot stores: a row whose slot has no mirror entry shows as this, so it opens no
// option and matches no label.
constexpr int UnknownCategory = -1;

struct MirroredFunction
{
    int Category = UnknownCategory;
    int Code = 0;
    int Param = 0;
};
// Slot `slot` of the mirrors; UnknownCategory when the mirrors hold no entry for it.
MirroredFunction MirroredFunctionAt(const ButtonMirrors &mirrors, int slot);
// Stores a function in slot `slot`; false (nothing stored) when the mirrors hold no such slot.
bool SetMirroredFunction(ButtonMirrors &mirrors, int slot, int category, int code, int param);

// The functions of slots 0 .. keyNumber - 1 of `record`, keyNumber clamped to 0..16.
ButtonMirrors MirrorsFromRecord(const FlashDataMap &record, int keyNumber);

// The factory assignment of the twelve row slots: left, right, middle, back, forward, DPI cycle,
// up and down, two report-rate switches, a fire key and no function. The fire key's parameter is
// the fire-key dialog's default count, 3; every other parameter is 0.
ButtonMirrors FactoryMirrors();

// The debounce entry a record's debounce byte selects; nothing for a byte above the longest time
// (such a byte selects nothing and so writes nothing).
std::optional<int> DebounceIndexOf(std::uint8_t debounceByte);
