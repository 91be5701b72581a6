#include "buttons/model/buttonlabel.h"

#include "buttons/model/buttonmodel.h"
#include "buttons/model/functionoptions.h"
#include "buttons/model/keyrecords.h"
#include "macro/model/macroname.h"

#include <QByteArray>

namespace {

LabelChoice option(const char *name)
{
    return {LabelChoice::OptionText, name, {}, false, 0};
}

// The option that writes (category, code): the option writers' own table. A code none writes
// keeps the row's text.
LabelChoice optionByCode(int category, int code)
{
    const FunctionOption *stored = OptionOfStoredCode(category, code);
    return stored ? option(stored->Option) : LabelChoice{};
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
    case DpiControl:
    case HorizontalWheel:
    case Lighting:
    case VerticalWheel:
        return optionByCode(category, code);
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
    case ProfileSwitch:
        return option("DPI_3");
    case DpiLock:
        return {LabelChoice::DpiLock, "DPI_4", {}, false, code};
    default:
        return {};
    }
}
