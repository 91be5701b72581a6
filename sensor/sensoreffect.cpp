#include "sensor/sensoreffect.h"

#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "sensor/panelform.h"
#include "sensor/sensorcodes.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/theme.h"

#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

namespace {

bool mayWrite()
{
    const DeviceState &state = *DeviceState::instance();
    return state.WriteEnabled.load() != 0 && state.SensorFilling.load() == 0;
}

QLabel *rowTitle(QFrame *panel, const char *name, int y)
{
    auto *label = new QLabel(panel);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(141, y, 81, 20);
    label->setFont(NoticeFrame::font(11));
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("#%1{\ncolor: rgb(255, 255, 255);\n}").arg(name));
    return label;
}

QSlider *stepSlider(QFrame *panel, const char *name, int y, int maximum)
{
    auto *slider = new QSlider(panel);
    slider->setObjectName(QLatin1String(name));
    slider->setGeometry(230, y, 151, 25);
    slider->setOrientation(Qt::Horizontal);
    slider->setRange(1, maximum);
    slider->setPageStep(1);
    // A drag is written once, when the handle is let go.
    slider->setTracking(false);
    slider->setFocusPolicy(Qt::NoFocus);
    return slider;
}

QFrame *rowLine(QFrame *panel, const char *name, int y)
{
    auto *line = new QFrame(panel);
    line->setObjectName(QLatin1String(name));
    line->setGeometry(230, y, 151, 3);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setStyleSheet(QStringLiteral("background-color:  rgb(57, 57, 57);"));
    return line;
}

// Shows the step only: the range 1..10 fits both sliders.
QSpinBox *stepBox(QFrame *panel, const char *name, int y)
{
    auto *box = new QSpinBox(panel);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(381, y, 50, 20);
    box->setMinimumWidth(50);
    box->setFont(NoticeFrame::font(11));
    box->setReadOnly(true);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    box->setWrapping(false);
    box->setRange(1, 10);
    box->setAlignment(Qt::AlignCenter);
    box->setFocusPolicy(Qt::NoFocus);
    box->setStyleSheet(QStringLiteral("#%1\n{\nbackground-color: transparent;\ncolor: rgb(255, "
                                      "255, 255);\nborder: 0px;\n}")
                           .arg(name));
    return box;
}

} // namespace

void Ui_SensorEffect::setupUi(QFrame *panel)
{
    PanelForm::SetUp(panel, "SensorEffect", {439, 96}, true);

    label = new QLabel(panel);
    label->setObjectName(QStringLiteral("label"));
    label->setGeometry(0, 0, 131, 21);
    label->setFont(NoticeFrame::font(11));
    label->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));

    Model = new MyConmboBox(panel);
    Model->setObjectName(QStringLiteral("Model"));
    Model->setGeometry(0, 44, 130, 30);
    Model->setFixedSize(130, 30);
    Model->setFont(NoticeFrame::font(11));
    Model->setFocusPolicy(Qt::NoFocus);
    for (int i = 0; i < SensorCodes::LightModes; ++i)
        Model->addItem(QString());

    label_14 = rowTitle(panel, "label_14", 44);
    label_15 = rowTitle(panel, "label_15", 72);
    SpeedH = stepSlider(panel, "SpeedH", 44, 5);
    LightH = stepSlider(panel, "LightH", 72, SensorCodes::BrightnessSteps);
    line = rowLine(panel, "line", 54);
    line_2 = rowLine(panel, "line_2", 82);
    SpeedSpinBox = stepBox(panel, "SpeedSpinBox", 44);
    LightSpinBox = stepBox(panel, "LightSpinBox", 72);

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
    label_14->setText(QStringLiteral("速度"));
    label_15->setText(QStringLiteral("亮度"));
}

