// The DPI editor's edits: level selection, colours, the marker drag, the value slider with its step
// buttons, and the level count. Each writes the current record through the device-write helpers.
#include "sensor/sensordpi.h"

#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "sensor/dpilevelcount.h"
#include "sensor/model/dpicodec.h"
#include "sensor/writeguards.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/myslider.h"

#include <QColorDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QSpinBox>
#include <QToolButton>

namespace {

using WriteGuards::SensorFilling;
using WriteGuards::WritesEnabled;

// Where a dropped marker lands, by its distance d from the current level's marker point (bounds
// inclusive). Between the windows it goes back.
struct DragWindow
{
    int step;
    int from;
    int to;
};
const DragWindow DragWindows[] = {
    {1, 78, 129},     {2, 168, 214},    {3, 264, 317},    {4, 361, 389},    {5, 443, 495},
    {6, 538, 591},    {7, 623, 669},    {-1, -102, -51},  {-2, -192, -144}, {-3, -284, -236},
    {-4, -369, -327}, {-5, -465, -411}, {-6, -556, -504}, {-7, -646, -599}};

int dragStep(int d)
{
    for (const DragWindow &window : DragWindows) {
        if (window.from <= d && d <= window.to)
            return window.step;
    }
    return 0;
}

// The furthest a marker may be dropped with count index 0..6 in the count box: past the last level
// in use it goes back. (The last step is 88, not 91.)
const int DropLimits[7] = {69, 160, 251, 342, 433, 524, 612};

} // namespace

// The user's edits are written while writes are enabled and the page is not filling the editor.
bool SensorDPI::MayWrite() const
{
    return WritesEnabled() && !SensorFilling();
}

int SensorDPI::CheckedLevel() const
{
    for (int i = 0; i < DpiLevels::Count; ++i) {
        if (ui->LevelButtons[i]->isChecked())
            return i;
    }
    return -1;
}

// --- Selection and colours ---

void SensorDPI::LevelButtonToggled(int level, bool checked)
{
    ShowLevelSelected(level, checked);
    if (!checked)
        return;
    if (!ui->LevelBars[level]->isChecked())
        ui->LevelBars[level]->setChecked(true);
    if (MayWrite()) {
        CurrentLevel = level;
        ui->label_8->move(MarkPoints[level]);
        WriteCurrentDpiStage(level);
    }
}

void SensorDPI::LevelBarToggled(int level, bool checked)
{
    ShowBarSelected(level, checked);
    if (!checked)
        return;
    if (!ui->LevelButtons[level]->isChecked())
        ui->LevelButtons[level]->setChecked(true);
    ShowLevelValue(level);
}

// Showing a level's value is no change of it: the slider moves silently.
void SensorDPI::ShowLevelValue(int level)
{
    const int value = ui->LevelButtons[level]->text().toInt();
    SetSliderValue(value);
    ui->spinBoxA->setValue(value);
}

// The dialog edits the selected level's colour (SetColor), so it opens on that colour.
void SensorDPI::OpenColorDialog()
{
    int level = 0;
    while (level < DpiLevels::Count && !ui->LevelBars[level]->isChecked())
        ++level;
    if (level < DpiLevels::Count) {
        const QStringList parts = LevelColors[level].split(QLatin1Char(','));
        if (parts.size() == 3)
            ColorDialog->setCurrentColor(
                QColor(parts[0].toInt(), parts[1].toInt(), parts[2].toInt()));
    }
    ColorDialog->show();
}

void SensorDPI::SetColor(const QColor &colour)
{
    int level = 0;
    while (level < DpiLevels::Count && !ui->LevelBars[level]->isChecked())
        ++level;
    if (level == DpiLevels::Count)
        return;
    LevelColors[level] =
        QStringLiteral("%1,%2,%3").arg(colour.red()).arg(colour.green()).arg(colour.blue());
    if (MayWrite())
        WriteDpiColor(level, colour.red(), colour.green(), colour.blue());
    // Shown even when the device did not take it; the next fill from the device shows its own.
    RefreshBarStyle(level);
}

// --- Marker drag ---

void SensorDPI::mousePressEvent(QMouseEvent *event)
{
    if (event->buttons() != Qt::NoButton && ui->label_8->geometry().contains(event->pos())) {
        Dragging = true;
        DragOffset = event->pos() - ui->label_8->pos();
        return;
    }
    QFrame::mousePressEvent(event);
}

void SensorDPI::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() == Qt::NoButton || !Dragging)
        return QFrame::mouseMoveEvent(event);
    // Leaving the panel ends the drag there, as a release would.
    if (DragArea.contains(event->pos()))
        ui->label_8->move(event->pos() - DragOffset);
    else
        ReleaseMarker(event->pos());
}

void SensorDPI::mouseReleaseEvent(QMouseEvent *event)
{
    // A release that ends no drag (a click on the panel) moves nothing and writes nothing.
    if (!Dragging)
        return QFrame::mouseReleaseEvent(event);
    ReleaseMarker(event->pos());
}

QPoint SensorDPI::MarkHome() const
{
    // Only a record with a stage beyond the eight levels leaves the current level outside them.
    return ValidLevel(CurrentLevel) ? MarkPoints[CurrentLevel] : QPoint(0, 0);
}

