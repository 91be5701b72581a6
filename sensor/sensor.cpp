#include "sensor/sensor.h"

#include "core/blockingconnect.h"
#include "core/devicestate.h"
#include "core/postmsg.h"

Sensor::Sensor(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Sensor"));
    // The device-event callback waits for these two until the page has taken them.
    ConnectBlocking(SIGNAL(SigUpDataLightSensor(FlashDataMap)), this,
                    SLOT(SlotUpDataSenSorUISensor(FlashDataMap)));
    ConnectBlocking(SIGNAL(SigUpDataDPI(int)), this, SLOT(SlotUpDataDPI(int)));
    connect(PostMsg::GetInstance(), SIGNAL(SigUpDataSensorUIB(FlashDataMap)), this,
            SLOT(SlotUpDataSenSorUIB(FlashDataMap)));
}

Sensor::~Sensor() = default;

void Sensor::SlotUpDataSenSorUISensor(const FlashDataMap &record)
{
    DeviceState *state = DeviceState::instance();
    state->SensorUiUpdated = 0;
    state->SensorFilling = 1;
    FillFromRecord(record);
    state->SensorFilling = 0;
    state->SensorUiUpdated = 1;
}

void Sensor::SlotUpDataSenSorUIB(const FlashDataMap &record)
{
    DeviceState *state = DeviceState::instance();
    state->SensorFilling = 1;
    FillFromRecord(record);
    state->SensorFilling = 0;
}

void Sensor::SlotUpDataDPI(int stage)
{
    DeviceState *state = DeviceState::instance();
    state->WriteEnabled = 0;
    ShownStage = stage;
    state->WriteEnabled = 1;
}

void Sensor::FillFromRecord(const FlashDataMap &record)
{
    Shown = record;
    ShownStage = record.CurrentDpiStage;
}
