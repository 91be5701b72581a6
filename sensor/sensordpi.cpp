// The DPI editor: construction, styles and the operations the sensor page fills it with. The
// user's edits (selection, colours, marker drag, value, level count) are in sensordpiedit.cpp.
#include "sensor/sensordpi.h"

#include "core/configini.h"
#include "core/devicestate.h"
#include "sensor/panelform.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/myslider.h"
#include "shell/widgets/theme.h"

#include <QButtonGroup>
#include <QColorDialog>
#include <QLabel>
#include <QListView>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>

namespace {

QString rgb(const QString &colorKey)
{
    return ConfigIni::instance()->color(colorKey);
}

} // namespace

SensorDPI::SensorDPI(QWidget *parent) : QFrame(parent), ui(new Ui_SensorDPI)
{
    ui->setupUi(this);
    PictureDir = Theme::PictureFolder(QStringLiteral("Sensor"));
    for (int i = 0; i < DpiLevels::Count; ++i) {
        MarkPoints[i] = QPoint(DpiLevels::Table[i].MarkX, DpiLevels::MarkY);
        LevelColors[i] = QLatin1String(DpiLevels::Table[i].DefaultColor);
    }
    ButtonColorText = rgb(QStringLiteral("ButtonColor"));

    LevelGroup = new QButtonGroup(this);
    BarGroup = new QButtonGroup(this);
    LevelGroup->setExclusive(true);
    BarGroup->setExclusive(true);
    ColorDialog = new QColorDialog(this);
    connect(ColorDialog, SIGNAL(colorSelected(QColor)), this, SLOT(SetColor(QColor)));

    ApplyStyles();
    for (int i = 0; i < DpiLevels::Count; ++i) {
        // Every later move of a level or bar is computed from where the form put it.
        LevelRects[i] = ui->LevelButtons[i]->geometry();
        BarRects[i] = ui->LevelBars[i]->geometry();
        LevelGroup->addButton(ui->LevelButtons[i]);
        BarGroup->addButton(ui->LevelBars[i]);
    }
    DragArea = QRect(0, 0, 728, 194);
    // Presses on the marker reach the panel, which drags it.
    ui->label_8->setAttribute(Qt::WA_TransparentForMouseEvents);
    // The slider's mouse interactions are watched so that each is written once (SliderHeld).
    ui->horizontalSliderC->installEventFilter(this);
}

SensorDPI::~SensorDPI() = default;

void SensorDPI::ApplyStyles()
{
    const QString url = QStringLiteral("url(") + PictureDir;

    ui->label->setStyleSheet(Theme::LabelStyle());
    ui->label_8->setStyleSheet(
        QStringLiteral("#label_8{border:0px;background-position:center;"
                       "background-repeat:no-repeat;background-image: %1Level.png);}"
                       "#label_8:hover{border:0px;background-position:center;"
                       "background-repeat:no-repeat;background-image: %1LevelHover.png);}")
            .arg(url));

    ui->ChooseEvent->setStyleSheet(Theme::ComboBoxStyle(PictureDir));
    // Its sheet is set before it enters the pop-up, unlike Theme::UseComboList: so its open list
    // keeps the application's font, not the box's.
    auto *list = new QListView;
    list->setStyleSheet(Theme::ComboListStyle());
    ui->ChooseEvent->setView(list);
    ui->ChooseEvent->setMaxVisibleItems(5);

    ui->horizontalSliderC->setStyleSheet(
        QStringLiteral("QSlider::groove:horizontal{background: rgb(255,255,255); height: 5px; "
                       "border-radius: 2px;}"
                       "QSlider::handle:horizontal{width: 6px; height: 18px; margin: -9px 0px; "
                       "border-image: %1HuaKuai.png);}"
                       "QSlider::sub-page:horizontal{background: rgb(%2); border-radius: 2px;}"
                       "QSlider::add-page:horizontal{background: rgb(255,255,255); "
                       "border-radius: 2px;}")
            .arg(url, rgb(QStringLiteral("SliderColor"))));
    ui->spinBoxA->setStyleSheet(PanelForm::ValueBoxStyle());
    ui->ReduceLevelA->setStyleSheet(PanelForm::StepButtonStyle(
        QStringLiteral("ReduceLevelA"), PictureDir, QStringLiteral("Reduce.png")));
    ui->AddLevelA->setStyleSheet(PanelForm::StepButtonStyle(QStringLiteral("AddLevelA"), PictureDir,
                                                            QStringLiteral("Add.png")));

    for (int i = 0; i < DpiLevels::Count; ++i) {
        ui->LevelButtons[i]->setStyleSheet(
            QStringLiteral("QToolButton{border:0px;background-position:center;"
                           "background-repeat:no-repeat;color: rgb(%1);"
                           "background-image: %2MinA.png);}")
                .arg(ButtonColorText, url));
        // Until the page tells the levels' colours, every bar is red.
        ui->LevelBars[i]->setStyleSheet(
            QStringLiteral("#%1ButtonA{border:0px;border-radius:3px;background-position:center;"
                           "background-repeat:no-repeat;background-color: rgb(255, 0, 0);"
                           "background-image: %2MinB.png);}")
                .arg(QLatin1String(DpiLevels::Table[i].Name), url));
    }
}