void SensorDPI::ReleaseMarker(const QPoint &at)
{
    Dragging = false;
    const QPoint home = MarkHome();
    if (!ui->label_8->geometry().contains(at)) {
        ui->label_8->move(home);
        return;
    }
    if (at.x() < 15 || at.x() > 706) {
        if (ValidLevel(CurrentLevel))
            ui->label_8->move(home);
        return;
    }
    const int countIndex = ui->ChooseEvent->currentIndex();
    if (countIndex >= 0 && countIndex <= 6 && at.x() > DropLimits[countIndex]) {
        ui->label_8->move(home);
        if (MayWrite() && ValidLevel(CurrentLevel))
            WriteCurrentDpiStage(CurrentLevel);
        return;
    }
    const int step = dragStep(at.x() - home.x());
    if (step == 0 || !ValidLevel(CurrentLevel + step)) {
        ui->label_8->move(home);
        return;
    }
    ui->label_8->move(home.x() + 91 * step, home.y());
    CurrentLevel += step;
    // An offline device has been reported once; the stage is not written again.
    if (CheckDraggedLevel(CurrentLevel) && MayWrite())
        WriteCurrentDpiStage(CurrentLevel);
}

bool SensorDPI::CheckDraggedLevel(int level)
{
    if (WritesEnabled() && !SensorFilling() && !CheckDeviceOnline())
        return false;
    if (ValidLevel(level))
        ui->LevelButtons[level]->setChecked(true);
    return true;
}

// --- Value slider and step buttons ---

bool SensorDPI::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->horizontalSliderC) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            SliderHeld = true;
            SliderValuePending = false;
            break;
        case QEvent::MouseButtonRelease:
            // After the slider has handled the release (which may still change its value).
            if (SliderHeld)
                QMetaObject::invokeMethod(
                    this, [this] { FlushSliderValue(); }, Qt::QueuedConnection);
            break;
        case QEvent::Wheel:
        case QEvent::KeyPress:
            // A press whose release never came (the mouse grab was lost) must not hold back the
            // changes that follow.
            FlushSliderValue();
            break;
        default:
            break;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void SensorDPI::on_horizontalSliderC_sliderMoved(int value)
{
    int pageStep = ui->horizontalSliderC->pageStep();
    ui->spinBoxA->setValue(SnapDpi(value, SensorModel::instance().DpiRangeTable, &pageStep));
    ui->horizontalSliderC->setPageStep(pageStep);
}

void SensorDPI::on_horizontalSliderC_valueChanged(int value)
{
    if (!SliderHeld)
        return CommitValue(value);
    SliderValuePending = true;
    PendingSliderValue = value;
    on_horizontalSliderC_sliderMoved(value);
}

void SensorDPI::FlushSliderValue()
{
    SliderHeld = false;
    if (!SliderValuePending)
        return;
    SliderValuePending = false;
    CommitValue(PendingSliderValue);
}

// A value the user chose: snapped to the model's ranges, shown as what the mouse will hold, and
// written for the selected level.
void SensorDPI::CommitValue(int value)
{
    if (WritesEnabled() && !SensorFilling() && !CheckDeviceOnline()) {
        ui->spinBoxA->setValue(value);
        return;
    }
    const SensorModel &model = SensorModel::instance();
    int pageStep = ui->horizontalSliderC->pageStep();
    const int snapped = SnapDpi(value, model.DpiRangeTable, &pageStep);
    ui->horizontalSliderC->setPageStep(pageStep);
    const int level = CheckedLevel();
    if (level < 0) {
        ui->spinBoxA->setValue(snapped);
        return;
    }
    const int shown = EncodeDpi(snapped, model).Dpi;
    ui->LevelButtons[level]->setText(QString::number(shown));
    ui->spinBoxA->setValue(shown);
    if (MayWrite() && State().ImportBusy.load() == 0)
        SetDPIValue(level, snapped);
}

// The step buttons start from the value the box shows. The slider takes the stepped value (it
// clamps it to its range); a step that changes nothing writes nothing.
void SensorDPI::StepValue(int value)
{
    MySlider *slider = ui->horizontalSliderC;
    const int before = slider->value();
    SetSliderValue(value);
    const int after = slider->value();
    if (after != before || after != ui->spinBoxA->value())
        CommitValue(after);
}

void SensorDPI::on_AddLevelA_clicked()
{
    if (WritesEnabled() && !CheckDeviceOnline())
        return;
    StepValue(StepDpiUp(ui->spinBoxA->value(), SensorModel::instance().DpiRangeTable));
}

void SensorDPI::on_ReduceLevelA_clicked()
{
    if (WritesEnabled() && !CheckDeviceOnline())
        return;
    StepValue(StepDpiDown(ui->spinBoxA->value(), SensorModel::instance().DpiRangeTable));
}

// --- Level count ---

// Item n of the count box stands for n + 1 levels. When the current level c lies beyond the new
// count, levels c and n exchange their values and colours, in the editor and in the record, so
// that the level in use stays in use as the new last level.
void SensorDPI::on_ChooseEvent_currentIndexChanged(int n)
{
    if (!ValidLevel(n) || SensorFilling())
        return;
    const int c = CurrentLevel;
    SavedLevel = c;
    const auto exchange = [this, n, c] {
        const QString colourC = LevelColors[c];
        const QString textC = ui->LevelButtons[c]->text();
        LevelColors[c] = LevelColors[n];
        RefreshBarStyle(c);
        ui->LevelButtons[c]->setText(ui->LevelButtons[n]->text());
        LevelColors[n] = colourC;
        RefreshBarStyle(n);
        ui->label_8->move(MarkPoints[n]);
        ui->LevelButtons[n]->setText(textC);
        ui->LevelButtons[n]->setChecked(true);
        LevelCount = n + 1;
        CurrentLevel = n;
    };
    if (ChangeDpiLevelCount(n, c, exchange, [this, n] { ShowLevelButtons(n); }))
        return;
    // The device did not answer: the box shows again the count it holds.
    const QSignalBlocker blocker(ui->ChooseEvent);
    ui->ChooseEvent->setCurrentIndex(LevelCount - 1);
}
