#pragma once

#include "macro/model/macroevents.h"

#include <QString>
#include <qnamespace.h>

#include <optional>

class QListWidgetItem;
struct EventIcons;

// The rows of the macro page's event list. The user sees a text and an icon: a key press is the
// key's name with MacroDown.png, a release the name with MacroUp.png (item type 1), a delay its
// whole milliseconds followed by "ms" with MacroTime.png. Behind the text every key item carries
// its code and kind and every delay item its milliseconds, set before the item joins a list: files
// and device records are written from that data, never from the shown text, which a language
// switch or a name without a row could not be read back from.
namespace EventItem {

enum Role
{
    CodeRole = Qt::UserRole + 1, // int, a key item's code
    KindRole,                    // int, a key item's kind (0 modifier, 1 keyboard, 4 mouse button)
    DelayRole                    // qint64, a delay item's whole milliseconds
};

// Item types: anything but Release is a press (a delay item has the press type too).
enum Type
{
    Press = 0,
    Release = 1
};

// A key item with the code and kind given.
QListWidgetItem *Key(const QString &name, bool down, int code, int kind);
// A key item whose code and kind come from its name (the key vocabulary); a name without a row
// gives an item without code and kind.
QListWidgetItem *Key(const QString &name, bool down);
// A delay item of `milliseconds`, shown rounded to the nearest whole millisecond.
QListWidgetItem *Delay(double milliseconds);
// "36ms" for 35.6.
QString DelayText(double milliseconds);

// What the rest of the page reads back: a delay is an item whose text contains "ms".
bool IsDelay(const QListWidgetItem *item);
bool IsRelease(const QListWidgetItem *item);

// The item of an event, a key named in the current language.
QListWidgetItem *FromEvent(const MacroEvent &event);
// The event an item carries; nothing for a key item without code and kind.
std::optional<MacroEvent> ToEvent(const QListWidgetItem *item);
// Changing an event in place: a key item's name, code and kind (its direction stays), a delay
// item's milliseconds.
void SetKey(QListWidgetItem *item, const QString &name, int code, int kind);
void SetDelay(QListWidgetItem *item, double milliseconds);

// The pictures of the three kinds of items, as an export writes them.
EventIcons Icons();

} // namespace EventItem
