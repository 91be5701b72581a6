#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

struct MacroRecord;

// The one vocabulary of key names the macro editor and the button page share, and the
// conversions between a key's forms: its display name ("A", "LCtrl", "Num5", "←"), the
// virtual-key code the keyboard hook reports, the code text and kind of a macro file line, and
// the numeric code and kind of a device key event. Mouse buttons have no fixed name: their names
// are the five language texts of MouseButtonNames. No widgets; GUI thread (MouseButtonNames is
// the one piece of state).
//
// Kinds: 0 a keyboard modifier bit, 1 a keyboard usage, 4 a mouse-button bit (KeyEventKind).

struct KeyRow
{
    QString name;
    int virtualKey;
    int kind;
    int code;
};

struct KeyCode
{
    int code;
    int kind;
};

// The 104 keys, in the order names are matched: F1 ... F12 come last. The empty name is a real
// key, the number pad's 5 without Num Lock (virtual key 0x0C), recorded with code 0x00.
const QVector<KeyRow> &KeyTable();

// The mouse-button bits in the order of their names (entries 4 to 8 of the button page's texts):
// left, right, middle, forward, back.
inline constexpr int MouseButtonBits[5] = {0x01, 0x02, 0x04, 0x10, 0x08};

// The names of the five mouse buttons, in MouseButtonBits order; five empty texts until the macro
// page applies a language.
QStringList MouseButtonNames();
void SetMouseButtonNames(const QStringList &names);

// "0x" and two upper-case hexadecimal digits, as macro files write a code.
QString CodeText(int code);

// The key the hook reports as `virtualKey`; nullptr when no row has it (the recorder then drops
// the event).
const KeyRow *FindVirtualKey(int virtualKey);
// Its display name; nothing when no row has it (the empty name is a name).
std::optional<QString> VirtualKeyName(int virtualKey);

// The name of a code text and kind read from a macro file: kind 1 among the keyboard keys, kind 0
// among the modifiers, kind 4 among the mouse buttons. Exact and case-sensitive: "0x0a" and
// "0xA" name nothing. An empty text when nothing matches.
QString KeyCodeToName(const QString &code, int kind);
// The name of a device key event's code. The code decides; the kind only where one code means two
// keys (0x04, 0x08, 0x10, 0x20 and 0x40). An empty text when nothing matches.
QString KeyValueToName(int code, int kind);
// The name of a mouse-button bit; an empty text for any other value.
QString MouseButtonName(int bit);

// The code and kind of a name. Fixed names are compared first, then the mouse-button names, then
// F1 ... F12, so a language text that equals a fixed name converts as that key.
std::optional<KeyCode> KeyNameToCode(const QString &name);
// The same as a macro file line writes it: [code text, kind], e.g. ["0x01", "0"] for "LCtrl";
// empty for a name without a row.
QStringList KeyNameToCodes(const QString &name);
// Writes the code and kind of `name` into event `index` of `record`; a name without a row sets
// kind 1 and keeps the code. Action and delay are left alone, and an index outside the record's
// 70 events changes nothing.
void EncodeMacroEvent(const QString &name, int index, MacroRecord &record);
