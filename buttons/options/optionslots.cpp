// The option writers of the button page: each option's click writes its function to the
// selected row through the one assignment step; the fire key, key combination and macro
// categories ask first.
#include "buttons/model/functionoptions.h"
#include "buttons/options/optionassignment.h"
#include "buttons/page/buttoninterface.h"
#include "buttons/page/ui_buttoninterface.h"
#include "core/deviceanswers.h"
#include "core/devicestate.h"
#include "macro/firekey.h"
#include "macro/groupkey.h"
#include "macro/makemacro.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/widgets/mytoolbutton.h"

#include <QButtonGroup>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QToolButton>

// The page as the assignment step sees it.
class OptionPage : public AssignmentPage
{
public:
    explicit OptionPage(Buttoninterface &page) : Page(page) {}

    bool IsRowSelected(int row) const override
    {
        const QList<QAbstractButton *> rows = Page.RowGroup->buttons();
        return row >= 0 && row < rows.size() && rows.at(row)->isChecked();
    }
    void ClearFunctionChecks() override { Page.ClearFunctionChecks(); }
    void SetRowLabel(int slot, const QString &label) override { Page.SetRowLabel(slot, label); }
    void SetButtonFunction(int slot, int category, int code, int param) override
    {
        Page.SetButtonFunction(slot, category, code, param);
    }
    void EndChoice(bool keepCategoryList) override
    {
        Page.CloseChooser();
        if (keepCategoryList)
            Page.ui->stackedWidget->setCurrentWidget(Page.ui->page_2);
    }

private:
    Buttoninterface &Page;
};

void Buttoninterface::PlaceChoiceDialog(QWidget *dialog) const
{
    NoticeFrame::place(dialog, this, NoticeOffset::LeftButtonOnly);
}

void Buttoninterface::AssignOption(const char *name, bool checked)
{
    const FunctionOption *option = FindOption(name);
    if (!checked || !option)
        return;
    OptionContext context;
    context.OptionText = OptionText(name);
    context.DpiLockText = ui->DPI_4->text();
    context.FireKeyInterval = FireKeyInterval;
    context.FireKeyCount = FireKeyCount;
    context.DpiToCode = [this](int dpi) { return DpiToCode(dpi); };
    OptionPage page(*this);
    AssignToSelectedRow(page, OptionAssignment(*option, context));
}

void Buttoninterface::on_DPI_6_clicked()
{
    // Asked silently: the chooser just closes for a mouse that does not answer, unless a filling
    // is under way (the answer may then be a moment late).
    if (!SelectedDeviceAnswers() && DeviceState::instance()->ButtonFilling.load() == 0) {
        ui->stackedWidget->setCurrentWidget(ui->page);
        ui->stackedWidget_2->setCurrentWidget(ui->page_9);
        return;
    }
    // A row showing the fire key starts from its stored values; any other from the dialog's own.
    OptionPage rows(*this);
    const int row = SelectedRow(rows);
    int interval = 10;
    int count = 3;
    if (row >= 0 && RowGroup->buttons().at(row)->text() == ui->DPI_6->text()) {
        const MirroredFunction stored = MirroredFunctionAt(Mirrors, RowSlots[std::size_t(row)]);
        if (stored.Category != UnknownCategory) {
            interval = stored.Code;
            count = stored.Param;
        }
    }
    FireKey dialog;
    dialog.SetInterval(interval);
    dialog.SetCount(count);
    PlaceChoiceDialog(&dialog);
    dialog.exec();
    if (!dialog.Confirmed)
        return;
    FireKeyCount = dialog.Count;
    FireKeyInterval = dialog.Interval;
    // The row is looked up again: the page may have been refilled while the dialog was open.
    on_DPI_6_clicked(true);
}

void Buttoninterface::on_DPI_8_clicked()
{
    GroupKey dialog;
    PlaceChoiceDialog(&dialog);
    dialog.exec();
    if (!dialog.Confirmed)
        return;
    OptionPage rows(*this);
    const int row = SelectedRow(rows);
    SetKeyCombination(row >= 0 ? RowSlots[std::size_t(row)] : -1, dialog.KeyText);
}

void Buttoninterface::on_DPI_10_clicked()
{
    if (!MacroButtons.isEmpty()) {
        ui->stackedWidget_2->setCurrentWidget(ui->page_5);
        return;
    }
    ui->stackedWidget_2->setCurrentWidget(ui->page_9);
    MakeMacro notice;
    PlaceChoiceDialog(&notice);
    notice.exec();
}

