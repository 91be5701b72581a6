#include "buttons/options/optionassignment.h"

#include "buttons/model/buttonmodel.h"
#include "buttons/model/keyrecords.h"
#include "core/devicewrite.h"
#include "core/record/recordcodes.h"

Assignment OptionAssignment(const FunctionOption &option, const OptionContext &context)
{
    Assignment assignment;
    assignment.Category = option.Category;
    assignment.Code = option.Code;
    assignment.Label = context.OptionText;
    switch (option.Family) {
    case OptionFamily::Basic:
        assignment.ClearChecksFirst = true;
        if (option.Category == FunctionCategory::FireKey) {
            assignment.Code = context.FireKeyInterval;
            assignment.Param = context.FireKeyCount;
        }
        break;
    case OptionFamily::SubOption:
        break;
    case OptionFamily::DpiLock:
        assignment.Code = context.DpiToCode ? context.DpiToCode(option.Dpi) : 0;
        assignment.Label = context.DpiLockText + QLatin1Char('-') + context.OptionText;
        break;
    case OptionFamily::Multimedia:
        assignment.WithKeys = true;
        assignment.Keys = MakeConsumerKeyRecord(std::uint8_t(option.Usage >> 8),
                                                std::uint8_t(option.Usage & 0xFF));
        break;
    }
    return assignment;
}

int SelectedRow(const AssignmentPage &page)
{
    for (int row = 0; row < RowCount; ++row) {
        if (page.IsRowSelected(row))
            return row;
    }
    return -1;
}

int AssignToSelectedRow(AssignmentPage &page, const Assignment &assignment)
{
    if (assignment.ClearChecksFirst)
        page.ClearFunctionChecks();
    const int row = SelectedRow(page);
    int written = -1;
    if (row >= 0) {
        const int slot = RowSlots[std::size_t(row)];
        bool stored = false;
        if (assignment.WithKeys) {
            const ButtonFunction function = {std::uint8_t(assignment.Category),
                                             std::uint8_t(assignment.Code),
                                             std::uint8_t(assignment.Param)};
            stored = WriteButtonKeyRecord(slot, &function, &assignment.Keys);
        } else {
            stored =
                WriteButtonFunction(slot, assignment.Category, assignment.Code, assignment.Param);
        }
        if (stored) {
            page.SetRowLabel(slot, assignment.Label);
            page.SetButtonFunction(slot, assignment.Category, assignment.Code, assignment.Param);
            written = slot;
        }
    }
    page.EndChoice(assignment.KeepCategoryList);
    return written;
}
