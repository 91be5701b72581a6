#pragma once

#include <QString>
#include <QStringList>

// A model can give its first six buttons a key sequence as their factory function: the list value
// KeyParam<i> of its Drive group, first element "0x05". Three elements name a multimedia key by
// the low byte of its usage (third element, hexadecimal, "0x" optional); four name a key
// combination by its text (fourth element). No widgets; any thread.
struct KeySequenceDefault
{
    enum Kind
    {
        None,        // no key-sequence default: the button's own factory function applies
        Multimedia,  // UsageByte
        Combination, // Text
        Unusable,    // "0x05" with another element count: nothing is assigned
    };
    Kind What = None;
    int UsageByte = 0;
    QString Text;
};

KeySequenceDefault ParseKeySequenceDefault(const QStringList &value);

// Buttons 1 to this many can have one.
constexpr int KeySequenceDefaultSlots = 6;
