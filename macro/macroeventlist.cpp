// The five operations that add events to the macro page's event list. Recording and the device
// record append; the event choice inserts at the user's position, with 10 ms delays around what it
// inserts, so the list keeps the shape recording gives it: key items separated by delays.
#include "macro/macro.h"

#include "macro/eventitem.h"
#include "macro/ui_macro.h"

#include <QListWidget>

namespace {
constexpr double InsertedDelay = 10;
} // namespace

bool Macro::MacroSelected() const
{
    return ui->listWidgetHong->currentRow() >= 0;
}

void Macro::InsertAt(int row, QListWidgetItem *item)
{
    // A row past the end appends.
    ui->listWidgetKey->insertItem(qBound(0, row, ui->listWidgetKey->count()), item);
}

void Macro::AppendKeyItem(QListWidgetItem *item)
{
    if (!MacroSelected()) {
        delete item;
        return;
    }
    QListWidget *list = ui->listWidgetKey;
    list->addItem(item);
    list->setCurrentRow(list->count() - 1);
}

void Macro::InsertEventItem(const QString &name, bool down)
{
    AppendKeyItem(EventItem::Key(name, down));
}

void Macro::AddDelayItem(double milliseconds)
{
    if (!MacroSelected())
        return;
    QListWidget *list = ui->listWidgetKey;
    list->addItem(EventItem::Delay(milliseconds));
    list->setCurrentRow(list->count() - 2);
}

void Macro::InsertKeyEvent(const QString &name, bool down)
{
    QListWidget *list = ui->listWidgetKey;
    const int c = list->currentRow();
    const int n = list->count();
    QListWidgetItem *key = EventItem::Key(name, down);
    QListWidgetItem *delay = EventItem::Delay(InsertedDelay);
    if (c == 0) {
        InsertAt(2, key);
        InsertAt(3, delay);
    } else if (c == -1) {
        InsertAt(n, key);
        InsertAt(n + 1, delay);
    } else if (c == n - 1) {
        InsertAt(n, delay);
        InsertAt(n + 1, key);
    } else if (EventItem::IsDelay(list->item(c))) {
        InsertAt(c + 1, key);
        InsertAt(c + 2, delay);
    } else {
        InsertAt(c + 2, key);
        InsertAt(c + 3, delay);
    }
}

void Macro::InsertClick(const QString &name)
{
    InsertClickItems([&](bool down) { return EventItem::Key(name, down); });
}

void Macro::InsertClickItems(const std::function<QListWidgetItem *(bool down)> &key)
{
    QListWidget *list = ui->listWidgetKey;
    const int c = list->currentRow();
    const int n = list->count();
    // Each position gets its own items, in the order they are inserted.
    const auto press = [&] { return key(true); };
    const auto release = [&] { return key(false); };
    const auto delay = [] { return EventItem::Delay(InsertedDelay); };
    if (c == 0) {
        InsertAt(2, press());
        InsertAt(3, delay());
        InsertAt(4, release());
        InsertAt(5, delay());
    } else if (c == -1 && n == 0) {
        InsertAt(0, press());
        InsertAt(1, delay());
        InsertAt(2, release());
    } else if (c == -1 || c == n - 1) {
        InsertAt(n, delay());
        InsertAt(n + 1, press());
        InsertAt(n + 2, delay());
        InsertAt(n + 3, release());
    } else if (EventItem::IsDelay(list->item(c))) {
        InsertAt(c + 1, press());
        InsertAt(c + 2, delay());
        InsertAt(c + 3, release());
        InsertAt(c + 4, delay());
    } else {
        InsertAt(c + 1, delay());
        InsertAt(c + 2, press());
        InsertAt(c + 3, delay());
        InsertAt(c + 4, release());
    }
}

void Macro::InsertDelay(double milliseconds)
{
    QListWidget *list = ui->listWidgetKey;
    const int c = list->currentRow();
    if (c == -1) {
        InsertAt(list->count(), EventItem::Delay(milliseconds));
    } else if (c == 0) {
        return;
    } else if (EventItem::IsDelay(list->item(c))) {
        delete list->takeItem(c);
        InsertAt(c, EventItem::Delay(milliseconds));
        list->setCurrentRow(c);
    } else if (EventItem::IsDelay(list->item(c - 1))) {
        delete list->takeItem(c - 1);
        InsertAt(c - 1, EventItem::Delay(milliseconds));
        list->setCurrentRow(c - 1);
    } else {
        InsertAt(c, EventItem::Delay(milliseconds));
        list->setCurrentRow(c);
    }
}
