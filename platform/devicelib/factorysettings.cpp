#include "platform/devicelib/factorysettings.h"

#include "platform/devicelib/configurationimage.h"

#include <QHash>

#include <cstring>

namespace {

constexpr int ButtonFunctions = 0x4A;
constexpr int KeyRecords = 0x7C;
constexpr int KeyRecordSize = 52;
constexpr int DpiStages = 0x0F;
constexpr int SlotCount = 16;
constexpr int KeySequenceCategory = 5;
constexpr int KeyDelayMs = 10;

// Global settings 0x00..0x0E: 1000 Hz, stage count (set from the model), first stage, two
// reserved bytes, lift-off 1 mm, debounce 4, motion sync off, sleep code 1, angle snapping off,
// ripple control off, lights stay on while moving, performance mode off with time code 3, sensor
// mode 0.
const unsigned char GlobalDefaults[0x0F] = {1, 4, 0, 0, 0, 1, 4, 0, 1, 0, 0, 0, 0, 3, 0};
// DPI light 0x3F..0x42: steady, brightness 128, speed 3, on. Light bar 0x43..0x49: colour flow,
// red, speed 4, brightness 9, on.
const unsigned char LightDefaults[11] = {1, 128, 3, 1, 1, 255, 0, 0, 4, 9, 1};
const int DefaultDpi[8] = {400, 800, 1600, 3200, 6400, 12800, 16000, 26000};
const unsigned char DefaultColours[8][3] = {{255, 0, 0},   {0, 255, 0},    {0, 0, 255},
                                            {255, 255, 0}, {0, 255, 255},  {255, 0, 255},
                                            {255, 128, 0}, {255, 255, 255}};
// Button functions of the factory model: left, right, middle, back, forward, DPI cycle, DPI up,
// DPI down, report-rate switch twice, fire key, none; slots 12..15 none.
const unsigned char ButtonDefaults[12][3] = {{1, 1, 0},  {1, 2, 0}, {1, 4, 0}, {1, 8, 0},
                                             {1, 16, 0}, {2, 1, 0}, {2, 2, 0}, {2, 3, 0},
                                             {7, 0, 0},  {7, 0, 0}, {4, 0, 0}, {0, 0, 0}};

// The consumer usages a key-sequence button may carry, by their low byte.
const QHash<int, int> &consumerUsages()
{
    static const QHash<int, int> usages = {
        {0x83, 0x0183}, {0xCD, 0x00CD}, {0xB5, 0x00B5}, {0xB6, 0x00B6}, {0xB7, 0x00B7},
        {0xE2, 0x00E2}, {0xE9, 0x00E9}, {0xEA, 0x00EA}, {0x8A, 0x018A}, {0x92, 0x0192},
        {0x94, 0x0194}, {0x23, 0x0223}, {0x21, 0x0221}, {0x25, 0x0225}, {0x24, 0x0224},
        {0x26, 0x0226}, {0x27, 0x0227}, {0x2A, 0x022A}};
    return usages;
}

struct KeyCode
{
    int kind;
    int code;
};

// Key names of a factory key combination (the button page's names): modifiers as left bits,
// everything else as keyboard usages. Names outside this list are stored as "no key".
bool keyCode(const QString &name, KeyCode *out)
{
    static const QHash<QString, KeyCode> names = [] {
        QHash<QString, KeyCode> table = {
            {QStringLiteral("Ctrl"), {0, 0x01}},      {QStringLiteral("Shift"), {0, 0x02}},
            {QStringLiteral("Alt"), {0, 0x04}},       {QStringLiteral("Win"), {0, 0x08}},
            {QStringLiteral("Enter"), {1, 0x28}},     {QStringLiteral("Esc"), {1, 0x29}},
            {QStringLiteral("BackSpace"), {1, 0x2A}}, {QStringLiteral("Tab"), {1, 0x2B}},
            {QStringLiteral("Space"), {1, 0x2C}},     {QStringLiteral("Insert"), {1, 0x49}},
            {QStringLiteral("Home"), {1, 0x4A}},      {QStringLiteral("PgUp"), {1, 0x4B}},
            {QStringLiteral("Del"), {1, 0x4C}},       {QStringLiteral("End"), {1, 0x4D}},
            {QStringLiteral("PgDn"), {1, 0x4E}},      {QString(), {1, 0x00}}};
        for (int i = 0; i < 26; ++i)
            table.insert(QString(QChar('A' + i)), {1, 0x04 + i});
        for (int i = 1; i <= 9; ++i)
            table.insert(QString::number(i), {1, 0x1E + i - 1});
        table.insert(QStringLiteral("0"), {1, 0x27});
        for (int i = 1; i <= 12; ++i)
            table.insert(QStringLiteral("F%1").arg(i), {1, 0x3A + i - 1});
        return table;
    }();
    const auto it = names.constFind(name);
    if (it == names.constEnd())
        return false;
    *out = *it;
    return true;
}

void setEvent(unsigned char *key, int index, int action, const KeyCode &code)
{
    unsigned char *event = key + 4 + 8 * index;
    event[0] = action;
    event[1] = code.kind;
    event[2] = code.code & 0xFF;
    event[3] = (code.code >> 8) & 0xFF;
    event[4] = KeyDelayMs;
    event[5] = event[6] = event[7] = 0;
}

// The key record of a key-sequence default: {"0x05", x, usage byte} is a consumer key,
// {"0x05", x, y, "Ctrl+C"} a key combination of at most three keys.
bool keySequence(const QStringList &param, unsigned char *key, QString *problem)
{
    std::memset(key, 0, KeyRecordSize);
    if (param.size() == 3) {
        QString text = param.at(2).trimmed();
        if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
            text = text.mid(2);
        bool ok = false;
        const int byte = text.toInt(&ok, 16);
        const auto usage = consumerUsages().constFind(byte);
        if (!ok || usage == consumerUsages().constEnd()) {
            *problem = QStringLiteral("no consumer key %1").arg(param.at(2));
            return false;
        }
        key[0] = 2;
        setEvent(key, 0, 0, {2, *usage});
        setEvent(key, 1, 1, {2, *usage});
        return true;
    }
    if (param.size() == 4) {
        const QStringList names = param.at(3).split(QLatin1Char('+'));
        const int n = names.size();
        if (n > 3) {
            *problem = QStringLiteral("more than three keys in %1").arg(param.at(3));
            return false;
        }
        for (int i = 0; i < n; ++i) {
            KeyCode code{1, 0};
            if (!keyCode(names.at(i), &code))
                *problem = QStringLiteral("unknown key name %1").arg(names.at(i));
            setEvent(key, i, 0, code);
            setEvent(key, 2 * n - 1 - i, 1, code);
        }
        key[0] = 2 * n;
        return true;
    }
    *problem = QStringLiteral("a key sequence needs 3 or 4 elements");
    return false;
}

bool isKeySequence(const QStringList &param)
{
    return !param.isEmpty() && param.first() == QLatin1String("0x05");
}

// Another default function: category, code, param as numbers ("0x01,0x02,0x00" or decimal).
bool plainFunction(const QStringList &param, unsigned char *function)
{
    if (param.size() < 3)
        return false;
    unsigned char parsed[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        const uint value = param.at(i).trimmed().toUInt(&ok, 0);
        if (!ok || value > 0xFF)
            return false;
        parsed[i] = value;
    }
    std::memcpy(function, parsed, 3);
    return true;
}

void restoreGlobals(unsigned char *r, const ModelConfig::Model &model)
{
    std::memcpy(r, GlobalDefaults, sizeof GlobalDefaults);
    r[1] = model.dpiMaxGrade >= 1 && model.dpiMaxGrade <= 8 ? model.dpiMaxGrade : 4;
    for (int i = 0; i < 8; ++i) {
        unsigned char *stage = r + DpiStages + 6 * i;
        bool ok = false;
        int dpi = i < model.dpiGrade.size() ? model.dpiGrade.at(i).trimmed().toInt(&ok) : 0;
        if (!ok || dpi < 50)
            dpi = DefaultDpi[i];
        // The generic sensor code: steps of 50 DPI from 50, its high bits in Flags.
        const int code = dpi / 50 - 1;
        stage[0] = stage[1] = code & 0xFF;
        stage[2] = (code >> 8) & 0xFF;
        for (int c = 0; c < 3; ++c) {
            const int k = 3 * i + c;
            int colour = k < model.dpiColor.size() ? model.dpiColor.at(k).trimmed().toInt(&ok) : -1;
            if (!ok || colour < 0 || colour > 255)
                colour = DefaultColours[i][c];
            stage[3 + c] = colour;
        }
    }
    std::memcpy(r + 0x3F, LightDefaults, sizeof LightDefaults);
}

} // namespace

