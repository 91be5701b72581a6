// The button page's model: filling it and the row labels from a device record, the factory
// reset, and the page's texts in the chosen language.
#include "buttons/page/buttoninterface.h"

#include "buttons/model/buttonlabel.h"
#include "buttons/model/macrorepeat.h"
#include "buttons/page/ui_buttoninterface.h"
#include "core/configini.h"
#include "core/devicecache.h"
#include "core/devicelink.h"
#include "core/devicestate.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "core/startup.h"
#include "macro/macrosync.h"
#include "macro/model/macrofile.h"
#include "sensor/debouncetime.h"
#include "shell/widgets/fontscaling.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/mytoolbutton.h"
#include "shell/widgets/theme.h"

#include <QButtonGroup>
#include <QLabel>
#include <QStackedWidget>
#include <QToolButton>

namespace {

QString modelGroup()
{
    return QStringLiteral("Drive%1").arg(State().CurrentDeviceInfo.get().DriveIndex + 1);
}

int modelKeyNumber()
{
    return ConfigIni::instance()->intValue(modelGroup(), QStringLiteral("KeyNumber"));
}

// Positions of the page's texts in the language files' Buttoninterface section.
namespace Text {
constexpr int Reset = 1;
constexpr int Import = 2;
constexpr int Export = 3;
constexpr int MacroPrefix = 48;
constexpr int ProfilePrefix = 49;
constexpr int DebounceUnit = 50;
} // namespace Text

// The language whose import and export buttons also carry their caption as a tool tip: its
// captions are cut short on the buttons.
constexpr int TipLanguage = 5;
// The language whose category captions need the smaller font.
constexpr int SmallCategoryLanguage = 4;

using ButtonMember = QToolButton *Ui_Buttoninterface::*;
struct TextEntry
{
    ButtonMember member;
    int entry;
};
using Ui = Ui_Buttoninterface;
// The row texts name the rows' factory functions until a record relabels them.
const TextEntry Texts[] = {
    {&Ui::FireKey, 4},        {&Ui::RightKey, 5},       {&Ui::BackKey, 6},
    {&Ui::StartPause, 7},     {&Ui::TopMusic, 8},       {&Ui::BackMusic, 9},
    {&Ui::Button9, 10},       {&Ui::Button10, 10},      {&Ui::Button11, 12},
    {&Ui::Button12, 14},      {&Ui::VolumeUp_8, 9},     {&Ui::LeftKey_3, 4},
    {&Ui::RightKey_3, 5},     {&Ui::MidKey, 6},         {&Ui::BackKey_2, 8},
    {&Ui::ForWardKey, 7},     {&Ui::DPI_2, 10},         {&Ui::DPI_3, 11},
    {&Ui::DPI_5, 14},         {&Ui::DPI_13, 15},        {&Ui::DPI_11, 16},
    {&Ui::DPI_10, 17},        {&Ui::DPI_9, 18},         {&Ui::DPI_7, 19},
    {&Ui::DPI_12, 20},        {&Ui::DPI_4, 21},         {&Ui::Player, 22},
    {&Ui::StartPause_2, 23},  {&Ui::BackMusic_2, 24},   {&Ui::TopMusic_2, 25},
    {&Ui::Mute, 26},          {&Ui::VolumeUp, 27},      {&Ui::VolumeDown, 28},
    {&Ui::VolumeDown_4, 29},  {&Ui::VolumeDown_5, 30},  {&Ui::VolumeDown_6, 31},
    {&Ui::VolumeDown_3, 32},  {&Ui::VolumeDown_8, 51},  {&Ui::VolumeDown_9, 33},
    {&Ui::VolumeDown_7, 34},  {&Ui::VolumeDown_10, 35}, {&Ui::VolumeDown_12, 36},
    {&Ui::VolumeDown_13, 37}, {&Ui::VolumeDown_11, 38}, {&Ui::VolumeUp_4, 39},
    {&Ui::VolumeUp_5, 40},    {&Ui::VolumeUp_6, 41},    {&Ui::VolumeUp_7, 42},
    {&Ui::VolumeUp_2, 44},    {&Ui::VolumeDown_2, 45},  {&Ui::VolumeUp_14, 46},
    {&Ui::VolumeDown_14, 47},
};

} // namespace

