#pragma once

#include "buttons/model/buttonmodel.h"
#include "core/record/flashdatamap.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

// What a row selector of the button page shows when it is clicked: the chooser opened on the
// function stored for its button. Widget-free; the page applies the result to its form.

// Width in px of the row list's scroll bar while the chooser of a row is open, in row order. The
// rows whose chooser would cover the bar (2 to 6) hide it until an option is written.
constexpr std::array<int, RowCount> RowListBarWidths = {10, 0, 0, 0, 0, 0, 10, 10, 10, 10, 10, 10};

struct RowView
{
    // False for a function the page does not know (and for a slot the page holds no function
    // of): no page changes and nothing is checked; the category and DPI-lock lists go to the top.
    bool Known = false;
    // The category list (page_2) is shown with this page of the option stack.
    const char *OptionPage = nullptr;
    // Checked on the category list; nullptr: none (a mouse button of an unknown code).
    const char *CategoryButton = nullptr;
    // Checked on the option page; nullptr: none.
    const char *Option = nullptr;
    // A macro: the page checks the macro buttons whose label the row shows.
    bool MatchMacro = false;
    // Scroll steps (ChooserScrollStep px each) of the category list, of the multimedia list (key
    // sequences only: they leave the DPI-lock list where it is) and of the DPI-lock list (every
    // other function).
    int CategoryStep = 0;
    std::optional<int> MultimediaStep;
    std::optional<int> DpiStep;
};

// The view of a stored function. `firstKey` is event 0 of the slot's key record (a key sequence
// is told by it); `codeToDpi` turns a DPI lock's code into its DPI value.
RowView DecodeStoredFunction(int category, int code, const KeyEvent &firstKey,
                             const std::function<int(int)> &codeToDpi);

// The view of slot `slot`: its function from the page's mirrors, its key record from `record`.
// A slot the mirrors hold no entry for (at or beyond the model's key count) decodes as unknown.
RowView DecodeRow(const ButtonMirrors &mirrors, const FlashDataMap &record, int slot,
                  const std::function<int(int)> &codeToDpi);

// Whether clicking row `row` must be refused: it is the one row, of all twelve whether shown or
// not, whose label is the left-click option's text. The mouse would have no left click left.
bool IsLastLeftClickRow(const QStringList &rowLabels, int row, const QString &leftClickText);

// The macro button a macro row shows as checked: the last of `macroTexts` whose label (`prefix`
// and its text) is the row's label with its NUL characters removed (a label made from a device
// record can carry the zero bytes that fill the name field); -1 when none is.
int MatchingMacroButton(const QStringList &macroTexts, const QString &prefix,
                        const QString &rowLabel);
