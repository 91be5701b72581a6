#include "macro/model/keyvocabulary.h"

#include "core/record/flashdatamap.h"

#include <QDebug>

namespace {

constexpr int Modifier = KeyEventKind::Modifier;
constexpr int Keyboard = KeyEventKind::Keyboard;
constexpr int Mouse = KeyEventKind::MouseButton;

// F1 ... F12 close the table: the mouse-button names are matched before them.
constexpr int FunctionKeys = 12;

QVector<KeyRow> buildTable()
{
    QVector<KeyRow> rows;
    for (int i = 0; i < 26; ++i)
        rows.append({QString(QChar('A' + i)), 0x41 + i, Keyboard, 0x04 + i});
    for (int i = 1; i <= 9; ++i)
        rows.append({QString::number(i), 0x30 + i, Keyboard, 0x1D + i});
    rows.append({QStringLiteral("0"), 0x30, Keyboard, 0x27});
    for (int i = 1; i <= 9; ++i)
        rows.append({QStringLiteral("Num%1").arg(i), 0x60 + i, Keyboard, 0x58 + i});
    rows.append({QStringLiteral("Num0"), 0x60, Keyboard, 0x62});
    const KeyRow others[] = {
        {QStringLiteral("Tab"), 0x09, Keyboard, 0x2B},
        {QStringLiteral("Esc"), 0x1B, Keyboard, 0x29},
        {QStringLiteral("BackSpace"), 0x08, Keyboard, 0x2A},
        {QStringLiteral("CapsLock"), 0x14, Keyboard, 0x39},
        {QStringLiteral("Insert"), 0x2D, Keyboard, 0x49},
        {QStringLiteral("Del"), 0x2E, Keyboard, 0x4C},
        {QStringLiteral("Home"), 0x24, Keyboard, 0x4A},
        {QStringLiteral("End"), 0x23, Keyboard, 0x4D},
        {QStringLiteral("PgUp"), 0x21, Keyboard, 0x4B},
        {QStringLiteral("PgDn"), 0x22, Keyboard, 0x4E},
        {QStringLiteral("Scroll"), 0x91, Keyboard, 0x47},
        {QStringLiteral("Pause"), 0x13, Keyboard, 0x48},
        {QStringLiteral("Screen"), 0x2C, Keyboard, 0x46},
        {QString(QChar(0x2190)), 0x25, Keyboard, 0x50}, // ←
        {QString(QChar(0x2192)), 0x27, Keyboard, 0x4F}, // →
        {QString(QChar(0x2191)), 0x26, Keyboard, 0x52}, // ↑
        {QString(QChar(0x2193)), 0x28, Keyboard, 0x51}, // ↓
        {QStringLiteral("`"), 0xC0, Keyboard, 0x35},
        {QStringLiteral("-"), 0xBD, Keyboard, 0x2D},
        {QStringLiteral("="), 0xBB, Keyboard, 0x2E},
        {QStringLiteral("NumLock"), 0x90, Keyboard, 0x53},
        {QStringLiteral(""), 0x0C, Keyboard, 0x00},
        {QStringLiteral("LShift"), 0xA0, Modifier, 0x02},
        {QStringLiteral("RShift"), 0xA1, Modifier, 0x20},
        {QStringLiteral("LCtrl"), 0xA2, Modifier, 0x01},
        {QStringLiteral("RCtrl"), 0xA3, Modifier, 0x10},
        {QStringLiteral("LWin"), 0x5B, Modifier, 0x08},
        {QStringLiteral("RWin"), 0x5C, Modifier, 0x80},
        {QStringLiteral("LAlt"), 0xA4, Modifier, 0x04},
        {QStringLiteral("RAlt"), 0xA5, Modifier, 0x40},
        {QStringLiteral("APPs"), 0x5D, Keyboard, 0x65},
        {QStringLiteral("Space"), 0x20, Keyboard, 0x2C},
        {QStringLiteral("["), 0xDB, Keyboard, 0x2F},
        {QStringLiteral("]"), 0xDD, Keyboard, 0x30},
        {QStringLiteral("\\"), 0xDC, Keyboard, 0x31},
        {QStringLiteral("Enter"), 0x0D, Keyboard, 0x28},
        {QStringLiteral(";"), 0xBA, Keyboard, 0x33},
        {QStringLiteral("'"), 0xDE, Keyboard, 0x34},
        {QStringLiteral(","), 0xBC, Keyboard, 0x36},
        {QStringLiteral("."), 0xBE, Keyboard, 0x37},
        {QStringLiteral("/"), 0xBF, Keyboard, 0x38},
        {QStringLiteral("Num/"), 0x6F, Keyboard, 0x54},
        {QStringLiteral("Num*"), 0x6A, Keyboard, 0x55},
        {QStringLiteral("Num-"), 0x6D, Keyboard, 0x56},
        {QStringLiteral("Num+"), 0x6B, Keyboard, 0x57},
        {QStringLiteral("Num."), 0x6E, Keyboard, 0x63},
    };
    for (const KeyRow &row : others)
        rows.append(row);
    for (int i = 1; i <= FunctionKeys; ++i)
        rows.append({QStringLiteral("F%1").arg(i), 0x6F + i, Keyboard, 0x39 + i});
    return rows;
}

QStringList &mouseNames()
{
    static QStringList names{QString(), QString(), QString(), QString(), QString()};
    return names;
}

const KeyRow *findRow(int kind, int code)
{
    for (const KeyRow &row : KeyTable()) {
        if (row.kind == kind && row.code == code)
            return &row;
    }
    return nullptr;
}

QString nameOf(int kind, int code)
{
    const KeyRow *row = findRow(kind, code);
    return row ? row->name : QString();
}

} // namespace