void Buttoninterface::SlotUpDataButtonUIButton(const FlashDataMap &record)
{
    State().ButtonUiUpdated = 0;
    State().ButtonFilling = 1;
    FillFromRecord(record, true);
    State().ButtonFilling = 0;
    State().ButtonUiUpdated = 1;
    // After the device's event has had its answer: what the mouse is sent then is the user's
    // doing, with the offline notice should it fail.
    QMetaObject::invokeMethod(this, &Buttoninterface::BringMacrosInStep, Qt::QueuedConnection);
}

void Buttoninterface::SlotUpDataButtonUIB(const FlashDataMap &record)
{
    State().ButtonFilling = 1;
    FillFromRecord(record, false);
    State().ButtonFilling = 0;
}

void Buttoninterface::FillFromRecord(const FlashDataMap &record, bool deviceRead)
{
    Shown = record;
    PostMsg *hub = PostMsg::GetInstance();
    if (deviceRead)
        emit hub->SigLightToFrom(record.SleepTime * 10);
    SensorName = ConfigIni::instance()->value(modelGroup(), QStringLiteral("Sensor"));
    if (!deviceRead)
        emit hub->SigLightToFrom(record.SleepTime * 10);
    RelabelRows(record);
    // Selecting the stored debounce time is not silent: a changed entry is written back while
    // writes are enabled. A byte beyond the longest time selects nothing.
    if (const std::optional<int> debounce = DebounceIndexOf(record.DebounceTime))
        ui->DebunceButton->SetIndex(*debounce);
}

void Buttoninterface::RelabelRows(const FlashDataMap &record)
{
    Mirrors = MirrorsFromRecord(record, modelKeyNumber());
    for (int slot = 0; slot < Mirrors.size(); ++slot) {
        const MirroredFunction function = MirroredFunctionAt(Mirrors, slot);
        ShowButtonFunction(slot, function.Category, function.Code, function.Param, record);
    }
}

void Buttoninterface::SlotFormResetButton()
{
    State().ButtonFilling = 1;
    ui->stackedWidget->setCurrentWidget(ui->page);
    ui->stackedWidget_2->setCurrentWidget(ui->page_9);
    Mirrors = FactoryMirrors();
    ui->DebunceButton->SetIndex(8);
    emit PostMsg::GetInstance()->SigLightToFrom(60);
    State().ButtonFilling = 0;
}

void Buttoninterface::SetButtonFunction(int slot, int category, int code, int param)
{
    SetMirroredFunction(Mirrors, slot, category, code, param);
}

void Buttoninterface::ClearFunctionChecks()
{
    // An exclusive group keeps its checked button checked.
    OptionGroup->setExclusive(false);
    for (QAbstractButton *option : OptionGroup->buttons())
        option->setChecked(false);
    for (QToolButton *macro : qAsConst(MacroButtons))
        macro->setChecked(false);
    OptionGroup->setExclusive(true);
}

QString Buttoninterface::OptionText(const char *option) const
{
    const auto *button = findChild<QToolButton *>(QLatin1String(option));
    return button ? button->text() : QString();
}

void Buttoninterface::SetRowLabel(int slot, const QString &text)
{
    if (const char *row = RowSelectorOfSlot(slot))
        findChild<QToolButton *>(QLatin1String(row))->setText(text);
}

