#include "sensor/sensoreffectb.h"

#include "core/record/recordcodes.h"
#include "sensor/panelform.h"
#include "shell/widgets/formparts.h"
#include "shell/widgets/theme.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

void Ui_SensorEffectB::setupUi(QFrame *panel)
{
    PanelForm::SetUp(panel, "SensorEffectB", {400, 143}, true);

    label = FormParts::Label(panel, QStringLiteral("label"), {0, 0, 181, 21}, 11);
    label->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));

    MM1 = PanelForm::AddChoiceBox(panel, "MM1", {10, 40, 101, 20});
    MM2 = PanelForm::AddChoiceBox(panel, "MM2", {120, 40, 101, 20});
    MM3 = PanelForm::AddChoiceBox(panel, "MM3", {230, 40, 101, 20});
    Rows.setupUi(panel, {10, 99, 241, 90, 120});
    retranslateUi(panel);
    QMetaObject::connectSlotsByName(panel);
}

void Ui_SensorEffectB::retranslateUi(QFrame *panel)
{
    panel->setWindowTitle(QStringLiteral("Frame"));
    label->setText(QStringLiteral("DPI灯效"));
    MM1->setText(QStringLiteral("常亮"));
    MM2->setText(QStringLiteral("呼吸"));
    MM3->setText(QStringLiteral("关闭"));
    Rows.retranslateUi();
}

QCheckBox *Ui_SensorEffectB::ModeBox(int mode) const
{
    switch (mode) {
    case 0:
        return MM3;
    case DpiLightModeCode::Steady:
        return MM1;
    case DpiLightModeCode::Breathing:
        return MM2;
    default:
        return nullptr;
    }
}

SensorEffectB::SensorEffectB(QWidget *parent) : QFrame(parent), ui(new Ui_SensorEffectB)
{
    ui->setupUi(this);
    ModeGroup = new QButtonGroup(this);
    ModeGroup->setExclusive(true);
    for (QCheckBox *box : {ui->MM1, ui->MM2, ui->MM3})
        ModeGroup->addButton(box);
    PictureDir = Theme::PictureFolder(QStringLiteral("Sensor"));
    ui->label->setStyleSheet(Theme::LabelStyle());
    const QString style = PanelForm::ChoiceBoxStyle(PictureDir);
    for (QCheckBox *box : {ui->MM1, ui->MM2, ui->MM3})
        box->setStyleSheet(style);
    ui->Rows.ApplyStyles(PictureDir);
}

SensorEffectB::~SensorEffectB() = default;

void SensorEffectB::ShowMode(int mode)
{
    QCheckBox *box = ui->ModeBox(mode);
    if (!box)
        return;
    const QSignalBlocker speed(ui->Rows.SpeedH);
    const QSignalBlocker light(ui->Rows.LightH);
    box->setChecked(true);
    ui->Rows.ShowMode(mode);
}

void SensorEffectB::SetSpeed(int speed)
{
    ui->Rows.SpeedH->setValue(speed);
}

void SensorEffectB::SetBrightness(int step)
{
    ui->Rows.LightH->setValue(step);
}

void SensorEffectB::SetSlidersEnabled(bool enabled)
{
    ui->Rows.SpeedH->setEnabled(enabled);
    ui->Rows.LightH->setEnabled(enabled);
}

void SensorEffectB::SetModeItemText(int mode, const QString &text)
{
    if (QCheckBox *box = ui->ModeBox(mode))
        box->setText(text);
}

void SensorEffectB::SetTitle(const QString &text)
{
    ui->label->setText(text);
}

void SensorEffectB::SetSpeedTitle(const QString &text)
{
    ui->Rows.SetRowTitle(ui->Rows.label_14, text);
}

void SensorEffectB::SetBrightnessTitle(const QString &text)
{
    ui->Rows.SetRowTitle(ui->Rows.label_15, text);
}

// A box the user checks, or clicks again while checked: unchecking cannot happen in the
// exclusive group, and would choose nothing.
void SensorEffectB::ModeClicked(int mode, bool checked)
{
    if (checked)
        ui->Rows.ModeChosen(mode);
}

void SensorEffectB::on_MM3_clicked(bool checked)
{
    ModeClicked(0, checked);
}

void SensorEffectB::on_MM1_clicked(bool checked)
{
    ModeClicked(DpiLightModeCode::Steady, checked);
}

void SensorEffectB::on_MM2_clicked(bool checked)
{
    ModeClicked(DpiLightModeCode::Breathing, checked);
}

void SensorEffectB::on_SpeedH_sliderMoved(int value)
{
    ui->Rows.SpeedMoved(value);
}

void SensorEffectB::on_SpeedH_valueChanged(int value)
{
    ui->Rows.SpeedChanged(value);
}

void SensorEffectB::on_LightH_sliderMoved(int value)
{
    ui->Rows.BrightnessMoved(value);
}

void SensorEffectB::on_LightH_valueChanged(int value)
{
    ui->Rows.BrightnessChanged(value);
}
