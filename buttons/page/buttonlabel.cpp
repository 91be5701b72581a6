#include "buttons/page/buttonlabel.h"

#include "buttons/page/buttonmodel.h"
#include "buttons/page/keyrecords.h"
#include "macro/macroname.h"

#include <QByteArray>

namespace {

struct CodedOption
{
    int Code;
    const char *Option;
};

LabelChoice optionByCode(int code, std::initializer_list<CodedOption> options)
{
    for (const CodedOption &option : options) {
        if (option.Code == code)
            return {LabelChoice::OptionText, option.Option, {}, false, 0};
    }
    return {};
}

LabelChoice option(const char *name)
{
    return {LabelChoice::OptionText, name, {}, false, 0};
}

LabelChoice keySequence(const KeyRecord &keys)
{
    const KeyEvent &first = keys.Events[0];
    if (first.Kind == KeyEventKind::Consumer) {
        const MultimediaKey *key = FindMultimediaKey(first.code() & 0xFF);
        return key ? option(key->Option) : LabelChoice{};
    }
    return {LabelChoice::Combination, nullptr, CombinationText(keys), false, 0};
}

} // namespace

QString MacroNameOfSlot(const FlashDataMap &record, int slot)
{
    if (slot < 0 || slot >= int(FlashDataMap::ButtonSlots))
        return QString();
    const MacroRecord &macro = record.Macros[slot];
    const char *name = reinterpret_cast<const char *>(macro.Name);
    const int length = int(qstrnlen(name, MacroRecord::NameCapacity));
    return MacroNameFromBytes(QByteArray(name, length));
}

LabelChoice ChooseButtonLabel(int slot, int category, int code, const FlashDataMap &record)
{
    if (RowOfSlot(slot) < 0)
        return {};
    using namespace FunctionCategory;
    switch (category) {
    case Disabled:
        return option("DPI_5");
    case MouseButton:
        return optionByCode(code, {{MouseButtonCode::Left, "LeftKey_3"},
                                   {MouseButtonCode::Right, "RightKey_3"},
                                   {MouseButtonCode::Middle, "MidKey"},
                                   {MouseButtonCode::Back, "BackKey_2"},
                                   {MouseButtonCode::Forward, "ForWardKey"}});
    case DpiControl:
        return optionByCode(code, {{DpiControlCode::Cycle, "VolumeUp_8"},
                                   {DpiControlCode::Up, "VolumeUp_9"},
                                   {DpiControlCode::Down, "VolumeUp_10"}});
    case HorizontalWheel:
        return optionByCode(code, {{HorizontalWheelCode::Left, "VolumeUp_2"},
                                   {HorizontalWheelCode::Right, "VolumeDown_2"}});
    case FireKey:
        return option("DPI_6");
    case KeySequence:
        return keySequence(record.KeyRecords[slot]);
    case Macro: {
        const QString name = MacroNameOfSlot(record, slot);
        return {LabelChoice::Macro, nullptr, name, IsMacroNameAllowed(name), 0};
    }
    case ReportRateSwitch:
        return option("DPI_2");
    case Lighting:
        return optionByCode(code, {{LightingToggleCode::AllLights, "VolumeUp_4"},
                                   {LightingToggleCode::DpiIndicator, "VolumeUp_5"},
                                   {LightingToggleCode::LightStrip, "VolumeUp_6"},
                                   {LightingToggleCode::NextStripEffect, "VolumeUp_7"}});
    case ProfileSwitch:
        return option("DPI_3");
    case DpiLock:
        return {LabelChoice::DpiLock, "DPI_4", {}, false, code};
    case VerticalWheel:
        return optionByCode(code, {{VerticalWheelCode::Up, "VolumeUp_14"},
                                   {VerticalWheelCode::Down, "VolumeDown_14"}});
    default:
        return {};
    }
}
