// The macro page's recording: start, the recorder the keyboard hook calls, the event limit, stop,
// and leaving the device page.
#include "macro/macro.h"

#include "core/devicestate.h"
#include "core/postmsg.h"
#include "core/record/flashdatamap.h"
#include "macro/eventitem.h"
#include "macro/keyboardhook.h"
#include "macro/keynumberlimit.h"
#include "macro/model/keyvocabulary.h"
#include "macro/model/macroevents.h"
#include "macro/model/macroname.h"
#include "macro/ui_macro.h"
#include "shell/dialogs/exeisrun.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/widgets/myconmbobox.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

namespace {
// A device macro holds this many key events.
constexpr int MaxRecordedEvents = int(MacroRecord::MaxEvents);
} // namespace

void Macro::on_StartRecord_clicked()
{
    if (!MacroSelected()) {
        ExeIsRun notice;
        notice.UseSecondText();
        ShowNotice(&notice);
        return;
    }
    emit PostMsg::GetInstance()->SigStartRecord(0);
    RecordedCount = 0;
    ui->ChooseEvent->setEnabled(false);
    EventsChanged = true;
    // The callback first: the owner's callback outlives a page, and an earlier page's must never
    // be called.
    Hook->SetCallback(
        [this](int vk, bool down, bool repeat) { UpdateCapslockTip(vk, down, repeat); });
    Hook->Install();
    // Before anything that has the focus is hidden or disabled: Qt would hand the focus on to the
    // next widget, and a recorded Space or Tab would then act on it.
    HoldKeyboardFocus(true);
    ui->StartRecord->hide();
    ui->StartRecord->setEnabled(false);
    ui->StopRecord->show();
    DeviceState::instance()->MacroRecording = 1;
    FirstEventPending = true;
    HeldKeys.clear();
    // The recording replaces the events shown; the file changes only when saved.
    ui->listWidgetKey->clear();
    ui->DelayTime->hide();
    ui->NumberEdit->hide();
    ui->listWidgetHong->setEnabled(false);
}

void Macro::on_StopRecord_clicked()
{
    emit PostMsg::GetInstance()->SigStartRecord(1);
    Hook->Uninstall();
    RecordedCount = 0;
    ShowIdle();
    SetSaveActive(true);
}

void Macro::SlotSetMacroPage()
{
    // A recording runs from its start until Stop, the 70th key included.
    const bool recording = !ui->StopRecord->isHidden();
    emit PostMsg::GetInstance()->SigStartRecord(1);
    Hook->Uninstall();
    RecordedCount = 0;
    ShowIdle();
    SetSaveActive(false);
    // What was recorded is the user's newest word on the macro: into its file, as Save writes
    // it. The button page is not asked now (the mouse is let go of as the page is left): the mouse
    // gets the macro the next time it answers. A macro whose file has gone meanwhile is not made
    // again behind the user's back, and a recording left before its first key, which only
    // emptied the list, leaves the file as the user last saved it.
    const std::optional<QString> path = MacroFilePath(MacroFolderPath, CurrentMacroName());
    if (recording && MacroSelected() && path && QFileInfo::exists(*path) &&
        KeyEventCount(ShownEvents()) > 0)
        SaveShownMacro();
}

void Macro::ShowIdle()
{
    HoldKeyboardFocus(false);
    ui->StopRecord->hide();
    ui->StartRecord->setEnabled(true);
    ui->StartRecord->show();
    ui->DelayTime->show();
    ui->NumberEdit->show();
    ui->listWidgetHong->setEnabled(true);
    ui->ChooseEvent->setEnabled(true);
    DeviceState::instance()->MacroRecording = 0;
    HeldKeys.clear();
}

void Macro::UpdateCapslockTip(int vk, bool down, bool repeat)
{
    // The hook's own repeat flag only compares with the previous message; held keys are told
    // below.
    Q_UNUSED(repeat);
    if (DeviceState::instance()->MacroRecording.load() == 0) {
        RestartDelayTimer();
        return;
    }
    // A press of a key that is still down is the keyboard repeating it: the delay runs on to the
    // release. Releases are all recorded.
    if (down) {
        if (HeldKeys.contains(vk))
            return;
        HeldKeys.insert(vk);
    } else {
        HeldKeys.remove(vk);
    }
    if (FirstEventPending) {
        RestartDelayTimer();
        FirstEventPending = false;
    } else {
        const double delay = ui->AutoInsertDelay->isChecked() ? double(DelayClock() - DelayStart)
                                                              : double(ui->DelayTime->value());
        AddDelayItem(delay);
        RestartDelayTimer();
    }
    const KeyRow *key = FindVirtualKey(vk);
    if (!key) {
        // The delay up to this key stays; the next recorded key starts afresh.
        FirstEventPending = true;
        return;
    }
    ++RecordedCount;
    AppendKeyItem(EventItem::Key(key->name, down, key->code, key->kind));
    if (RecordedCount >= MaxRecordedEvents) {
        DeviceState::instance()->MacroRecording = 0;
        RecordedCount = 0;
        Hook->Uninstall();
        HoldKeyboardFocus(false);
        // The buttons stay as they are until the user stops the recording.
        KeyNumberLimit notice;
        ShowNotice(&notice);
    }
}

void Macro::RestartDelayTimer()
{
    DelayStart = DelayClock();
}

void Macro::HoldKeyboardFocus(bool hold)
{
    if (hold == FocusHeld)
        return;
    FocusHeld = hold;
    if (hold) {
        // The page has no input method, so none can take a key before the hook sees it.
        setFocus(Qt::OtherFocusReason);
        const QList<QWidget *> children = findChildren<QWidget *>();
        for (QWidget *child : children) {
            HeldFocusPolicies.append({child, child->focusPolicy()});
            child->setFocusPolicy(Qt::NoFocus);
        }
        return;
    }
    // Children before their parents: a widget with a focus proxy (a list's viewport) hands its
    // policy on to the proxy, which then gets its own back last.
    for (auto held = HeldFocusPolicies.crbegin(); held != HeldFocusPolicies.crend(); ++held) {
        if (held->first)
            held->first->setFocusPolicy(held->second);
    }
    HeldFocusPolicies.clear();
}

void Macro::ShowNotice(QWidget *notice)
{
    NoticeFrame::place(notice, this, NoticeOffset::MacroPage);
    if (auto *dialog = qobject_cast<QDialog *>(notice))
        dialog->exec();
}