QString SensorDPI::LevelStyle(const QString &image) const
{
    return QStringLiteral("QToolButton{border:0px;border-radius:3px;background-position:center;"
                          "background-repeat:no-repeat;color: rgb(%1);"
                          "background-image: url(%2%3);}")
        .arg(ButtonColorText, PictureDir, image);
}

QString SensorDPI::BarStyle(int level, const QString &image) const
{
    return QStringLiteral("QToolButton{border:0px;border-radius:3px;background-position:center;"
                          "background-repeat:no-repeat;background-color:rgb(%1);"
                          "background-image: url(%2%3);}")
        .arg(LevelColors[level], PictureDir, image);
}

// A selected level button is 7 pixels larger on every side, a selected bar 8 pixels wider on each
// side and lower, across the enlarged button's edge.
void SensorDPI::ShowLevelSelected(int level, bool selected)
{
    const QRect &r = LevelRects[level];
    QToolButton *button = ui->LevelButtons[level];
    button->setGeometry(selected ? QRect(r.x() - 7, r.y() - 7, 68, 70) : r);
    button->setStyleSheet(
        LevelStyle(selected ? QStringLiteral("MaxA.png") : QStringLiteral("MinA.png")));
}

void SensorDPI::ShowBarSelected(int level, bool selected)
{
    const QRect &r = BarRects[level];
    QToolButton *bar = ui->LevelBars[level];
    bar->setGeometry(selected ? QRect(r.x() - 8, r.y() + 6, 66, 14) : r);
    bar->setStyleSheet(
        BarStyle(level, selected ? QStringLiteral("MaxB.png") : QStringLiteral("MinB.png")));
}

void SensorDPI::RefreshBarStyle(int level)
{
    ui->LevelBars[level]->setStyleSheet(BarStyle(level, ui->LevelBars[level]->isChecked()
                                                            ? QStringLiteral("MaxB.png")
                                                            : QStringLiteral("MinB.png")));
}

QString SensorDPI::GetLevelColor(int level) const
{
    return ValidLevel(level) ? LevelColors[level] : QString();
}

void SensorDPI::SetDefaultDPI()
{
    const int driveIndex = DeviceState::instance()->CurrentDeviceInfo.get().DriveIndex;
    const QString group = QStringLiteral("Drive%1").arg(driveIndex + 1);
    const ConfigIni *config = ConfigIni::instance();
    // Whole triples only: a list cut short leaves the last level's colour as it was.
    const QStringList colours = config->valueList(group, QStringLiteral("DPIColor"));
    for (int k = 0; k + 2 < colours.size() && k / 3 < DpiLevels::Count; k += 3)
        LevelColors[k / 3] = colours.mid(k, 3).join(QLatin1Char(','));
    const QStringList grades = config->valueList(group, QStringLiteral("DPIGrade"));
    if (grades.size() < DpiLevels::Count)
        return;
    for (int i = 0; i < DpiLevels::Count; ++i) {
        ui->LevelBars[i]->setGeometry(BarRects[i]);
        ui->LevelBars[i]->setStyleSheet(BarStyle(i, QStringLiteral("MinB.png")));
        ui->LevelButtons[i]->setText(grades.at(i));
    }
}

