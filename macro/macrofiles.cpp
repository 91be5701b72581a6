// The macro page's macros as files: the list filled from the macro folder, a macro loaded into
// the event list and the repeat choice, and the actions on whole macros (new, rename, delete,
// save). Files are written whole (macro/model/macrofile.h), from what the page shows when the user
// acts.
#include "macro/macro.h"

#include "core/devicestate.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "macro/eventitem.h"
#include "macro/macrosync.h"
#include "macro/model/macrofile.h"
#include "macro/model/macroname.h"
#include "macro/questiondialog.h"
#include "macro/samemacro.h"
#include "macro/ui_macro.h"
#include "shell/dialogs/deleteconfirm.h"
#include "shell/dialogs/exeisrun.h"
#include "shell/dialogs/noticeframe.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSpinBox>

namespace {

// The repeat values of the three modes that are not a count.
constexpr int RepeatWhileHeld = 254;
constexpr int RepeatUntilPressedAgain = 255;
constexpr int RepeatUntilAnotherButton = 253;
constexpr int MinRepeatCount = 1;
constexpr int MaxRepeatCount = 250;

} // namespace

void Macro::LoadMacroList()
{
    ui->listWidgetHong->addItems(MacroNamesInFolder(MacroFolderPath));
}

QString Macro::CurrentMacroName() const
{
    const QListWidgetItem *item = ui->listWidgetHong->currentItem();
    return item ? item->text() : QString();
}

void Macro::SetCurrentMacroRow(int row)
{
    const QSignalBlocker blocker(ui->listWidgetHong);
    ui->listWidgetHong->setCurrentRow(row);
}

bool Macro::MacroNameTaken(const QString &name) const
{
    const QListWidget *list = ui->listWidgetHong;
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->text() == name)
            return true;
    }
    const std::optional<QString> path = MacroFilePath(MacroFolderPath, name);
    return path && QFileInfo::exists(*path);
}

bool Macro::StopIfRecording()
{
    if (DeviceState::instance()->MacroRecording.load() == 0)
        return false;
    ExeIsRun notice;
    notice.UsePleaseStopText();
    ShowNotice(&notice);
    return true;
}

namespace {
// Entries of the page's texts that its file notices show.
constexpr int NotMacroFileText = 25;
constexpr int NameNotAllowedText = 26;
constexpr int NotWrittenText = 27;

void showTextNotice(QWidget *page, int entry, const QString &fallback, const QPoint &offset)
{
    SameMacro notice;
    notice.SetText(
        MacroTexts.text(DeviceState::instance()->CurrentLanguage.load(), entry, fallback));
    NoticeFrame::place(&notice, page, offset);
    notice.exec();
}
} // namespace

void Macro::ShowNotMacroFile(const QPoint &offset)
{
    showTextNotice(this, NotMacroFileText,
                   QStringLiteral("This file is not a macro file or is damaged."), offset);
}

void Macro::ShowNameNotAllowed()
{
    showTextNotice(this, NameNotAllowedText,
                   QStringLiteral("This name cannot be used for a macro."),
                   NoticeOffset::MacroPage);
}

void Macro::ShowNotWritten(const QPoint &offset)
{
    showTextNotice(this, NotWrittenText, QStringLiteral("The macro file could not be written."),
                   offset);
    ReloadMacroList();
}

void Macro::ReloadMacroList()
{
    const QString shown = CurrentMacroName();
    QListWidget *list = ui->listWidgetHong;
    const QStringList names = MacroNamesInFolder(MacroFolderPath);
    {
        const QSignalBlocker blocker(list);
        list->clear();
        list->addItems(names);
    }
    const int row = shown.isEmpty() ? -1 : int(names.indexOf(shown));
    SetCurrentMacroRow(row);
    if (row < 0 && !shown.isEmpty()) {
        // The macro shown has no file any more: nothing is selected and nothing shown.
        ui->listWidgetKey->clear();
        CurrentMacroPath.clear();
        SetSaveActive(false);
    }
}

int Macro::RepeatValue() const
{
    if (ui->ReUntilLoose->isChecked())
        return RepeatWhileHeld;
    if (ui->ReUntilClick->isChecked())
        return RepeatUntilPressedAgain;
    if (ui->ReUntil->isChecked())
        return RepeatUntilAnotherButton;
    return ui->NumberEdit->value();
}

