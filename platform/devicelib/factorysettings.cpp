#include "platform/devicelib/factorysettings.h"

#include "core/record/flashdatamap.h"

#include <QHash>

#include <cstring>

namespace {

// The factory model's buttons: left, right, middle, back, forward, DPI cycle, DPI up, DPI down,
// report-rate switch twice, fire key (10 ms, held), none; slots 12..15 none.
const ButtonFunction ButtonDefaults[12] = {
    {FunctionCategory::MouseButton, MouseButtonCode::Left, 0},
    {FunctionCategory::MouseButton, MouseButtonCode::Right, 0},
    {FunctionCategory::MouseButton, MouseButtonCode::Middle, 0},
    {FunctionCategory::MouseButton, MouseButtonCode::Back, 0},
    {FunctionCategory::MouseButton, MouseButtonCode::Forward, 0},
    {FunctionCategory::DpiControl, DpiControlCode::Cycle, 0},
    {FunctionCategory::DpiControl, DpiControlCode::Up, 0},
    {FunctionCategory::DpiControl, DpiControlCode::Down, 0},
    {FunctionCategory::ReportRateSwitch, 0, 0},
    {FunctionCategory::ReportRateSwitch, 0, 0},
    {FunctionCategory::FireKey, 10, 0},
    {FunctionCategory::Disabled, 0, 0}};
const int DefaultDpi[8] = {400, 800, 1600, 3200, 6400, 12800, 16000, 26000};
const std::uint8_t DefaultColours[8][3] = {{255, 0, 0},   {0, 255, 0},    {0, 0, 255},
                                           {255, 255, 0}, {0, 255, 255},  {255, 0, 255},
                                           {255, 128, 0}, {255, 255, 255}};

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
    std::uint8_t kind;
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

void setEvent(KeyEvent &event, std::uint8_t action, const KeyCode &code)
{
    event.Action = action;
    event.Kind = code.kind;
    event.setCode(code.code);
    event.setDelay(KeyRecordEventDelay);
}

// The key record of a key-sequence default: {"0x05", x, usage byte} is a consumer key,
// {"0x05", x, y, "Ctrl+C"} a key combination of at most three keys.
bool keySequence(const QStringList &param, KeyRecord &key, QString *problem)
{
    std::memset(&key, 0, sizeof key);
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
        key.Count = 2;
        setEvent(key.Events[0], KeyEventAction::Press, {KeyEventKind::Consumer, *usage});
        setEvent(key.Events[1], KeyEventAction::Release, {KeyEventKind::Consumer, *usage});
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
            KeyCode code{KeyEventKind::Keyboard, 0};
            if (!keyCode(names.at(i), &code))
                *problem = QStringLiteral("unknown key name %1").arg(names.at(i));
            setEvent(key.Events[i], KeyEventAction::Press, code);
            setEvent(key.Events[2 * n - 1 - i], KeyEventAction::Release, code);
        }
        key.Count = 2 * n;
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
bool plainFunction(const QStringList &param, ButtonFunction &function)
{
    if (param.size() < 3)
        return false;
    std::uint8_t parsed[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        const uint value = param.at(i).trimmed().toUInt(&ok, 0);
        if (!ok || value > 0xFF)
            return false;
        parsed[i] = value;
    }
    function = {parsed[0], parsed[1], parsed[2]};
    return true;
}

// The generic sensor code of a DPI value: steps of 50 DPI from 50, its high bits in Flags.
DpiStage stage(int dpi, const std::uint8_t *colour)
{
    const int code = dpi / 50 - 1;
    const auto low = std::uint8_t(code & 0xFF);
    return {low, low, std::uint8_t((code >> 8) & 0xFF), colour[0], colour[1], colour[2]};
}

void restoreGlobals(FlashDataMap &r, const ModelConfig::Model &model)
{
    r.ReportRate = ReportRateCode::Hz1000;
    r.DpiStageCount = model.dpiMaxGrade >= 1 && model.dpiMaxGrade <= 8 ? model.dpiMaxGrade : 4;
    r.CurrentDpiStage = 0;
    r.Byte03 = r.Byte04 = 0;
    r.Lod = LodCode::Mm1;
    r.DebounceTime = 4;
    r.MotionSync = 0;
    r.SleepTime = SleepTimeCodes[0];
    r.StraightLine = 0;
    r.RippleControl = 0;
    r.LightOffWhileMoving = 0;
    r.PerformanceMode = 0;
    r.PerformanceTime = PerformanceTimeCodes[0];
    r.SensorMode = 0;
    for (int i = 0; i < 8; ++i) {
        bool ok = false;
        int dpi = i < model.dpiGrade.size() ? model.dpiGrade.at(i).trimmed().toInt(&ok) : 0;
        if (!ok || dpi < 50)
            dpi = DefaultDpi[i];
        std::uint8_t colour[3];
        for (int c = 0; c < 3; ++c) {
            const int k = 3 * i + c;
            const int value =
                k < model.dpiColor.size() ? model.dpiColor.at(k).trimmed().toInt(&ok) : -1;
            colour[c] = ok && value >= 0 && value <= 255 ? value : DefaultColours[i][c];
        }
        r.DpiStages[i] = stage(dpi, colour);
    }
    r.DpiLightMode = DpiLightModeCode::Steady;
    r.DpiLightBrightness = 128;
    r.DpiLightSpeed = 3;
    r.DpiLightOn = 1;
    r.LightMode = LightModeCode::ColourFlow;
    r.LightRed = 255;
    r.LightGreen = 0;
    r.LightBlue = 0;
    r.LightSpeed = 4;
    r.LightBrightness = 9;
    r.LightOn = 1;
}

} // namespace

void FactorySettings::restore(QByteArray &record, const ModelConfig::Model &model,
                              QStringList *notes)
{
    if (record.size() != int(sizeof(FlashDataMap)))
        record = QByteArray(int(sizeof(FlashDataMap)), '\0');
    FlashDataMap &r = *reinterpret_cast<FlashDataMap *>(record.data());
    restoreGlobals(r, model);
    for (int s = 0; s < int(FlashDataMap::ButtonSlots); ++s) {
        ButtonFunction &function = r.ButtonFunctions[s];
        function = s < 12 ? ButtonDefaults[s] : ButtonFunction{FunctionCategory::Disabled, 0, 0};
        const QStringList param =
            s < model.keyParams.size() ? model.keyParams.at(s) : QStringList();
        if (param.isEmpty())
            continue;
        QString problem;
        if (isKeySequence(param)) {
            KeyRecord key;
            if (keySequence(param, key, &problem)) {
                r.KeyRecords[s] = key;
                function = {FunctionCategory::KeySequence, 0, 0};
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
    QByteArray record(int(sizeof(FlashDataMap)), '\0');
    restore(record, model);
    return record;
}
