#include "sensor/dpilightrows.h"

#include "core/devicewrite.h"
#include "sensor/model/sensorcodes.h"
#include "sensor/panelform.h"
#include "sensor/writeguards.h"
#include "shell/widgets/formparts.h"
#include "shell/widgets/theme.h"

#include <QFrame>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>

namespace {

constexpr int SpeedSteps = 5;

QLabel *rowTitle(QFrame *panel, const char *name, int x, int y)
{
    QLabel *label = FormParts::Label(panel, name, {x, y, 81, 20}, 11);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(QStringLiteral("#%1{\ncolor: rgb(255, 255, 255);\n}").arg(name));
    return label;
}

QSlider *stepSlider(QFrame *panel, const char *name, const QRect &geometry, int maximum)
{
    auto *slider = FormParts::Make<QSlider>(panel, name, geometry);
    slider->setOrientation(Qt::Horizontal);
    slider->setRange(1, maximum);
    slider->setPageStep(1);
    // A drag is written once, when the handle is let go.
    slider->setTracking(false);
    slider->setFocusPolicy(Qt::NoFocus);
    return slider;
}

// Shows the step only: the range 1..10 fits both sliders.
QSpinBox *stepBox(QFrame *panel, const char *name, int x, int y)
{
    auto *box = FormParts::Make<QSpinBox>(panel, name, {x, y, 50, 20});
    box->setMinimumWidth(50);
    box->setFont(Theme::Font(11));
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

void DpiLightRows::setupUi(QFrame *panel, const DpiLightRowsPlace &place)
{
    const int boxX = place.SliderX + place.SliderWidth;
    label_14 = rowTitle(panel, "label_14", place.TitleX, place.SpeedY);
    label_15 = rowTitle(panel, "label_15", place.TitleX, place.BrightnessY);
    SpeedH = stepSlider(panel, "SpeedH", {place.SliderX, place.SpeedY, place.SliderWidth, 25},
                        SpeedSteps);
    LightH = stepSlider(panel, "LightH", {place.SliderX, place.BrightnessY, place.SliderWidth, 25},
                        SensorCodes::BrightnessSteps);
    // Across the middle of the slider's row.
    line = FormParts::GreyLine(panel, "line",
                               {place.SliderX, place.SpeedY + 10, place.SliderWidth, 3});
    line_2 = FormParts::GreyLine(panel, "line_2",
                                 {place.SliderX, place.BrightnessY + 10, place.SliderWidth, 3});
    SpeedSpinBox = stepBox(panel, "SpeedSpinBox", boxX, place.SpeedY);
    LightSpinBox = stepBox(panel, "LightSpinBox", boxX, place.BrightnessY);
}

void DpiLightRows::retranslateUi()
{
    label_14->setText(QStringLiteral("速度"));
    label_15->setText(QStringLiteral("亮度"));
}

void DpiLightRows::ApplyStyles(const QString &pictureDir)
{
    for (QLabel *label : {label_14, label_15})
        label->setStyleSheet(Theme::LabelStyle());
    const QString slider = PanelForm::StepSliderStyle(pictureDir);
    SpeedH->setStyleSheet(slider);
    LightH->setStyleSheet(slider);
    const QString box = QStringLiteral("QSpinBox{color: %1;background-color: transparent;"
                                       "border: 0px;}")
                            .arg(Theme::Rgb(QStringLiteral("LabelColor")));
    SpeedSpinBox->setStyleSheet(box);
    LightSpinBox->setStyleSheet(box);
}

void DpiLightRows::SetRowTitle(QLabel *title, const QString &text)
{
    constexpr int FormWidth = 81;
    constexpr int Slack = 10;
    title->setText(text);
    const int right = title->geometry().right();
    const int needed = title->fontMetrics().horizontalAdvance(text) + 4;
    const int width = qBound(FormWidth, needed, FormWidth + Slack);
    title->setGeometry(right + 1 - width, title->y(), width, title->height());
}

bool DpiLightRows::ShowMode(int mode)
{
    SensorCodes::LightRows rows;
    if (!SensorCodes::LightRowsOf(mode, &rows))
        return false;
    SpeedH->setVisible(rows.Speed);
    SpeedSpinBox->setVisible(rows.Speed);
    LightH->setVisible(rows.Brightness);
    LightSpinBox->setVisible(rows.Brightness);
    line->setVisible(rows.SpeedLine);
    line_2->setVisible(rows.BrightnessLine);
    return true;
}

void DpiLightRows::ModeChosen(int mode)
{
    if (ShowMode(mode) && WriteGuards::SensorChangeWritable())
        WriteDpiLightMode(mode);
}

void DpiLightRows::SpeedMoved(int value)
{
    SpeedSpinBox->setValue(value);
}

void DpiLightRows::SpeedChanged(int value)
{
    SpeedSpinBox->setValue(value);
    if (WriteGuards::SensorChangeWritable())
        WriteDpiLightSpeed(value);
}

void DpiLightRows::BrightnessMoved(int value)
{
    LightSpinBox->setValue(value);
}

void DpiLightRows::BrightnessChanged(int value)
{
    LightSpinBox->setValue(value);
    const int code = SensorCodes::BrightnessCode(value);
    if (code >= 0 && WriteGuards::SensorChangeWritable())
        WriteDpiLightBrightness(code);
}