void Macro::ShowRepeatValue(int value)
{
    switch (value) {
    case RepeatWhileHeld:
        ui->ReUntilLoose->setChecked(true);
        break;
    case RepeatUntilPressedAgain:
        ui->ReUntilClick->setChecked(true);
        break;
    case RepeatUntilAnotherButton:
        ui->ReUntil->setChecked(true);
        break;
    default:
        ui->ReNumber->setChecked(true);
        ui->NumberEdit->setValue(
            value >= MinRepeatCount && value <= MaxRepeatCount ? value : MinRepeatCount);
        break;
    }
}

MacroEvents Macro::ShownEvents() const
{
    MacroEvents events;
    const QListWidget *list = ui->listWidgetKey;
    for (int row = 0; row < list->count(); ++row) {
        if (const std::optional<MacroEvent> event = EventItem::ToEvent(list->item(row)))
            events.append(*event);
    }
    return events;
}

void Macro::LoadMacroFile()
{
    if (ui->listWidgetHong->currentRow() < 0)
        return;
    ui->listWidgetKey->clear();
    const std::optional<QString> path = MacroFilePath(MacroFolderPath, CurrentMacroName());
    CurrentMacroPath = path.value_or(QString());
    MacroFileContent content;
    if (!path || !ReadMacroFile(*path, &content))
        return;
    // A file without its first line (a new macro's) leaves the repeat choice as it is.
    if (content.hasRepeat)
        ShowRepeatValue(RepeatValueOf(content.repeat));
    for (const MacroEvent &event : content.events)
        ui->listWidgetKey->addItem(EventItem::FromEvent(event));
    // The lines that did not read stay in the file until the macro is saved.
    if (content.unreadableLines > 0)
        ShowNotMacroFile(NoticeOffset::MacroPage);
}

void Macro::SelectMacro()
{
    SetSaveActive(false);
    ui->listWidgetKey->clear();
    {
        // Showing the file's repeat value is no change of it.
        const QSignalBlocker group(RepeatModeGroup);
        const QSignalBlocker count(ui->NumberEdit);
        LoadMacroFile();
    }
}

void Macro::on_listWidgetHong_clicked(const QModelIndex &index)
{
    const int chosen = JustChosenRow;
    JustChosenRow = -1;
    if (index.row() == chosen)
        return;
    SelectMacro();
}

void Macro::MacroChosen(int row)
{
    // The keyboard moves through the list as the mouse does: whatever is current is shown, so
    // the actions on the current macro never meet another macro's events.
    JustChosenRow = row;
    if (row >= 0)
        SelectMacro();
}

void Macro::RepeatModeChanged()
{
    RepeatChanged = true;
    SetSaveActive(true);
}

void Macro::on_NumberEdit_valueChanged(int value)
{
    Q_UNUSED(value);
    RepeatModeChanged();
}

void Macro::on_NewHong_clicked()
{
    if (StopIfRecording())
        return;
    QuestionDialog question;
    question.SetQuestionText(0);
    ShowNotice(&question);
    const QString name = question.EnteredName;
    if (name.isEmpty())
        return;
    // A name the list would not show again is refused here, where it is entered.
    if (!IsMacroNameAllowed(name)) {
        ShowNameNotAllowed();
        return;
    }
    if (MacroNameTaken(name)) {
        SameMacro notice;
        ShowNotice(&notice);
        return;
    }
    const std::optional<QString> path = MacroFilePath(MacroFolderPath, name);
    QFile file(path.value_or(QString()));
    // Only a file that did not exist: nothing is ever emptied.
    if (!path || !file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        qWarning() << "cannot create the macro file" << file.fileName() << file.errorString();
        ShowNotWritten(NoticeOffset::MacroPage);
        return;
    }
    file.close();
    ui->listWidgetHong->addItem(name);
    SetCurrentMacroRow(ui->listWidgetHong->count() - 1);
    CurrentMacroPath = *path;
    ui->listWidgetKey->clear();
    ui->ReNumber->setChecked(true);
    ui->NumberEdit->setValue(MinRepeatCount);
}

