// The macro page's hand edits of the event list (insert, change, delete an event), the fixed
// delay's limit, the macro list's context menu and the page's mouse and key overrides.
#include "macro/macro.h"

#include "core/record/flashdatamap.h"
#include "macro/adddelaytime.h"
#include "macro/addkey.h"
#include "macro/eventitem.h"
#include "macro/keynumberlimit.h"
#include "macro/macrodialog.h"
#include "macro/model/keyvocabulary.h"
#include "macro/ui_macro.h"
#include "shell/dialogs/noticeframe.h"

#include <QCursor>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QSpinBox>

namespace {

// A device record holds this many key events.
constexpr int MaxKeyItems = int(MacroRecord::MaxEvents);
constexpr int MaxFixedDelay = 65535;

enum EventChoice
{
    KeyPress = 1,
    KeyRelease = 2,
    Delay = 3,
    FirstMouseButton = 4,
    LastMouseButton = 8
};

} // namespace

int Macro::RunEntryDialog(QDialog *dialog)
{
    NoticeFrame::place(dialog, this, MacroDialog::EntryOffset);
    return dialog->exec();
}

void Macro::MarkEventsChanged()
{
    EventsChanged = true;
    SetSaveActive(true);
}

bool Macro::RoomForKeys(int added)
{
    int keys = 0;
    const QListWidget *list = ui->listWidgetKey;
    for (int row = 0; row < list->count(); ++row)
        keys += EventItem::IsDelay(list->item(row)) ? 0 : 1;
    if (keys + added <= MaxKeyItems)
        return true;
    KeyNumberLimit notice;
    ShowNotice(&notice);
    return false;
}

void Macro::on_ChooseEvent_activated(int index)
{
    if (index == KeyPress || index == KeyRelease) {
        if (MacroSelected() && !RoomForKeys(1))
            return;
        addKey dialog;
        if (RunEntryDialog(&dialog) == QDialog::Accepted && dialog.Confirmed && MacroSelected()) {
            InsertKeyEvent(dialog.KeyName, index == KeyPress);
            MarkEventsChanged();
        }
        return;
    }
    if (index == Delay) {
        AddDelayTime dialog;
        RunEntryDialog(&dialog);
        if (dialog.Confirmed && MacroSelected() && ui->listWidgetKey->currentRow() >= 0) {
            InsertDelay(dialog.Delay);
            MarkEventsChanged();
        }
        return;
    }
    if (index >= FirstMouseButton && index <= LastMouseButton && MacroSelected()) {
        if (!RoomForKeys(2))
            return;
        const int bit = MouseButtonBits[index - FirstMouseButton];
        const QString name = MouseButtonName(bit);
        InsertClickItems(
            [&](bool down) { return EventItem::Key(name, down, bit, KeyEventKind::MouseButton); });
        MarkEventsChanged();
    }
}

void Macro::on_Amend_clicked()
{
    if (StopIfRecording())
        return;
    QListWidgetItem *item = ui->listWidgetKey->currentItem();
    if (!item)
        return;
    if (!EventItem::IsDelay(item)) {
        addKey dialog;
        if (RunEntryDialog(&dialog) != QDialog::Accepted || !dialog.Confirmed)
            return;
        // The key's name, code and kind change together; its direction stays.
        const std::optional<KeyCode> key = KeyNameToCode(dialog.KeyName);
        if (!key)
            return;
        EventItem::SetKey(item, dialog.KeyName, key->code, key->kind);
        MarkEventsChanged();
        return;
    }
    AddDelayTime dialog;
    RunEntryDialog(&dialog);
    if (!dialog.Confirmed)
        return;
    EventItem::SetDelay(item, dialog.Delay);
    MarkEventsChanged();
}

void Macro::on_DeleteKey_clicked()
{
    if (StopIfRecording())
        return;
    if (!MacroSelected())
        return;
    QListWidget *list = ui->listWidgetKey;
    const int count = list->count();
    if (count <= 3) {
        list->clear();
    } else {
        const int c = list->currentRow();
        if (c < 0)
            return;
        // One key event and its delay: a delay goes with the key before it, a key with the delay
        // after it, the last row with the row before it.
        int first = c;
        if (c == count - 1 || (EventItem::IsDelay(list->item(c)) && c > 0))
            first = c - 1;
        delete list->takeItem(first + 1);
        delete list->takeItem(first);
    }
    MarkEventsChanged();
}

void Macro::on_DelayTime_valueChanged(int value)
{
    if (value > MaxFixedDelay - 1)
        ui->DelayTime->setValue(MaxFixedDelay);
}

void Macro::on_listWidgetKey_itemChanged(QListWidgetItem *item)
{
    Q_UNUSED(item);
    EventsChanged = true;
}

QMenu *Macro::MacroListMenu(const QPoint &position)
{
    auto *menu = new QMenu(this);
    menu->setFont(ui->listWidgetHong->font());
    if (ui->listWidgetHong->itemAt(position)) {
        menu->addAction(ExportText, this, &Macro::ExPortMacro);
        menu->addAction(RenameText, this, &Macro::RenameMacro);
        menu->addAction(DeleteText, this, &Macro::DeleteMacro);
    } else {
        menu->addAction(NewText, this, &Macro::CreateMewMacro);
        menu->addAction(ImportText, this, &Macro::InPortMacro);
    }
    return menu;
}

void Macro::on_listWidgetHong_customContextMenuRequested(const QPoint &position)
{
    QMenu *menu = MacroListMenu(position);
    menu->exec(QCursor::pos());
    delete menu;
}

void Macro::mousePressEvent(QMouseEvent *event)
{
    for (QSpinBox *box : {ui->DelayTime, ui->NumberEdit}) {
        if (QRect(box->mapTo(this, QPoint(0, 0)), box->size()).contains(event->pos()))
            return;
    }
    // A click beside the number boxes ends their editing.
    ui->DelayTime->clearFocus();
    ui->NumberEdit->clearFocus();
    setFocus(Qt::MouseFocusReason);
}
