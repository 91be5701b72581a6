#pragma once

#include <QVector>

#include <cstdint>

// The options of the button page's chooser that assign a fixed function, and the function each
// assigns. One table answers both directions: an option writer looks up what to store, a row
// selector looks up which option a stored function shows as checked.

enum class OptionFamily
{
    // The options of the category list itself. Choosing one clears the check of every option
    // below the category list and of every macro button, so no stale choice stays checked.
    Basic,
    // The wheel, DPI control and lighting choices of the option pages.
    SubOption,
    // A fixed DPI. The code stored is the current sensor's code of Dpi, known only at the click.
    DpiLock,
    // A consumer usage: the function is a key sequence whose key record presses and releases it.
    Multimedia,
};

struct FunctionOption
{
    const char *Option; // object name of the option button; its writer is on_<Option>_clicked
    OptionFamily Family;
    std::uint8_t Category; // a FunctionCategory
    // The function's code. The fire key's code and param are the fire-key dialog's values, a DPI
    // lock's code is the sensor's code of Dpi, a multimedia key's usage lives in its key record.
    std::uint8_t Code;
    int Dpi;             // DpiLock only, otherwise 0
    std::uint16_t Usage; // Multimedia only, otherwise 0
    // The option's scroll step in its list (the list's slider goes to 15 px a step): the
    // multimedia list for Multimedia, the DPI-lock list for DpiLock, the category list for the
    // mouse buttons; 0 for the others.
    int Step;
};

// Pixels the chooser's lists scroll per step.
constexpr int ChooserScrollStep = 15;

// Every option with a fixed function: nine basic options, eleven sub-options, twelve DPI locks
// and eighteen multimedia keys, each family in the order of its list.
const QVector<FunctionOption> &FunctionOptions();

// The option of that object name; nullptr for any other name.
const FunctionOption *FindOption(const char *option);

// The sub-option or mouse-button option that stores exactly (category, code): the categories
// whose code picks one of several options (mouse button, DPI control, both wheels, lighting).
// nullptr for a code no option stores (lighting code 2 among them) and for every other category.
const FunctionOption *OptionOfStoredCode(int category, int code);

// The DPI-lock option of `dpi`; nullptr for a value none of the twelve offers.
const FunctionOption *DpiLockOption(int dpi);

// The multimedia option whose usage has `lowByte` as its low byte (the eighteen usages differ
// there, which is all a stored record is recognised by); nullptr for any other value.
const FunctionOption *MultimediaOption(int lowByte);
