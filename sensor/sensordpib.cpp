#include "sensor/sensordpib.h"

#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "sensor/dpilevelcount.h"
#include "sensor/model/dpicodec.h"
#include "sensor/panelform.h"
#include "sensor/writeguards.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/myslider.h"
#include "shell/widgets/theme.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>

namespace {

using WriteGuards::SensorFilling;
using WriteGuards::WritesEnabled;

const char *const DefaultColors[DpiLevels::Count] = {"#ff0000", "#ffff00", "#ffaa00", "#00ff00",
                                                     "#aaffff", "#aa55ff", "#9f0000", "#00d4d4"};
const char *const FixedColors[DpiLevels::Count] = {"#ff0000", "#00ffff", "#00ff00", "#ffffff",
                                                   "#00ffff", "#ff557d", "#ff00ff", "#00ffff"};

bool isColourText(const QString &colour)
{
    if (colour.size() != 7 || !colour.startsWith(QLatin1Char('#')))
        return false;
    bool ok = false;
    colour.midRef(1).toUInt(&ok, 16);
    return ok;
}

} // namespace

SensorDPIB::SensorDPIB(QWidget *parent) : QFrame(parent), ui(new Ui_SensorDPIB)
{
    ui->setupUi(this);
    PictureDir = Theme::PictureFolder(QStringLiteral("Sensor"));
    for (int i = 0; i < DpiLevels::Count; ++i)
        LevelColors[i] = QLatin1String(DefaultColors[i]);
    LevelGroup = new QButtonGroup(this);
    LevelGroup->setExclusive(true);
    ColorDialog = new QColorDialog(this);
    connect(ColorDialog, &QColorDialog::colorSelected, this, &SensorDPIB::SetColor);
    ApplyStyles();
    for (QCheckBox *box : ui->LevelBoxes)
        LevelGroup->addButton(box);
}

SensorDPIB::~SensorDPIB() = default;

void SensorDPIB::ApplyStyles()
{
    ui->label->setStyleSheet(Theme::LabelStyle());
    PanelForm::StyleList(ui->ChooseEvent, PictureDir);
    ui->ChooseEvent->setMaxVisibleItems(5);
    const QString slider = PanelForm::StepSliderStyle(PictureDir);
    const QString box = PanelForm::ValueBoxStyle();
    const QString choice = PanelForm::ChoiceBoxStyle(PictureDir);
    for (int i = 0; i < DpiLevels::Count; ++i) {
        ui->Sliders[i]->setStyleSheet(slider);
        ui->ValueBoxes[i]->setStyleSheet(box);
        ui->LevelBoxes[i]->setStyleSheet(choice);
        // Red until the host applies the levels' colours.
        ShowButtonColor(i, QStringLiteral("rgb(255, 0, 0)"));
    }
}

void SensorDPIB::ShowButtonColor(int level, const QString &colour)
{
    ui->ColorButtons[level]->setStyleSheet(
        QStringLiteral("QToolButton{border:0px;border-radius:3px;background-position:center;"
                       "background-repeat:no-repeat;background-color:%1;}")
            .arg(colour));
}

// The user's changes are written while writes are enabled and the host is not filling the
// editor.
bool SensorDPIB::MayWrite() const
{
    return WriteGuards::SensorChangeWritable();
}

QString SensorDPIB::GetLevelColor(int level) const
{
    return ValidLevel(level) ? LevelColors[level] : QString();
}

// --- The host's operations ---

bool SensorDPIB::BlockCountSignals(bool block)
{
    return ui->ChooseEvent->blockSignals(block);
}

void SensorDPIB::ClearCountItems()
{
    const QSignalBlocker blocker(ui->ChooseEvent);
    ui->ChooseEvent->clear();
}

void SensorDPIB::InsertLevelItem(int index, const QString &text)
{
    ui->ChooseEvent->insertItem(index, text);
}

void SensorDPIB::SetCountIndex(int index)
{
    ui->ChooseEvent->setCurrentIndex(index);
}

void SensorDPIB::ShowLevelRows(int countIndex)
{
    if (!ValidLevel(countIndex))
        return;
    for (int i = 0; i < DpiLevels::Count; ++i) {
        const bool shown = i <= countIndex;
        ui->LevelBoxes[i]->setVisible(shown);
        ui->ColorButtons[i]->setVisible(shown);
        ui->Sliders[i]->setVisible(shown);
        ui->ValueBoxes[i]->setVisible(shown);
    }
}

void SensorDPIB::BlockSliderSignals(bool block)
{
    for (MySlider *slider : ui->Sliders)
        slider->blockSignals(block);
}

void SensorDPIB::SetSliderEnabled(bool enabled)
{
    for (MySlider *slider : ui->Sliders)
        slider->setEnabled(enabled);
}

// A range the host sets may move a slider's value: that is no change of the user's.
void SensorDPIB::SetSliderMinimum(int value)
{
    for (MySlider *slider : ui->Sliders) {
        const QSignalBlocker blocker(slider);
        slider->setMinimum(value);
    }
}

void SensorDPIB::SetSliderMaximum(int value)
{
    for (MySlider *slider : ui->Sliders) {
        const QSignalBlocker blocker(slider);
        slider->setMaximum(value);
    }
}

void SensorDPIB::SetSliderValue(int value, int level)
{
    if (!ValidLevel(level))
        return;
    const QSignalBlocker blocker(ui->Sliders[level]);
    ui->Sliders[level]->setValue(value);
}