void FactorySettings::restore(QByteArray &record, const ModelConfig::Model &model,
                              QStringList *notes)
{
    if (record.size() != ConfigurationImage::RecordSize)
        record = QByteArray(ConfigurationImage::RecordSize, '\0');
    auto *r = reinterpret_cast<unsigned char *>(record.data());
    restoreGlobals(r, model);
    for (int s = 0; s < SlotCount; ++s) {
        unsigned char *function = r + ButtonFunctions + 3 * s;
        if (s < 12)
            std::memcpy(function, ButtonDefaults[s], 3);
        else
            std::memset(function, 0, 3);
        const QStringList param =
            s < model.keyParams.size() ? model.keyParams.at(s) : QStringList();
        if (param.isEmpty())
            continue;
        QString problem;
        if (isKeySequence(param)) {
            unsigned char key[KeyRecordSize];
            const bool usable = keySequence(param, key, &problem);
            if (usable) {
                std::memcpy(r + KeyRecords + KeyRecordSize * s, key, KeyRecordSize);
                function[0] = KeySequenceCategory;
                function[1] = function[2] = 0;
            }
        } else if (!plainFunction(param, function)) {
            problem = QStringLiteral("not a function");
        }
        if (!problem.isEmpty() && notes)
            *notes << QStringLiteral("KeyParam%1 of Drive%2: %3")
                          .arg(s + 1)
                          .arg(model.section)
                          .arg(problem);
    }
}

QByteArray FactorySettings::record(const ModelConfig::Model &model)
{
    QByteArray record(ConfigurationImage::RecordSize, '\0');
    restore(record, model);
    return record;
}
