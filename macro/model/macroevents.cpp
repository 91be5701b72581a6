#include "macro/model/macroevents.h"

#include "core/record/flashdatamap.h"
#include "macro/model/keyvocabulary.h"
#include "macro/model/macroname.h"

#include <limits>

namespace {

constexpr int MaxEvents = int(MacroRecord::MaxEvents);

bool isMouseButtonBit(int code)
{
    for (int bit : MouseButtonBits) {
        if (bit == code)
            return true;
    }
    return false;
}

// The vocabulary's key of a device event's code and kind, found by the name the event shows:
// the row of that name, so a code two rows share (keypad Enter) comes back as the row's own.
MacroEvent vocabularyKey(int code, int kind, bool down)
{
    if (kind == KeyEventKind::MouseButton) {
        if (isMouseButtonBit(code))
            return MacroEvent::Key(code, kind, down);
        code = -1; // no mouse button: the empty name, like any unnamed code
    }
    const QString name = code < 0 ? QString() : KeyValueToName(code, kind);
    for (const KeyRow &row : KeyTable()) {
        if (row.name == name)
            return MacroEvent::Key(row.code, row.kind, down);
    }
    return MacroEvent::Key(0, KeyEventKind::Keyboard, down);
}

std::uint32_t saturatingAdd(std::uint32_t a, std::uint32_t b)
{
    const std::uint32_t max = std::numeric_limits<std::uint32_t>::max();
    return b > max - a ? max : a + b;
}

} // namespace

MacroEvent MacroEvent::Key(int code, int kind, bool down)
{
    MacroEvent event;
    event.type = down ? Press : Release;
    event.code = code;
    event.kind = kind;
    return event;
}

MacroEvent MacroEvent::Pause(std::uint32_t milliseconds)
{
    MacroEvent event;
    event.type = Delay;
    event.delay = milliseconds;
    return event;
}

bool MacroEvent::operator==(const MacroEvent &other) const
{
    if (type != other.type)
        return false;
    return type == Delay ? delay == other.delay : code == other.code && kind == other.kind;
}

QString MacroEventName(const MacroEvent &event)
{
    if (event.kind == KeyEventKind::MouseButton)
        return MouseButtonName(event.code);
    return KeyCodeToName(CodeText(event.code), event.kind);
}

std::optional<MacroEvent> KeyEventOfName(const QString &name, bool down,
                                         const QVector<QStringList> &otherMouseButtonNames)
{
    if (const std::optional<KeyCode> key = KeyNameToCode(name))
        return MacroEvent::Key(key->code, key->kind, down);
    for (const QStringList &names : otherMouseButtonNames) {
        const int index = names.indexOf(name);
        if (index >= 0 && index < 5)
            return MacroEvent::Key(MouseButtonBits[index], KeyEventKind::MouseButton, down);
    }
    return std::nullopt;
}

int KeyEventCount(const MacroEvents &events)
{
    int count = 0;
    for (const MacroEvent &event : events)
        count += event.isKey() ? 1 : 0;
    return count;
}

MacroRecord BuildMacroRecord(const QString &name, const MacroEvents &events)
{
    MacroRecord record{};
    QString storedName = name;
    storedName.remove(QChar(0));
    const QByteArray bytes = MacroNameBytes(CutToBytes(storedName, MacroNameMaxBytes));
    record.setName(bytes.constData(), std::size_t(bytes.size()));

    int built = 0;
    for (const MacroEvent &event : events) {
        if (event.isKey()) {
            // The record is full: this key and everything after it stay out, pauses included.
            if (built == MaxEvents)
                break;
            KeyEvent &key = record.Events[built++];
            key.Action =
                event.type == MacroEvent::Release ? KeyEventAction::Release : KeyEventAction::Press;
            key.Kind = std::uint8_t(event.kind);
            key.setCode(std::uint16_t(event.code));
            continue;
        }
        // A pause before the first key has no event to belong to.
        if (built > 0) {
            KeyEvent &previous = record.Events[built - 1];
            previous.setDelay(saturatingAdd(previous.delay(), event.delay));
        }
    }
    record.EventCount = std::uint8_t(built);
    return record;
}

std::optional<TakenOverMacro> MacroFromRecord(const MacroRecord &record)
{
    int length = 0;
    while (length < int(MacroRecord::NameCapacity) && record.Name[length] != 0)
        ++length;
    TakenOverMacro macro;
    macro.name =
        MacroNameFromBytes(QByteArray(reinterpret_cast<const char *>(record.Name), length));
    if (!IsMacroNameAllowed(macro.name))
        return std::nullopt;
    const int count = qMin(int(record.EventCount), MaxEvents);
    for (int k = 0; k < count; ++k) {
        const KeyEvent &event = record.Events[k];
        macro.events.append(
            vocabularyKey(event.code(), event.Kind, event.Action == KeyEventAction::Press));
        if (k + 1 < count)
            macro.events.append(MacroEvent::Pause(event.delay()));
    }
    return macro;
}