void SensorDPIB::SetValueDisplay(int value, int level)
{
    if (ValidLevel(level))
        ui->ValueBoxes[level]->setValue(value);
}

void SensorDPIB::SetRowValue(int level, int value)
{
    SetSliderValue(value, level);
    SetValueDisplay(value, level);
}

void SensorDPIB::SetLevelText(int level, const QString &text)
{
    SetRowValue(level, text.toInt());
}

void SensorDPIB::SetLevelColor(int level, const QString &colour)
{
    if (ValidLevel(level) && isColourText(colour))
        LevelColors[level] = colour;
}

void SensorDPIB::ApplyLevelColor(int level)
{
    if (ValidLevel(level))
        ShowButtonColor(level, LevelColors[level]);
}

void SensorDPIB::ApplyAllColors()
{
    for (int i = 0; i < DpiLevels::Count; ++i)
        ApplyLevelColor(i);
}

void SensorDPIB::ShowFixedColors()
{
    for (int i = 0; i < DpiLevels::Count; ++i)
        ShowButtonColor(i, QLatin1String(FixedColors[i]));
}

void SensorDPIB::SetCurrentLevel(int level)
{
    if (ValidLevel(level))
        CurrentLevel = level;
}

void SensorDPIB::SetLevelCount(int count)
{
    LevelCount = count;
}

void SensorDPIB::SelectLevel(int level)
{
    if (ValidLevel(level))
        ui->LevelBoxes[level]->setChecked(true);
}

void SensorDPIB::SelectLevelIfOnline(int level)
{
    if (!ValidLevel(level))
        return;
    // CheckDeviceOnline raises the offline notice itself.
    if (WritesEnabled() && !SensorFilling() && !CheckDeviceOnline())
        return;
    SelectLevel(level);
}

// The title stands left of the count box and grows to the left, where the panel is free.
void SensorDPIB::SetTitle(const QString &text)
{
    ui->label->setText(text);
    const QRect form(540, 10, 91, 21);
    const int width =
        qBound(form.width(), ui->label->fontMetrics().horizontalAdvance(text) + 4, form.right());
    ui->label->setGeometry(form.right() + 1 - width, form.y(), width, form.height());
}

// --- The user's edits ---

void SensorDPIB::LevelToggled(int level, bool checked)
{
    if (!checked || !MayWrite())
        return;
    CurrentLevel = level;
    WriteCurrentDpiStage(level);
}

// The colour goes to the level whose button was clicked, current or not.
void SensorDPIB::OpenColorDialog(int level)
{
    ColorEditLevel = level;
    ColorDialog->show();
}

void SensorDPIB::SetColor(const QColor &colour)
{
    const int level = ColorEditLevel;
    LevelColors[level] = colour.name(); // "#rrggbb", lower case
    if (MayWrite())
        WriteDpiColor(level, colour.red(), colour.green(), colour.blue());
    // Shown even when the device did not take it; the next fill from the device shows its own.
    ApplyLevelColor(level);
}

// A value the user chose on a level's slider: snapped to the model's ranges, shown as what the
// mouse will hold, and written for that level. The slider stays where the user put it.
void SensorDPIB::ValueChanged(int level, int value)
{
    QSpinBox *box = ui->ValueBoxes[level];
    if (WritesEnabled() && !SensorFilling() && !CheckDeviceOnline()) {
        box->setValue(value);
        return;
    }
    const SensorModel &model = SensorModel::instance();
    MySlider *slider = ui->Sliders[level];
    int pageStep = slider->pageStep();
    const int snapped = SnapDpi(value, model.DpiRangeTable, &pageStep);
    slider->setPageStep(pageStep);
    const DpiEncoding encoding = EncodeDpi(snapped, model);
    box->setValue(encoding.Valid ? encoding.Dpi : snapped);
    // A value being imported is shown only: the import writes the whole record itself.
    if (MayWrite() && State().ImportBusy.load() == 0)
        SetDPIValue(level, snapped);
}

// Levels `current` and `last` exchange their rows: colours and values.
void SensorDPIB::ExchangeLevels(int current, int last)
{
    const QString colour = LevelColors[current];
    const int value = ui->ValueBoxes[current]->value();
    const int sliderValue = ui->Sliders[current]->value();
    LevelColors[current] = LevelColors[last];
    ApplyLevelColor(current);
    SetSliderValue(ui->Sliders[last]->value(), current);
    SetValueDisplay(ui->ValueBoxes[last]->value(), current);
    LevelColors[last] = colour;
    ApplyLevelColor(last);
    SetSliderValue(sliderValue, last);
    SetValueDisplay(value, last);
}

// Item n of the count box stands for n + 1 levels. When the current level c lies beyond the new
// count, levels c and n exchange their rows, in the editor and in the record, so that the level
// in use stays in use as the new last level. Up to three sends, in this order: the current
// stage, the exchange, the count.
void SensorDPIB::on_ChooseEvent_currentIndexChanged(int n)
{
    if (!ValidLevel(n) || SensorFilling())
        return;
    const int c = CurrentLevel;
    SavedLevel = c;
    const auto exchange = [this, n, c] {
        ExchangeLevels(c, n);
        ui->LevelBoxes[n]->setChecked(true);
        LevelCount = n + 1;
        CurrentLevel = n;
    };
    if (ChangeDpiLevelCount(n, c, exchange, [this, n] { ShowLevelRows(n); }))
        return;
    // The device did not answer: the box shows again the count it holds.
    const QSignalBlocker blocker(ui->ChooseEvent);
    ui->ChooseEvent->setCurrentIndex(LevelCount - 1);
}
