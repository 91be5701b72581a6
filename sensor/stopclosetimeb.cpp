#include "sensor/stopclosetimeb.h"

#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "sensor/model/sensorcodes.h"
#include "sensor/panelform.h"
#include "shell/widgets/theme.h"

#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

namespace {
// Slider positions are the list's entries plus one.
constexpr int FirstPosition = 1;
} // namespace

void Ui_StopCloseTimeB::setupUi(QFrame *panel)
{
    PanelForm::SetUp(panel, "StopCloseTimeB", {277, 28}, true);
    StopClose = PanelForm::AddValueSlider(panel, "StopClose", {0, 5, 201, 20}, FirstPosition,
                                          SensorCodes::SleepTimes);
    spinBoxA = PanelForm::AddValueBox(panel, {205, 5, 66, 20}, 1, 100);
    retranslateUi(panel);
    QMetaObject::connectSlotsByName(panel);
}

void Ui_StopCloseTimeB::retranslateUi(QFrame *panel)
{
    panel->setWindowTitle(QStringLiteral("Frame"));
    spinBoxA->setSuffix(QString());
}

StopCloseTimeB::StopCloseTimeB(QWidget *parent) : QFrame(parent), ui(new Ui_StopCloseTimeB)
{
    ui->setupUi(this);
    PictureDir = Theme::PictureFolder(QStringLiteral("Sensor"));
    ui->spinBoxA->setStyleSheet(PanelForm::ValueBoxStyle());
    ui->StopClose->setStyleSheet(PanelForm::ThinSliderStyle(PictureDir));
}

StopCloseTimeB::~StopCloseTimeB() = default;

// The stored time counts 10 seconds: below a minute it shows as seconds, from a minute on as
// whole minutes.
void StopCloseTimeB::ShowPosition(int position)
{
    const int seconds = SensorCodes::SleepTime(position - FirstPosition) * 10;
    if (seconds <= 0)
        return;
    const bool minutes = seconds >= 60;
    ui->spinBoxA->setValue(minutes ? seconds / 60 : seconds);
    ui->spinBoxA->setSuffix(minutes ? MinutesUnit : SecondsUnit);
}

// An entry the list does not have has no time to show: the slider would stop at its end while
// the device keeps another time.
void StopCloseTimeB::SetIndex(int index)
{
    if (index < 0 || index >= SensorCodes::SleepTimes)
        return;
    const QSignalBlocker blocker(ui->StopClose);
    ui->StopClose->setValue(index + FirstPosition);
    ShowPosition(index + FirstPosition);
}

void StopCloseTimeB::SetItemText(int index, const QString &text)
{
    if (index == 0)
        SecondsUnit = QString(text).remove(QStringLiteral("10"));
    else if (index == 5)
        MinutesUnit = QString(text).remove(QStringLiteral("15"));
    else
        return;
    ShowPosition(ui->StopClose->value());
}

void StopCloseTimeB::on_StopClose_sliderMoved(int position)
{
    ShowPosition(position);
}

void StopCloseTimeB::on_StopClose_valueChanged(int position)
{
    ShowPosition(position);
    const DeviceState &state = *DeviceState::instance();
    if (state.WriteEnabled.load() != 0 && state.LightFilling.load() == 0)
        WriteSleepTime(SensorCodes::SleepTime(position - FirstPosition));
}
