// Multimedia keys and key combinations assigned to a button.
#include "buttons/page/buttoninterface.h"

#include "buttons/model/keyrecords.h"
#include "buttons/page/ui_buttoninterface.h"
#include "core/devicewrite.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>

void Buttoninterface::SetMultimediaKey(int slot, int usageByte)
{
    const MultimediaKey *key = FindMultimediaKey(usageByte);
    if (!key || RowOfSlot(slot) < 0)
        return;
    const KeyRecord record =
        MakeConsumerKeyRecord(std::uint8_t(key->Usage >> 8), std::uint8_t(key->Usage & 0xFF));
    const ButtonFunction function{FunctionCategory::KeySequence, 0, 0};
    if (!WriteButtonKeyRecord(slot, &function, &record))
        return;
    SetButtonFunction(slot, FunctionCategory::KeySequence, 0, 0);
    SetRowLabel(slot, OptionText(key->Option));
}

void Buttoninterface::SetKeyCombination(int slot, const QString &text)
{
    ui->stackedWidget_2->setCurrentWidget(ui->page_9);
    ClearFunctionChecks();
    if (RowOfSlot(slot) >= 0) {
        const KeyRecord record = ParseKeyCombination(text);
        const ButtonFunction function{FunctionCategory::KeySequence, 0, 0};
        if (WriteButtonKeyRecord(slot, &function, &record)) {
            SetButtonFunction(slot, FunctionCategory::KeySequence, 0, 0);
            // The label names what was stored: a fourth key and beyond were not.
            SetRowLabel(slot, CombinationParts(text).join(QLatin1Char('+')));
        }
    }
    ui->stackedWidget->setCurrentWidget(ui->page_2);
    ui->scrollArea_11->verticalScrollBar()->setStyleSheet(
        QStringLiteral("QScrollBar {width:10px;}"));
    ui->stackedWidget_2->setCurrentWidget(ui->page_9);
}
