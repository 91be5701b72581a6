#pragma once

#include "core/record/flashdatamap.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

// The button page's key records: a multimedia key (one consumer usage pressed and released) and a
// key combination of up to three keys (pressed in the order of the text, released in reverse),
// and the key names a combination is written with. The names are the macro editor's keyboard
// names with side-less modifiers ("Ctrl", "Shift", "Alt", "Win"), as the key-combination dialog
// writes them. Pure functions; any thread.

// A combination holds at most this many keys: the six events of a key record are their presses
// and releases.
constexpr int MaxCombinationKeys = 3;

// The name of a stored key event: `code` is the low byte of its code, `kind` its KeyEventKind.
// Codes that are both a modifier bit and a keyboard usage (0x04, 0x08, 0x10, 0x20, 0x40) are told
// apart by the kind; every other code names its key whatever the kind. Empty when nothing matches.
QString KeyNameFromUsage(std::uint8_t code, std::uint8_t kind);

// `record` with the press of `name` as event `index` and its release as event
// 2 * count - 1 - index, both with the event delay of key records. A modifier name gives kind 0
// and its left bit; any other name kind 1 and its keyboard usage; a name without a key kind 1 and
// the code the record held. Count is the caller's. With an index outside 0..count-1 or a count
// outside 1..3 the record comes back unchanged.
KeyRecord UsageFromKeyName(const QString &name, int index, int count, KeyRecord record);

// The record of the consumer usage high * 256 + low: Count 2, a press and a release.
KeyRecord MakeConsumerKeyRecord(std::uint8_t high, std::uint8_t low);

// The parts of a combination text: split at every "+", empty parts kept, at most the first
// three (a longer text would not fit the record; its further parts are dropped).
QStringList CombinationParts(const QString &text);
// The record of a combination text: the presses of its parts, then their releases in reverse.
KeyRecord ParseKeyCombination(const QString &text);
// The text of a stored combination: the names of its presses (Count / 2 of them, never more than
// three) joined by "+".
QString CombinationText(const KeyRecord &record);

// The multimedia keys the page offers: the usage and the option button that assigns it. Stored
// records are recognised by the low byte of their first event's usage, which differs for all 18.
struct MultimediaKey
{
    std::uint16_t Usage;
    const char *Option;
};
extern const std::array<MultimediaKey, 18> MultimediaKeys;
// The multimedia key whose usage has `lowByte` as its low byte; nullptr when none has (the whole
// int is compared, so 0x183 finds nothing).
const MultimediaKey *FindMultimediaKey(int lowByte);
