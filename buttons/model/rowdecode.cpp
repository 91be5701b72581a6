#include "buttons/model/rowdecode.h"

#include "buttons/model/functionoptions.h"
#include "core/record/recordcodes.h"

namespace {

// Where each category opens the chooser. The category list's steps are not the buttons' places
// in the list: they are chosen so the category's button comes into view.
struct CategoryView
{
    int Category;
    const char *CategoryButton; // nullptr: the option itself (mouse buttons)
    const char *OptionPage;
    int Step; // -1: the option's own place (mouse buttons)
};
constexpr CategoryView CategoryViews[] = {
    {FunctionCategory::Disabled, "DPI_5", "page_9", 9},
    {FunctionCategory::MouseButton, nullptr, "page_9", -1},
    {FunctionCategory::DpiControl, "DPI_7", "page_7", 13},
    {FunctionCategory::HorizontalWheel, "DPI_11", "page_4", 10},
    {FunctionCategory::FireKey, "DPI_6", "page_9", 7},
    {FunctionCategory::Macro, "DPI_10", "page_5", 15},
    {FunctionCategory::ReportRateSwitch, "DPI_2", "page_9", 5},
    {FunctionCategory::Lighting, "DPI_9", "page_6", 12},
    {FunctionCategory::ProfileSwitch, "DPI_3", "page_9", 6},
    {FunctionCategory::DpiLock, "DPI_4", "page_8", 15},
    {FunctionCategory::VerticalWheel, "DPI_13", "page_10", 10},
};

const CategoryView *categoryView(int category)
{
    for (const CategoryView &view : CategoryViews) {
        if (view.Category == category)
            return &view;
    }
    return nullptr;
}

// A multimedia key shows on its page; any other key sequence is a key combination.
RowView keySequenceView(const KeyEvent &firstKey)
{
    RowView view;
    view.Known = true;
    const FunctionOption *option = firstKey.Kind == KeyEventKind::Consumer
                                       ? MultimediaOption(firstKey.code() & 0xFF)
                                       : nullptr;
    if (option) {
        view.OptionPage = "page_3";
        view.CategoryButton = "DPI_12";
        view.Option = option->Option;
        view.CategoryStep = 16;
        view.MultimediaStep = option->Step;
    } else {
        view.OptionPage = "page_9";
        view.CategoryButton = "DPI_8";
        view.CategoryStep = 8;
        view.MultimediaStep = 0;
    }
    return view;
}

} // namespace

RowView DecodeStoredFunction(int category, int code, const KeyEvent &firstKey,
                             const std::function<int(int)> &codeToDpi)
{
    if (category == FunctionCategory::KeySequence)
        return keySequenceView(firstKey);
    RowView view;
    view.DpiStep = 0;
    const CategoryView *shown = categoryView(category);
    if (!shown)
        return view;
    view.Known = true;
    view.OptionPage = shown->OptionPage;
    view.CategoryButton = shown->CategoryButton;
    view.CategoryStep = shown->Step;
    view.MatchMacro = category == FunctionCategory::Macro;
    if (category == FunctionCategory::MouseButton) {
        // The mouse buttons are options of the category list itself.
        const FunctionOption *option = OptionOfStoredCode(category, code);
        view.CategoryButton = option ? option->Option : nullptr;
        view.CategoryStep = option ? option->Step : 0;
    } else if (category == FunctionCategory::DpiLock) {
        if (const FunctionOption *option = codeToDpi ? DpiLockOption(codeToDpi(code)) : nullptr) {
            view.Option = option->Option;
            view.DpiStep = option->Step;
        }
    } else if (const FunctionOption *option = OptionOfStoredCode(category, code)) {
        view.Option = option->Option;
    }
    return view;
}

RowView DecodeRow(const ButtonMirrors &mirrors, const FlashDataMap &record, int slot,
                  const std::function<int(int)> &codeToDpi)
{
    const MirroredFunction stored = MirroredFunctionAt(mirrors, slot);
    if (stored.Category == UnknownCategory || slot < 0 || slot >= int(FlashDataMap::ButtonSlots))
        return DecodeStoredFunction(UnknownCategory, 0, KeyEvent{}, codeToDpi);
    return DecodeStoredFunction(stored.Category, stored.Code, record.KeyRecords[slot].Events[0],
                                codeToDpi);
}

bool IsLastLeftClickRow(const QStringList &rowLabels, int row, const QString &leftClickText)
{
    if (row < 0 || row >= rowLabels.size() || rowLabels.at(row) != leftClickText)
        return false;
    return rowLabels.count(leftClickText) == 1;
}

int MatchingMacroButton(const QStringList &macroTexts, const QString &prefix,
                        const QString &rowLabel)
{
    QString label = rowLabel;
    label.remove(QChar(0));
    int match = -1;
    for (int i = 0; i < macroTexts.size(); ++i) {
        if (prefix + macroTexts.at(i) == label)
            match = i;
    }
    return match;
}
