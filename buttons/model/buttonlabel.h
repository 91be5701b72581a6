#pragma once

#include "core/record/flashdatamap.h"

#include <QString>

// What a row shows for a slot's stored function. Most labels are a copy of the current text of
// the option button that assigns the function, so that the page can recognise a function by
// comparing texts; key combinations, macros and DPI locks are composed. Widget-free: the page
// turns a choice into a text.
struct LabelChoice
{
    enum Kind
    {
        Unchanged,   // no label for this function: the row keeps its text
        OptionText,  // the text of the option button Option
        Combination, // Text: the combination's key names
        Macro,       // the macro prefix followed by Text, the macro's name
        DpiLock      // the text of Option ("DPI_4"), "-" and the DPI of Code
    };
    Kind What = Unchanged;
    const char *Option = nullptr;
    QString Text;
    // Macro: whether the name may name a macro file and be handed to the macro page. A refused
    // name (from a damaged or foreign record) still labels the row.
    bool NameAllowed = false;
    int Code = 0;
};

// The label of slot `slot` storing (category, code); the slot's key record or macro is read from
// `record`. Slots without a row and unknown functions leave the row unchanged.
LabelChoice ChooseButtonLabel(int slot, int category, int code, const FlashDataMap &record);

// The name of the macro stored in slot `slot`: its name bytes up to the first zero byte, at most
// the field's 30. Empty for a slot outside the record.
QString MacroNameOfSlot(const FlashDataMap &record, int slot);
