#include "buttons/model/keyrecords.h"

#include "macro/model/keyvocabulary.h"

namespace {

struct Modifier
{
    const char *Name;
    std::uint8_t Bit;
};
// The combination dialog names modifiers without a side; they are stored as the left ones.
constexpr Modifier Modifiers[] = {{"Ctrl", 0x01}, {"Shift", 0x02}, {"Alt", 0x04}, {"Win", 0x08}};

// Codes that are a modifier bit and a keyboard usage at once: kind 1 reads the key, kind 0 the
// modifier, any other kind the name in the last column.
struct SharedCode
{
    std::uint8_t Code;
    const char *Key;
    const char *Modifier;
    const char *OtherKind;
};
constexpr SharedCode SharedCodes[] = {{0x04, "A", "Alt", ""},
                                      {0x08, "E", "Win", ""},
                                      {0x10, "M", "Ctrl", "M"},
                                      {0x20, "3", "Shift", ""},
                                      {0x40, "F7", "Alt", ""}};

// The keyboard keys of the shared vocabulary (kind 1 rows), the empty name included.
const KeyRow *keyboardRowByCode(int code)
{
    for (const KeyRow &row : KeyTable()) {
        if (row.kind == KeyEventKind::Keyboard && row.code == code)
            return &row;
    }
    return nullptr;
}

const KeyRow *keyboardRowByName(const QString &name)
{
    for (const KeyRow &row : KeyTable()) {
        if (row.kind == KeyEventKind::Keyboard && row.name == name)
            return &row;
    }
    return nullptr;
}

} // namespace

const std::array<MultimediaKey, 18> MultimediaKeys = {{
    {0x0183, "Player"},
    {0x00CD, "StartPause_2"},
    {0x00B5, "BackMusic_2"},
    {0x00B6, "TopMusic_2"},
    {0x00B7, "Mute"},
    {0x00E2, "VolumeUp"},
    {0x00E9, "VolumeDown"},
    {0x00EA, "VolumeDown_4"},
    {0x018A, "VolumeDown_5"},
    {0x0192, "VolumeDown_6"},
    {0x0194, "VolumeDown_3"},
    {0x0223, "VolumeDown_8"},
    {0x0221, "VolumeDown_9"},
    {0x0225, "VolumeDown_7"},
    {0x0224, "VolumeDown_10"},
    {0x0226, "VolumeDown_12"},
    {0x0227, "VolumeDown_13"},
    {0x022A, "VolumeDown_11"},
}};

const MultimediaKey *FindMultimediaKey(int lowByte)
{
    for (const MultimediaKey &key : MultimediaKeys) {
        if ((key.Usage & 0xFF) == lowByte)
            return &key;
    }
    return nullptr;
}

QString KeyNameFromUsage(std::uint8_t code, std::uint8_t kind)
{
    for (const SharedCode &shared : SharedCodes) {
        if (shared.Code != code)
            continue;
        if (kind == KeyEventKind::Keyboard)
            return QString::fromLatin1(shared.Key);
        if (kind == KeyEventKind::Modifier)
            return QString::fromLatin1(shared.Modifier);
        return QString::fromLatin1(shared.OtherKind);
    }
    switch (code) {
    case 0x01:
        return QStringLiteral("Ctrl");
    case 0x02:
        return QStringLiteral("Shift");
    case 0x80:
        return QStringLiteral("Win");
    case 0x58: // the keypad's Enter reads as Enter
        return QStringLiteral("Enter");
    default:
        break;
    }
    const KeyRow *row = keyboardRowByCode(code);
    return row ? row->name : QString();
}

KeyRecord UsageFromKeyName(const QString &name, int index, int count, KeyRecord record)
{
    if (count < 1 || count > MaxCombinationKeys || index < 0 || index >= count)
        return record;
    KeyEvent &press = record.Events[index];
    KeyEvent &release = record.Events[2 * count - 1 - index];
    press.Action = KeyEventAction::Press;
    release.Action = KeyEventAction::Release;
    press.setDelay(KeyRecordEventDelay);
    release.setDelay(KeyRecordEventDelay);

    std::uint8_t kind = KeyEventKind::Keyboard;
    bool known = false;
    std::uint16_t code = 0;
    for (const Modifier &modifier : Modifiers) {
        if (name == QLatin1String(modifier.Name)) {
            kind = KeyEventKind::Modifier;
            code = modifier.Bit;
            known = true;
        }
    }
    if (!known) {
        if (const KeyRow *row = keyboardRowByName(name)) {
            code = std::uint16_t(row->code);
            known = true;
        }
    }
    press.Kind = kind;
    release.Kind = kind;
    if (known) {
        press.setCode(code);
        release.setCode(code);
    }
    return record;
}

KeyRecord MakeConsumerKeyRecord(std::uint8_t high, std::uint8_t low)
{
    KeyRecord record{};
    record.Count = 2;
    const std::uint16_t usage = std::uint16_t(high * 256 + low);
    for (int i = 0; i < 2; ++i) {
        KeyEvent &event = record.Events[i];
        event.Action = i == 0 ? KeyEventAction::Press : KeyEventAction::Release;
        event.Kind = KeyEventKind::Consumer;
        event.setCode(usage);
        event.setDelay(KeyRecordEventDelay);
    }
    return record;
}

QStringList CombinationParts(const QString &text)
{
    return text.split(QLatin1Char('+')).mid(0, MaxCombinationKeys);
}

KeyRecord ParseKeyCombination(const QString &text)
{
    const QStringList parts = CombinationParts(text);
    const int count = parts.size();
    KeyRecord record{};
    for (int i = 0; i < count; ++i)
        record = UsageFromKeyName(parts.at(i), i, count, record);
    record.Count = std::uint8_t(2 * count);
    return record;
}

QString CombinationText(const KeyRecord &record)
{
    const int presses = qMin(record.Count / 2, MaxCombinationKeys);
    QStringList names;
    for (int i = 0; i < presses; ++i) {
        const KeyEvent &event = record.Events[i];
        names << KeyNameFromUsage(std::uint8_t(event.code() & 0xFF), event.Kind);
    }
    return names.join(QLatin1Char('+'));
}