void Buttoninterface::ShowButtonFunction(int slot, int category, int code, int param,
                                         const FlashDataMap &record)
{
    const LabelChoice choice = ChooseButtonLabel(slot, category, code, record);
    switch (choice.What) {
    case LabelChoice::Unchanged:
        return;
    case LabelChoice::OptionText:
        SetRowLabel(slot, OptionText(choice.Option));
        return;
    case LabelChoice::Combination:
        SetRowLabel(slot, choice.Text);
        return;
    case LabelChoice::DpiLock:
        SetRowLabel(slot, OptionText(choice.Option) + QLatin1Char('-') +
                              QString::number(CodeToDpi(choice.Code)));
        return;
    case LabelChoice::Macro: {
        SetRowLabel(slot, MacroLabelPrefix + choice.Text);
        // A name that cannot be a macro file (from a damaged or foreign record) labels the row
        // but reaches neither the macro folder nor the macro page.
        if (!choice.NameAllowed)
            return;
        // Only a macro without a file is written from the mouse: a file there is the user's,
        // and a macro the user deleted or renamed since the mouse last took it stays gone. The
        // mouse is brought in step with them once it answers (BringMacrosInStep).
        bool written = false;
        if (!MacroSync::IsRemoved(choice.Text) && !MacroSync::RenamedTo(choice.Text))
            TakeOverMacroRecord(record.Macros[slot], param, &written);
        emit PostMsg::GetInstance()->SigButtonToMacro(record, slot);
        return;
    }
    }
}

void Buttoninterface::SlotAllLanguage(int language)
{
    QFont categoryFont = Theme::Font(language == SmallCategoryLanguage ? 7 : 9);
    // The start-up pass scales every widget once after the first application; later ones scale
    // their own font.
    if (LanguageApplied)
        categoryFont.setPointSizeF(categoryFont.pointSizeF() * ScreenFontFactor());
    for (QAbstractButton *category : CategoryGroup->buttons())
        category->setFont(categoryFont);
    LanguageApplied = 1;

    const TextTable &texts = ButtoninterfaceTexts;
    const auto text = [&](int entry, const QString &fallback) {
        return texts.text(language, entry, fallback);
    };
    ui->Reset->setText(text(Text::Reset, ui->Reset->text()));
    const QString import = text(Text::Import, ui->ImportData->text());
    ui->ImportData->setToolTip(language == TipLanguage ? import : QString());
    ui->ImportData->setText(import);
    const QString exportText = text(Text::Export, ui->OutputData->text());
    ui->OutputData->setToolTip(language == TipLanguage ? exportText : QString());
    ui->OutputData->setText(exportText);
    ui->Button7->setText(QStringLiteral("DPI+"));
    ui->Button8->setText(QStringLiteral("DPI-"));
    for (const TextEntry &entry : Texts) {
        QToolButton *button = ui.get()->*entry.member;
        button->setText(text(entry.entry, button->text()));
    }
    ui->DPI_6->setText(text(12, ui->DPI_6->text()));
    ui->DPI_8->setText(text(13, ui->DPI_8->text()));
    ui->label_3->setText(text(43, ui->label_3->text()));
    MacroLabelPrefix = text(Text::MacroPrefix, MacroLabelPrefix);
    ProfileLabelPrefix = text(Text::ProfilePrefix, ProfileLabelPrefix);
    const QString unit = text(Text::DebounceUnit, QString());
    for (int i = 0; i <= MaxDebounceTime; ++i)
        ui->DebunceButton->SetItemText(i, unit);

    // The rows name the stored functions in the new language: the device's record while it
    // answers, its cached record otherwise; without either they keep the factory texts.
    FlashDataMap record;
    if (State().DeviceOnline && DeviceLink::RecordIsRead())
        record = State().CurrentFlashData.get();
    else if (!LoadDeviceCache(State().DeviceCacheName.get(), &record))
        return;
    RelabelRows(record);

    MyConmboBox *profiles = ui->ProjectChoose;
    const int count = profiles->count();
    const int current = profiles->currentIndex();
    profiles->blockSignals(true);
    profiles->clear();
    for (int j = 0; j < count; ++j)
        profiles->addItem(ProfileLabelPrefix + QString::number(j + 1));
    profiles->setCurrentIndex(current);
    profiles->blockSignals(false);
}
