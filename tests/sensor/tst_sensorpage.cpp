#include "core/devicestate.h"
#include "core/postmsg.h"
#include "sensor/sensor.h"
#include "tests/support/testmain.h"
#include "tests/support/workerthread.h"

namespace {
FlashDataMap recordWithStage(int stage)
{
    FlashDataMap record{};
    record.DpiStageCount = 4;
    record.CurrentDpiStage = std::uint8_t(stage);
    return record;
}
} // namespace

// What the parameter-update dialog and the device-write helpers rely on of the sensor page.
class TestSensorPage : public QObject
{
    Q_OBJECT
private:
    DeviceState *state = DeviceState::instance();

private slots:
    void init()
    {
        state->SensorUiUpdated = 0;
        state->SensorFilling = 0;
        state->WriteEnabled = 1;
    }

    void deviceRecordMarksThePageUpdated()
    {
        Sensor page;
        bool fillingWhileShown = false;
        // The device-event callback emits on a library thread and waits for the page.
        QVERIFY(runOnWorkerThread([&] {
            emit PostMsg::GetInstance()->SigUpDataLightSensor(recordWithStage(2));
            fillingWhileShown = state->SensorFilling.load() != 0;
        }));
        QVERIFY(!fillingWhileShown);
        QCOMPARE(state->SensorUiUpdated.load(), quint8(1));
        QCOMPARE(page.ShownDpiStage(), 2);
    }

    void cachedOrImportedRecordLeavesTheUpdateFlag()
    {
        Sensor page;
        emit PostMsg::GetInstance()->SigUpDataSensorUIB(recordWithStage(3));
        QCOMPARE(state->SensorUiUpdated.load(), quint8(0));
        QCOMPARE(state->SensorFilling.load(), quint8(0));
        QCOMPARE(page.ShownDpiStage(), 3);
    }

    void reportedStageIsShownAndWritingResumes()
    {
        Sensor page;
        QVERIFY(runOnWorkerThread([] { emit PostMsg::GetInstance()->SigUpDataDPI(5); }));
        QCOMPARE(page.ShownDpiStage(), 5);
        QCOMPARE(state->WriteEnabled.load(), quint8(1));
    }
};

ZR35_TEST_MAIN(TestSensorPage)
#include "tst_sensorpage.moc"