SensorEffect::SensorEffect(QWidget *parent) : QFrame(parent), ui(new Ui_SensorEffect)
{
    ui->setupUi(this);
    PictureDir = Theme::PictureFolder(QStringLiteral("Sensor"));
    for (QLabel *label : {ui->label, ui->label_14, ui->label_15})
        label->setStyleSheet(Theme::LabelStyle());
    PanelForm::StyleList(ui->Model, PictureDir);
    const QString slider =
        QStringLiteral("QSlider::groove:horizontal { border-radius: 2px;  height: 5px;"
                       "background:#ffffff}"
                       "QSlider:handle:horizontal{ border-radius: 2px;width:  6px;height: 18px;  "
                       "margin-top: -9px;margin-left: 0px; margin-bottom: -9px;margin-right: 0px; "
                       "border-image: url(%1HuaKuai.png);} "
                       "QSlider:sub-page:horizontal{border-radius: 2px;background-color: %2;}"
                       "QSlider:add-page:horizontal{border-radius: 2px;"
                       "background-color: rgb(255, 255, 255);}")
            .arg(PictureDir, Theme::Rgb(QStringLiteral("SliderColor")));
    ui->SpeedH->setStyleSheet(slider);
    ui->LightH->setStyleSheet(slider);
    const QString box = QStringLiteral("QSpinBox{color: %1;background-color: transparent;"
                                       "border: 0px;}")
                            .arg(Theme::Rgb(QStringLiteral("LabelColor")));
    ui->SpeedSpinBox->setStyleSheet(box);
    ui->LightSpinBox->setStyleSheet(box);
}

SensorEffect::~SensorEffect() = default;

void SensorEffect::ShowRows(int mode)
{
    SensorCodes::LightRows rows;
    if (!SensorCodes::LightRowsOf(mode, &rows))
        return;
    ui->SpeedH->setVisible(rows.Speed);
    ui->SpeedSpinBox->setVisible(rows.Speed);
    ui->LightH->setVisible(rows.Brightness);
    ui->LightSpinBox->setVisible(rows.Brightness);
    ui->line->setVisible(rows.SpeedLine);
    ui->line_2->setVisible(rows.BrightnessLine);
}

void SensorEffect::ShowMode(int mode)
{
    if (mode < 0 || mode >= SensorCodes::LightModes)
        return;
    ui->Model->setCurrentIndex(mode);
    const QSignalBlocker speed(ui->SpeedH);
    const QSignalBlocker light(ui->LightH);
    ShowRows(mode);
}

void SensorEffect::SetSpeed(int speed)
{
    ui->SpeedH->setValue(speed);
}

void SensorEffect::SetBrightness(int step)
{
    ui->LightH->setValue(step);
}

void SensorEffect::SetSlidersEnabled(bool enabled)
{
    ui->SpeedH->setEnabled(enabled);
    ui->LightH->setEnabled(enabled);
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
    ui->label_14->setText(text);
}

void SensorEffect::SetBrightnessTitle(const QString &text)
{
    ui->label_15->setText(text);
}

void SensorEffect::SetModeItemText(int index, const QString &text)
{
    ui->Model->setItemText(index, text);
}

void SensorEffect::on_Model_currentIndexChanged(int index)
{
    ShowRows(index);
    if (index >= 0 && index < SensorCodes::LightModes && mayWrite())
        WriteDpiLightMode(index);
}

void SensorEffect::on_SpeedH_sliderMoved(int value)
{
    ui->SpeedSpinBox->setValue(value);
}

void SensorEffect::on_SpeedH_valueChanged(int value)
{
    ui->SpeedSpinBox->setValue(value);
    if (mayWrite())
        WriteDpiLightSpeed(value);
}

void SensorEffect::on_LightH_sliderMoved(int value)
{
    ui->LightSpinBox->setValue(value);
}

void SensorEffect::on_LightH_valueChanged(int value)
{
    ui->LightSpinBox->setValue(value);
    const int code = SensorCodes::BrightnessCode(value);
    if (code >= 0 && mayWrite())
        WriteDpiLightBrightness(code);
}
