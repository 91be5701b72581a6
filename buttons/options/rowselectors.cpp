// The row selectors of the button page: a click on a row opens the chooser on the function stored
// for its button. They only show; nothing is written.
#include "buttons/model/functionoptions.h"
#include "buttons/model/rowdecode.h"
#include "buttons/page/buttoninterface.h"
#include "buttons/page/ui_buttoninterface.h"
#include "core/devicestate.h"
#include "shell/dialogs/leftbuttononly.h"
#include "shell/dialogs/noticeframe.h"

#include <QButtonGroup>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QToolButton>

namespace {

void scrollTo(QScrollArea *list, int steps)
{
    list->verticalScrollBar()->setSliderPosition(ChooserScrollStep * steps);
}

} // namespace

void Buttoninterface::ShowRow(int row)
{
    QStringList labels;
    for (QAbstractButton *selector : RowGroup->buttons())
        labels << selector->text();
    if (IsLastLeftClickRow(labels, row, ui->LeftKey_3->text())) {
        ui->stackedWidget->setCurrentWidget(ui->page);
        ui->stackedWidget_2->setCurrentWidget(ui->page_9);
        ClearRows();
        LeftButtonOnly notice;
        PlaceChoiceDialog(&notice);
        notice.exec();
        return;
    }
    ui->scrollArea_11->verticalScrollBar()->setStyleSheet(
        QStringLiteral("QScrollBar {width:%1px;}").arg(RowListBarWidths[std::size_t(row)]));

    const RowView view =
        DecodeRow(Mirrors, DeviceState::instance()->CurrentFlashData.get(),
                  RowSlots[std::size_t(row)], [this](int code) { return CodeToDpi(code); });
    if (view.Known) {
        ui->stackedWidget->setCurrentWidget(ui->page_2);
        ui->stackedWidget_2->setCurrentWidget(
            ui->stackedWidget_2->findChild<QWidget *>(QLatin1String(view.OptionPage)));
        for (const char *name : {view.CategoryButton, view.Option}) {
            if (auto *button = name ? findChild<QToolButton *>(QLatin1String(name)) : nullptr)
                button->setChecked(true);
        }
    }
    if (view.MatchMacro) {
        QStringList macros;
        for (const QToolButton *macro : qAsConst(MacroButtons))
            macros << macro->text();
        const int match =
            MatchingMacroButton(macros, MacroLabelPrefix, RowGroup->buttons().at(row)->text());
        if (match >= 0) {
            MacroButtons.at(match)->setChecked(true);
            scrollTo(ui->scrollArea_7, match + 1);
        }
    }
    if (view.MultimediaStep)
        scrollTo(ui->scrollArea_3, *view.MultimediaStep);
    if (view.DpiStep)
        scrollTo(ui->scrollArea_10, *view.DpiStep);
    scrollTo(ui->scrollArea_4, view.CategoryStep);
}

void Buttoninterface::on_FireKey_clicked()
{
    ShowRow(0);
}
void Buttoninterface::on_RightKey_clicked()
{
    ShowRow(1);
}
void Buttoninterface::on_BackKey_clicked()
{
    ShowRow(2);
}
void Buttoninterface::on_StartPause_clicked()
{
    ShowRow(3);
}
void Buttoninterface::on_TopMusic_clicked()
{
    ShowRow(4);
}
void Buttoninterface::on_BackMusic_clicked()
{
    ShowRow(5);
}
void Buttoninterface::on_Button7_clicked()
{
    ShowRow(6);
}
void Buttoninterface::on_Button8_clicked()
{
    ShowRow(7);
}
void Buttoninterface::on_Button9_clicked()
{
    ShowRow(8);
}
void Buttoninterface::on_Button10_clicked()
{
    ShowRow(9);
}
void Buttoninterface::on_Button11_clicked()
{
    ShowRow(10);
}
void Buttoninterface::on_Button12_clicked()
{
    ShowRow(11);
}
