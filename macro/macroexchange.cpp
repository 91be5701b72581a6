// The macro page and the button page: a macro's device record built for a button, and a macro
// found in a device record taken back as a macro file. Both go through the one record builder and
// reader (macro/model/macroevents.h), so a macro reaches the device alike however it got there.
#include "macro/macro.h"

#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "core/postmsg.h"
#include "macro/model/macrofile.h"
#include "macro/model/macroname.h"
#include "macro/ui_macro.h"

#include <QDebug>
#include <QListWidget>
#include <QSignalBlocker>

namespace {
bool validSlot(int slot)
{
    return slot >= 0 && slot < int(FlashDataMap::ButtonSlots);
}
} // namespace

void Macro::SlotMacroDownLoadData(const QString &name, int slot)
{
    if (!validSlot(slot))
        return;
    const ButtonFunction function =
        DeviceState::instance()->CurrentFlashData.get().ButtonFunctions[slot];
    if (ui->listWidgetHong->currentRow() < 0)
        return;
    QString requested = name;
    requested.remove(QChar(0));
    // Only the macro shown is built: the button page asks right after a save, for the macro saved.
    if (requested != CurrentMacroName() || DeviceState::instance()->WriteEnabled.load() == 0)
        return;
    const MacroRecord record = BuildMacroRecord(requested, ShownEvents());
    WriteButtonMacro(slot, &function, &record);
}

void Macro::SlotButtonToMacro(const FlashDataMap &record, int slot)
{
    if (!validSlot(slot))
        return;
    bool written = false;
    // The button page has written the repeat line; without that file there is nothing to add to.
    const std::optional<TakenOverMacro> macro = TakeOverMacroRecord(record.Macros[slot], &written);
    if (!macro) {
        qWarning() << "a button's macro has a name no macro file can have; it is not taken over";
        return;
    }
    if (written)
        CurrentMacroPath = *MacroFilePath(MacroFolderPath, macro->name);
    // A recording goes on undisturbed: the macro joins the list, the recorded events stay.
    const bool recording = DeviceState::instance()->MacroRecording.load() != 0;
    if (!recording)
        ui->listWidgetKey->clear();
    QListWidget *list = ui->listWidgetHong;
    const QList<QListWidgetItem *> same =
        list->findItems(macro->name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (same.isEmpty()) {
        const int current = list->currentRow();
        const QSignalBlocker blocker(list);
        list->insertItem(current >= 0 ? current + 1 : list->count(), macro->name);
    }
    if (!recording)
        SetCurrentMacroRow(-1);
    emit PostMsg::GetInstance()->SigAddMacroButton();
    if (!recording)
        ui->listWidgetKey->clear();
}
