#include "sensor/sensoreffect.h"

#include "sensor/model/sensorcodes.h"
#include "sensor/panelform.h"
#include "shell/widgets/formparts.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/theme.h"

#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

void Ui_SensorEffect::setupUi(QFrame *panel)
{
    PanelForm::SetUp(panel, "SensorEffect", {439, 96}, true);

    label = FormParts::Label(panel, QStringLiteral("label"), {0, 0, 131, 21}, 11);
    label->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));

    Model = FormParts::Make<MyConmboBox>(panel, QStringLiteral("Model"), {0, 44, 130, 30});
    Model->setFixedSize(130, 30);
    Model->setFont(Theme::Font(11));
    Model->setFocusPolicy(Qt::NoFocus);
    for (int i = 0; i < SensorCodes::LightModes; ++i)
        Model->addItem(QString());

    Rows.setupUi(panel, {141, 230, 151, 44, 72});

    // The list is filled before the slots are connected: building the form writes nothing.
    retranslateUi(panel);
    QMetaObject::connectSlotsByName(panel);
}

void Ui_SensorEffect::retranslateUi(QFrame *panel)
{
    panel->setWindowTitle(QStringLiteral("Frame"));
    label->setText(QStringLiteral("DPI灯效"));
    Model->setItemText(0, QStringLiteral("关闭"));
    Model->setItemText(1, QStringLiteral("常亮"));
    Model->setItemText(2, QStringLiteral("呼吸"));
    Rows.retranslateUi();
}

SensorEffect::SensorEffect(QWidget *parent) : QFrame(parent), ui(new Ui_SensorEffect)
{
    ui->setupUi(this);
    PictureDir = Theme::PictureFolder(QStringLiteral("Sensor"));
    ui->label->setStyleSheet(Theme::LabelStyle());
    PanelForm::StyleList(ui->Model, PictureDir);
    ui->Rows.ApplyStyles(PictureDir);
}

SensorEffect::~SensorEffect() = default;

void SensorEffect::ShowMode(int mode)
{
    if (mode < 0 || mode >= SensorCodes::LightModes)
        return;
    ui->Model->setCurrentIndex(mode);
    const QSignalBlocker speed(ui->Rows.SpeedH);
    const QSignalBlocker light(ui->Rows.LightH);
    ui->Rows.ShowMode(mode);
}

void SensorEffect::SetSpeed(int speed)
{
    ui->Rows.SpeedH->setValue(speed);
}

void SensorEffect::SetBrightness(int step)
{
    ui->Rows.LightH->setValue(step);
}

void SensorEffect::SetSlidersEnabled(bool enabled)
{
    ui->Rows.SpeedH->setEnabled(enabled);
    ui->Rows.LightH->setEnabled(enabled);
}

void SensorEffect::SetModeEnabled(bool enabled)
{
    ui->Model->setEnabled(enabled);
}

void SensorEffect::SetTitle(const QString &text)
{
    ui->label->setText(text);
}

void SensorEffect::SetSpeedTitle(const QString &text)
{
    ui->Rows.SetRowTitle(ui->Rows.label_14, text);
}

void SensorEffect::SetBrightnessTitle(const QString &text)
{
    ui->Rows.SetRowTitle(ui->Rows.label_15, text);
}

void SensorEffect::SetModeItemText(int index, const QString &text)
{
    ui->Model->setItemText(index, text);
}

void SensorEffect::on_Model_currentIndexChanged(int index)
{
    ui->Rows.ModeChosen(index);
}

void SensorEffect::on_SpeedH_sliderMoved(int value)
{
    ui->Rows.SpeedMoved(value);
}

void SensorEffect::on_SpeedH_valueChanged(int value)
{
    ui->Rows.SpeedChanged(value);
}

void SensorEffect::on_LightH_sliderMoved(int value)
{
    ui->Rows.BrightnessMoved(value);
}

void SensorEffect::on_LightH_valueChanged(int value)
{
    ui->Rows.BrightnessChanged(value);
}
