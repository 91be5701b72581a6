#pragma once

#include "buttons/model/functionoptions.h"
#include "core/record/flashdatamap.h"

#include <QString>

#include <functional>

// The one step every option writer of the button page takes: find the selected row, write the
// function to the device, and only when the device took it label the row and mirror the function;
// the chooser closes whatever happened. The widgets stay the page's: the step reaches them through
// AssignmentPage, so it runs and is tested without the form. GUI thread only.

// What the step asks of the page.
class AssignmentPage
{
public:
    virtual ~AssignmentPage() = default;
    // Whether the row selector of row `row` (0..11, in row order) is checked.
    virtual bool IsRowSelected(int row) const = 0;
    // Unchecks every option below the category list and every macro button.
    virtual void ClearFunctionChecks() = 0;
    virtual void SetRowLabel(int slot, const QString &label) = 0;
    // The page's copy of the slot's function; a slot the copy does not hold is left alone.
    virtual void SetButtonFunction(int slot, int category, int code, int param) = 0;
    // Closes the chooser: the empty page instead of the category list (or the category list kept
    // open, after a key combination), the row list's scroll bar 10 px wide again, and the option
    // pages back on the debounce panel.
    virtual void EndChoice(bool keepCategoryList) = 0;
};

// One assignment. Category, Code and Param are what the page mirrors; the device record keeps
// their low bytes (a DPI lock's code may exceed a byte: the mirror keeps it whole).
struct Assignment
{
    int Category = 0;
    int Code = 0;
    int Param = 0;
    // A key sequence stores this key record along with the function.
    bool WithKeys = false;
    KeyRecord Keys{};
    QString Label;
    bool ClearChecksFirst = false;
    bool KeepCategoryList = false;
};

// What the page knows at the click that an option's assignment depends on.
struct OptionContext
{
    QString OptionText;  // the option button's current text
    QString DpiLockText; // the current text of the DPI-lock category button
    int FireKeyInterval = 10;
    int FireKeyCount = 3;
    // The current sensor's code of a DPI value.
    std::function<int(int)> DpiToCode;
};

// The assignment of a fixed-function option. A DPI lock's code is computed here, once, before any
// row is looked at.
Assignment OptionAssignment(const FunctionOption &option, const OptionContext &context);

// The first selected row in row order; -1 when none is.
int SelectedRow(const AssignmentPage &page);

// Writes `assignment` to the slot of the first selected row (rows 4 and 5 hold slots 4 and 3).
// Returns the slot written, or -1 when no row is selected or the device refused the write (it is
// offline: the device link has raised its notice). The chooser is closed in every case.
int AssignToSelectedRow(AssignmentPage &page, const Assignment &assignment);