void SensorDPI::MarkCurrentBar(int level)
{
    for (int i = 0; i < DpiLevels::Count; ++i) {
        if (i == level) {
            ui->LevelBars[i]->setStyleSheet(BarStyle(i, QStringLiteral("MaxB.png")));
        } else {
            ui->LevelBars[i]->setGeometry(BarRects[i]);
            ui->LevelBars[i]->setStyleSheet(BarStyle(i, QStringLiteral("MinB.png")));
        }
    }
}

void SensorDPI::SelectLevel(int level)
{
    if (!ValidLevel(level))
        return;
    ui->LevelButtons[level]->setChecked(true);
    // The bar, slider and value box follow even when the level was checked already.
    LevelBarToggled(level, true);
}

void SensorDPI::SetLevelText(int level, const QString &text)
{
    if (ValidLevel(level))
        ui->LevelButtons[level]->setText(text);
}

void SensorDPI::SetLevelColor(int level, const QString &colour)
{
    if (!ValidLevel(level) || colour.size() != 7 || !colour.startsWith(QLatin1Char('#')))
        return;
    QStringList parts;
    for (int at = 1; at < 7; at += 2) {
        bool ok = false;
        const int part = colour.midRef(at, 2).toInt(&ok, 16);
        if (!ok)
            return;
        parts.append(QString::number(part));
    }
    LevelColors[level] = parts.join(QLatin1Char(','));
}

void SensorDPI::SetCurrentLevel(int level)
{
    CurrentLevel = level;
}

void SensorDPI::SetLevelCount(int count)
{
    LevelCount = count;
}

void SensorDPI::ShowLevelButtons(int n)
{
    if (!ValidLevel(n))
        return;
    for (int i = 0; i < DpiLevels::Count; ++i) {
        ui->LevelButtons[i]->setVisible(i <= n);
        ui->LevelBars[i]->setVisible(i <= n);
    }
}

void SensorDPI::MoveLevelMark(int position)
{
    if (position >= 1 && position <= DpiLevels::Count)
        ui->label_8->move(MarkPoints[position - 1]);
}

void SensorDPI::InsertLevelItem(int index, const QString &text)
{
    ui->ChooseEvent->insertItem(index, text);
}

void SensorDPI::ClearCountItems()
{
    const QSignalBlocker blocker(ui->ChooseEvent);
    ui->ChooseEvent->clear();
}

void SensorDPI::SetCountIndex(int index)
{
    ui->ChooseEvent->setCurrentIndex(index);
}

void SensorDPI::BlockCountSignals(bool block)
{
    ui->ChooseEvent->blockSignals(block);
}

void SensorDPI::BlockSliderSignals(bool block)
{
    ui->horizontalSliderC->blockSignals(block);
}

void SensorDPI::SetSliderEnabled(bool enabled)
{
    ui->horizontalSliderC->setEnabled(enabled);
}

void SensorDPI::SetSliderMinimum(int value)
{
    const QSignalBlocker blocker(ui->horizontalSliderC);
    ui->horizontalSliderC->setMinimum(value);
}

void SensorDPI::SetSliderMaximum(int value)
{
    const QSignalBlocker blocker(ui->horizontalSliderC);
    ui->horizontalSliderC->setMaximum(value);
}

void SensorDPI::SetSliderValue(int value)
{
    const QSignalBlocker blocker(ui->horizontalSliderC);
    ui->horizontalSliderC->setValue(value);
}

void SensorDPI::SetValueDisplay(int value)
{
    ui->spinBoxA->setValue(value);
}

void SensorDPI::SetTitle(const QString &title)
{
    ui->label->setText(title);
}

void SensorDPI::SetValueDisplayVisible(bool visible)
{
    ui->spinBoxA->setVisible(visible);
}

void SensorDPI::BlockLevelSignals(bool block)
{
    for (int i = 0; i < DpiLevels::Count; ++i) {
        ui->LevelButtons[i]->blockSignals(block);
        ui->LevelBars[i]->blockSignals(block);
    }
    ui->horizontalSliderC->blockSignals(block);
    ui->spinBoxA->blockSignals(block);
}

void SensorDPI::BlockEditSignals(bool block)
{
    ui->horizontalSliderC->blockSignals(block);
    ui->ChooseEvent->blockSignals(block);
    for (int i = 0; i < DpiLevels::Count; ++i) {
        ui->LevelButtons[i]->blockSignals(block);
        ui->LevelBars[i]->blockSignals(block);
    }
}