const QVector<KeyRow> &KeyTable()
{
    static const QVector<KeyRow> table = buildTable();
    return table;
}

QStringList MouseButtonNames()
{
    return mouseNames();
}

void SetMouseButtonNames(const QStringList &names)
{
    QStringList five = names.mid(0, 5);
    while (five.size() < 5)
        five.append(QString());
    mouseNames() = five;
}

QString CodeText(int code)
{
    return QStringLiteral("0x") +
           QString::number(code, 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

const KeyRow *FindVirtualKey(int virtualKey)
{
    for (const KeyRow &row : KeyTable()) {
        if (row.virtualKey == virtualKey)
            return &row;
    }
    return nullptr;
}

std::optional<QString> VirtualKeyName(int virtualKey)
{
    if (const KeyRow *row = FindVirtualKey(virtualKey))
        return row->name;
    return std::nullopt;
}

QString KeyCodeToName(const QString &code, int kind)
{
    if (kind == Mouse) {
        for (int i = 0; i < 5; ++i) {
            if (CodeText(MouseButtonBits[i]) == code)
                return mouseNames().at(i);
        }
        return QString();
    }
    if (kind != Keyboard && kind != Modifier)
        return QString();
    for (const KeyRow &row : KeyTable()) {
        if (row.kind == kind && CodeText(row.code) == code)
            return row.name;
    }
    return QString();
}

QString KeyValueToName(int code, int kind)
{
    QString name;
    switch (code) {
    case 0x04:
    case 0x08:
    case 0x10:
    case 0x20:
        // A keyboard usage and a modifier bit share these codes.
        if (kind == Keyboard || kind == Modifier)
            name = nameOf(kind, code);
        break;
    case 0x40:
        name = kind == Modifier ? nameOf(Modifier, code) : nameOf(Keyboard, code);
        break;
    case 0x01:
    case 0x02:
    case 0x80:
        name = nameOf(Modifier, code);
        break;
    case 0x58: // the number pad's Enter
        name = QStringLiteral("Enter");
        break;
    default:
        name = nameOf(Keyboard, code);
        break;
    }
    if (name == QLatin1String("`") || name == QLatin1String("-") || name == QLatin1String("=") ||
        name == QLatin1String("Enter"))
        qDebug() << name;
    return name;
}

QString MouseButtonName(int bit)
{
    for (int i = 0; i < 5; ++i) {
        if (MouseButtonBits[i] == bit)
            return mouseNames().at(i);
    }
    return QString();
}

std::optional<KeyCode> KeyNameToCode(const QString &name)
{
    const QVector<KeyRow> &table = KeyTable();
    const int fixed = table.size() - FunctionKeys;
    for (int i = 0; i < fixed; ++i) {
        if (table.at(i).name == name)
            return KeyCode{table.at(i).code, table.at(i).kind};
    }
    for (int i = 0; i < 5; ++i) {
        if (mouseNames().at(i) == name)
            return KeyCode{MouseButtonBits[i], Mouse};
    }
    for (int i = fixed; i < table.size(); ++i) {
        if (table.at(i).name == name)
            return KeyCode{table.at(i).code, table.at(i).kind};
    }
    return std::nullopt;
}

QStringList KeyNameToCodes(const QString &name)
{
    const std::optional<KeyCode> key = KeyNameToCode(name);
    if (!key)
        return QStringList();
    return {CodeText(key->code), QString::number(key->kind)};
}

void EncodeMacroEvent(const QString &name, int index, MacroRecord &record)
{
    if (index < 0 || index >= int(MacroRecord::MaxEvents))
        return;
    KeyEvent &event = record.Events[index];
    const std::optional<KeyCode> key = KeyNameToCode(name);
    event.Kind = std::uint8_t(key ? key->kind : Keyboard);
    if (key)
        event.setCode(std::uint16_t(key->code));
}