// clang-format off
void Buttoninterface::on_LeftKey_3_clicked(bool checked) { AssignOption("LeftKey_3", checked); }
void Buttoninterface::on_RightKey_3_clicked(bool checked) { AssignOption("RightKey_3", checked); }
void Buttoninterface::on_MidKey_clicked(bool checked) { AssignOption("MidKey", checked); }
void Buttoninterface::on_BackKey_2_clicked(bool checked) { AssignOption("BackKey_2", checked); }
void Buttoninterface::on_ForWardKey_clicked(bool checked) { AssignOption("ForWardKey", checked); }
void Buttoninterface::on_DPI_2_clicked(bool checked) { AssignOption("DPI_2", checked); }
void Buttoninterface::on_DPI_3_clicked(bool checked) { AssignOption("DPI_3", checked); }
void Buttoninterface::on_DPI_5_clicked(bool checked) { AssignOption("DPI_5", checked); }
void Buttoninterface::on_DPI_6_clicked(bool checked) { AssignOption("DPI_6", checked); }
void Buttoninterface::on_VolumeUp_8_clicked(bool checked) { AssignOption("VolumeUp_8", checked); }
void Buttoninterface::on_VolumeUp_9_clicked(bool checked) { AssignOption("VolumeUp_9", checked); }
void Buttoninterface::on_VolumeUp_10_clicked(bool checked) { AssignOption("VolumeUp_10", checked); }
void Buttoninterface::on_VolumeUp_2_clicked(bool checked) { AssignOption("VolumeUp_2", checked); }
void Buttoninterface::on_VolumeDown_2_clicked(bool checked) { AssignOption("VolumeDown_2", checked); }
void Buttoninterface::on_VolumeUp_4_clicked(bool checked) { AssignOption("VolumeUp_4", checked); }
void Buttoninterface::on_VolumeUp_5_clicked(bool checked) { AssignOption("VolumeUp_5", checked); }
void Buttoninterface::on_VolumeUp_6_clicked(bool checked) { AssignOption("VolumeUp_6", checked); }
void Buttoninterface::on_VolumeUp_7_clicked(bool checked) { AssignOption("VolumeUp_7", checked); }
void Buttoninterface::on_VolumeUp_14_clicked(bool checked) { AssignOption("VolumeUp_14", checked); }
void Buttoninterface::on_VolumeDown_14_clicked(bool checked) { AssignOption("VolumeDown_14", checked); }
void Buttoninterface::on_VolumeUp_11_clicked(bool checked) { AssignOption("VolumeUp_11", checked); }
void Buttoninterface::on_VolumeUp_12_clicked(bool checked) { AssignOption("VolumeUp_12", checked); }
void Buttoninterface::on_VolumeUp_13_clicked(bool checked) { AssignOption("VolumeUp_13", checked); }
void Buttoninterface::on_VolumeUp_16_clicked(bool checked) { AssignOption("VolumeUp_16", checked); }
void Buttoninterface::on_VolumeUp_15_clicked(bool checked) { AssignOption("VolumeUp_15", checked); }
void Buttoninterface::on_VolumeUp_19_clicked(bool checked) { AssignOption("VolumeUp_19", checked); }
void Buttoninterface::on_VolumeUp_20_clicked(bool checked) { AssignOption("VolumeUp_20", checked); }
void Buttoninterface::on_VolumeUp_22_clicked(bool checked) { AssignOption("VolumeUp_22", checked); }
void Buttoninterface::on_VolumeUp_18_clicked(bool checked) { AssignOption("VolumeUp_18", checked); }
void Buttoninterface::on_VolumeUp_24_clicked(bool checked) { AssignOption("VolumeUp_24", checked); }
void Buttoninterface::on_VolumeUp_23_clicked(bool checked) { AssignOption("VolumeUp_23", checked); }
void Buttoninterface::on_VolumeUp_21_clicked(bool checked) { AssignOption("VolumeUp_21", checked); }
void Buttoninterface::on_Player_clicked(bool checked) { AssignOption("Player", checked); }
void Buttoninterface::on_StartPause_2_clicked(bool checked) { AssignOption("StartPause_2", checked); }
void Buttoninterface::on_BackMusic_2_clicked(bool checked) { AssignOption("BackMusic_2", checked); }
void Buttoninterface::on_TopMusic_2_clicked(bool checked) { AssignOption("TopMusic_2", checked); }
void Buttoninterface::on_Mute_clicked(bool checked) { AssignOption("Mute", checked); }
void Buttoninterface::on_VolumeUp_clicked(bool checked) { AssignOption("VolumeUp", checked); }
void Buttoninterface::on_VolumeDown_clicked(bool checked) { AssignOption("VolumeDown", checked); }
void Buttoninterface::on_VolumeDown_4_clicked(bool checked) { AssignOption("VolumeDown_4", checked); }
void Buttoninterface::on_VolumeDown_5_clicked(bool checked) { AssignOption("VolumeDown_5", checked); }
void Buttoninterface::on_VolumeDown_6_clicked(bool checked) { AssignOption("VolumeDown_6", checked); }
void Buttoninterface::on_VolumeDown_3_clicked(bool checked) { AssignOption("VolumeDown_3", checked); }
void Buttoninterface::on_VolumeDown_8_clicked(bool checked) { AssignOption("VolumeDown_8", checked); }
void Buttoninterface::on_VolumeDown_9_clicked(bool checked) { AssignOption("VolumeDown_9", checked); }
void Buttoninterface::on_VolumeDown_7_clicked(bool checked) { AssignOption("VolumeDown_7", checked); }
void Buttoninterface::on_VolumeDown_10_clicked(bool checked) { AssignOption("VolumeDown_10", checked); }
void Buttoninterface::on_VolumeDown_12_clicked(bool checked) { AssignOption("VolumeDown_12", checked); }
void Buttoninterface::on_VolumeDown_13_clicked(bool checked) { AssignOption("VolumeDown_13", checked); }
void Buttoninterface::on_VolumeDown_11_clicked(bool checked) { AssignOption("VolumeDown_11", checked); }
// clang-format on
