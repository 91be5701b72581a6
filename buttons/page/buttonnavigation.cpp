// Moving about the button page without changing an assignment: the number marks select rows,
// categories open their choices, a press on the page's background closes the chooser.
#include "buttons/page/buttoninterface.h"

#include "buttons/page/ui_buttoninterface.h"
#include "core/devicewrite.h"
#include "shell/widgets/myconmbobox.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGroupBox>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QToolButton>

namespace {

// The form's rectangles the press handler compares with, each in its own parent's coordinates
// as the form places it: the page's layout is fixed, so the handler needs no mapping.
const QRect GroupBoxRect(7, 380, 862, 216);
const QRect RowListRect(150, 2, 480, 212);
const QRect CategoryStackRect(445, -11, 201, 241);
const QRect OptionStackRect(0, 0, 213, 238);
const QRect MousePictureRect(200, 5, 432, 356);
// The bottom group's rectangles lie this far down the page.
constexpr int GroupTop = 340;

constexpr int RowScrollStep = 20;

} // namespace

void Buttoninterface::SlotMouseIndex(int /*index*/)
{
    // Every model shows the same mouse.
    ui->widget->setStyleSheet(
        QStringLiteral("#widget{border:0px;background-position:center;background-repeat:no-repeat;"
                       "background-image: url(") +
        ImageFolder + QStringLiteral("mouse0.png);}"));
}

void Buttoninterface::SelectRowOfMark(int number)
{
    // Only tells the user when the mouse does not answer: the row is selected all the same.
    CheckDeviceOnline();
    // An open chooser belongs to the row selected before; an option picked in it afterwards
    // would go to the mark's row without the row's own checks.
    CloseChooser();
    RowGroup->buttons().at(number - 1)->setChecked(true);
    ui->scrollArea_11->verticalScrollBar()->setSliderPosition(RowScrollStep * (number - 1));
}

void Buttoninterface::on_Number1_clicked()
{
    SelectRowOfMark(1);
}
void Buttoninterface::on_Number2_clicked()
{
    SelectRowOfMark(2);
}
void Buttoninterface::on_Number3_clicked()
{
    SelectRowOfMark(3);
}
void Buttoninterface::on_Number4_clicked()
{
    SelectRowOfMark(4);
}
void Buttoninterface::on_Number5_clicked()
{
    SelectRowOfMark(5);
}
void Buttoninterface::on_Number6_clicked()
{
    SelectRowOfMark(6);
}
void Buttoninterface::on_Number7_clicked()
{
    SelectRowOfMark(7);
}
void Buttoninterface::on_Number8_clicked()
{
    SelectRowOfMark(8);
}
void Buttoninterface::on_Number9_clicked()
{
    SelectRowOfMark(9);
}
void Buttoninterface::on_Number10_clicked()
{
    SelectRowOfMark(10);
}
void Buttoninterface::on_Number11_clicked()
{
    SelectRowOfMark(11);
}
void Buttoninterface::on_Number12_clicked()
{
    SelectRowOfMark(12);
}

void Buttoninterface::on_DPI_4_clicked()
{
    ui->stackedWidget_2->setCurrentWidget(ui->page_8);
}

void Buttoninterface::on_DPI_4_clicked(bool) {}

void Buttoninterface::on_DPI_7_clicked()
{
    ui->stackedWidget_2->setCurrentWidget(ui->page_7);
}

void Buttoninterface::on_DPI_9_clicked()
{
    ui->stackedWidget_2->setCurrentWidget(ui->page_6);
}

void Buttoninterface::on_DPI_11_clicked()
{
    ui->stackedWidget_2->setCurrentWidget(ui->page_4);
}

void Buttoninterface::on_DPI_12_clicked()
{
    ui->stackedWidget_2->setCurrentWidget(ui->page_3);
}

void Buttoninterface::on_DPI_13_clicked()
{
    ui->stackedWidget_2->setCurrentWidget(ui->page_10);
}

void Buttoninterface::on_ProjectChoose_currentIndexChanged(int) {}

void Buttoninterface::on_stackedWidget_2_currentChanged(int) {}

void Buttoninterface::on_stackedWidget_currentChanged(int index)
{
    // The category stack overlaps the row list: the open chooser lies on top, the closed one
    // leaves the rows on top.
    if (index != 0)
        ui->stackedWidget->raise();
    else
        ui->scrollArea_11->raise();
}

bool Buttoninterface::ChooserOpen() const
{
    return ui->stackedWidget->currentIndex() != 0 ||
           ui->stackedWidget_2->currentIndex() != Ui_Buttoninterface::DebouncePage;
}

void Buttoninterface::CloseChooser()
{
    ui->stackedWidget->setCurrentWidget(ui->page);
    ui->scrollArea_11->verticalScrollBar()->setStyleSheet(
        QStringLiteral("QScrollBar {width:10px;}"));
    ui->stackedWidget_2->setCurrentWidget(ui->page_9);
}

void Buttoninterface::ClearRows()
{
    RowGroup->setExclusive(false);
    for (QAbstractButton *row : RowGroup->buttons())
        row->setChecked(false);
    RowGroup->setExclusive(true);
}

void Buttoninterface::mousePressEvent(QMouseEvent *event)
{
    if (event->type() != QEvent::MouseButtonPress || event->button() != Qt::LeftButton)
        return;
    const QPoint p = event->pos();
    const QPoint q = p - QPoint(0, GroupTop);
    const auto categories = [this] { return ui->stackedWidget->currentIndex(); };
    const auto options = [this] { return ui->stackedWidget_2->currentIndex(); };
    constexpr int Debounce = Ui_Buttoninterface::DebouncePage;

    // A press away from the open chooser closes it.
    if (categories() != 0 && options() != Debounce) {
        if (!GroupBoxRect.contains(p))
            CloseChooser();
    } else if (categories() != 0 && options() == Debounce) {
        if (!RowListRect.contains(p) && !CategoryStackRect.contains(q))
            CloseChooser();
    }

    // A press away from the rows deselects them.
    bool clear = false;
    if (categories() == 0 && options() == Debounce)
        clear = !RowListRect.contains(p) || CategoryStackRect.contains(q);
    else if (categories() != 0 && options() == Debounce)
        clear = !GroupBoxRect.contains(p);
    else if (categories() != 0 && options() != Debounce)
        clear = !RowListRect.contains(p) && !CategoryStackRect.contains(p) &&
                !OptionStackRect.contains(p);
    // A press on the mouse picture always does.
    if (clear || MousePictureRect.contains(p)) {
        ClearRows();
        CloseChooser();
    }
}

void Buttoninterface::changeEvent(QEvent *event)
{
    if (event->type() != QEvent::LanguageChange || !ui->ProjectChoose)
        return;
    // The form's default texts come back; the profile choice stays and is not announced.
    MyConmboBox *profiles = ui->ProjectChoose;
    const int current = profiles->currentIndex();
    profiles->blockSignals(true);
    ui->retranslateUi(this);
    profiles->setCurrentIndex(current);
    profiles->blockSignals(false);
}