void Macro::CreateMewMacro()
{
    on_NewHong_clicked();
}

void Macro::RenameMacro()
{
    QListWidgetItem *item = ui->listWidgetHong->currentItem();
    if (!item)
        return;
    QuestionDialog question;
    question.SetQuestionText(1);
    question.SetCurrentName(item->text());
    ShowNotice(&question);
    const QString newName = question.EnteredName;
    const QString oldName = item->text();
    if (newName.isEmpty())
        return;
    if (!IsMacroNameAllowed(newName)) {
        ShowNameNotAllowed();
        return;
    }
    if (MacroNameTaken(newName)) {
        SameMacro notice;
        ShowNotice(&notice);
        return;
    }
    const std::optional<QString> oldPath = MacroFilePath(MacroFolderPath, oldName);
    const std::optional<QString> newPath = MacroFilePath(MacroFolderPath, newName);
    // A rename the file system refuses leaves the macro as it is on disk, and the button page is
    // told nothing.
    if (!oldPath || !newPath || !QFile::rename(*oldPath, *newPath)) {
        qWarning() << "cannot rename the macro" << oldName << "to" << newName;
        ShowNotWritten(NoticeOffset::MacroPage);
        return;
    }
    item->setText(newName);
    if (CurrentMacroPath == *oldPath)
        CurrentMacroPath = *newPath;
    MacroSync::Renamed(oldName, newName);
    emit PostMsg::GetInstance()->SigMacroRename(oldName, newName);
}

void Macro::on_DeleteHong_clicked()
{
    if (StopIfRecording())
        return;
    const int row = ui->listWidgetHong->currentRow();
    if (row < 0)
        return;
    DeleteConfirm confirm;
    NoticeFrame::place(&confirm, this, NoticeOffset::DeleteConfirm);
    confirm.exec();
    if (!confirm.Confirmed)
        return;
    const QString name = CurrentMacroName();
    const std::optional<QString> path = MacroFilePath(MacroFolderPath, name);
    // A file already gone counts as removed; one that stays keeps its macro.
    if (!path || (QFileInfo::exists(*path) && !QFile::remove(*path))) {
        qWarning() << "cannot remove the macro file of" << name;
        ShowNotWritten(NoticeOffset::MacroPage);
        return;
    }
    MacroSync::Removed(name);
    emit PostMsg::GetInstance()->SigDeleteMacroButton(DeletePrefix + name);
    {
        const QSignalBlocker blocker(ui->listWidgetHong);
        delete ui->listWidgetHong->takeItem(row);
    }
    ui->listWidgetKey->clear();
    SetCurrentMacroRow(-1);
    CurrentMacroPath.clear();
}

void Macro::DeleteMacro()
{
    on_DeleteHong_clicked();
}

void Macro::on_Save_clicked()
{
    if (StopIfRecording())
        return;
    SetSaveActive(false);
    if (ui->listWidgetHong->currentRow() < 0)
        return;
    const QString name = CurrentMacroName();
    const bool eventsChanged = EventsChanged;
    const bool repeatChanged = RepeatChanged;
    if (!SaveShownMacro()) {
        // The edit stays on the page, to be saved again.
        SetSaveActive(true);
        return;
    }
    // The button page reads the file on these: only now is it there to read.
    if (eventsChanged)
        emit PostMsg::GetInstance()->SigUpDataMacro(name, 0);
    if (repeatChanged)
        emit PostMsg::GetInstance()->SigUpDataMacro(name, 1);
}

bool Macro::SaveShownMacro()
{
    // What the page shows now is what is written, whatever happens while the signals are handled.
    const QString name = CurrentMacroName();
    const std::optional<QString> path = MacroFilePath(MacroFolderPath, name);
    if (!path || !WriteMacroFile(*path, QString::number(RepeatValue()), ShownEvents())) {
        qWarning() << "cannot save the macro" << name;
        ShowNotWritten(NoticeOffset::MacroPage);
        return false;
    }
    CurrentMacroPath = *path;
    EventsChanged = false;
    RepeatChanged = false;
    // The mouse gets this version when it answers, should the button page's send not reach it.
    MacroSync::Changed(name);
    return true;
}
