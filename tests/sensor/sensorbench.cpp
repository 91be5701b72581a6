#include "tests/sensor/sensorbench.h"

#include "core/configini.h"
#include "core/devicestate.h"
#include "core/postmsg.h"
#include "platform/appdir.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/linksupport/linkfixture.h"
#include "tests/sensor/dpieditorhost.h"
#include "tests/support/workerthread.h"

#include <QFile>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>

namespace SensorBench {

namespace {
const char *const RateButtonNames[7] = {"Button125HZ",  "Button250HZ",  "Button500HZ",
                                        "Button1000HZ", "Button2000HZ", "Button4000HZ",
                                        "Button8000HZ"};
} // namespace

bool selectMouse(int kind, int driveIndex)
{
    return DpiEditorHost::selectShippedMouse(kind, driveIndex);
}

ModelGroup::ModelGroup(const QByteArray &drive1)
{
    QFile shipped(AppDir::filePath(QStringLiteral("usersetting/Config.ini")));
    QByteArray text;
    if (shipped.open(QIODevice::ReadOnly))
        text = shipped.readAll();
    // The theme and the identifiers; the models are the test's.
    text.truncate(text.indexOf("[Drive1]"));
    const QString path = m_dir.filePath(QStringLiteral("Config.ini"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(text + "[Drive1]\n" + drive1);
    file.close();
    ConfigIni::resetForTests(path);
}

ModelGroup::~ModelGroup()
{
    ConfigIni::resetForTests(QString());
}

QByteArray modelKeys(const QByteArray &chip, int maxGrade, int layout)
{
    return "MID=10\nSensor=" + chip.toBase64() + "\nDPIMaxGrade=" + QByteArray::number(maxGrade) +
           "\nXIn1=" + QByteArray::number(layout) +
           "\nDPIRange=50,12000,50,12100,24000,100,22"
           "\nDPIColor=255,0,0,0,255,0,0,0,255,255,255,0,0,255,255,255,0,255,255,128,0,255,255,"
           "255\nDPIGrade=400,800,1600,2400,3200,6400,10000,12000\n";
}

bool fromDevice(const std::function<void()> &emission)
{
    return runOnWorkerThread(emission);
}

bool showRecord(const FlashDataMap &record)
{
    return fromDevice([record] { emit PostMsg::GetInstance()->SigUpDataLightSensor(record); });
}

void asFilled(const std::function<void()> &setting)
{
    DeviceState::instance()->SensorFilling = 1;
    setting();
    DeviceState::instance()->SensorFilling = 0;
    SimulationControl::clearLog();
}

void letGo(QSlider *slider, int value)
{
    slider->setSliderDown(true);
    slider->setSliderPosition(value);
    slider->setSliderDown(false);
}

FlashDataMap stored()
{
    return LinkFixture::storedRecord();
}

int sends()
{
    return DpiEditorHost::sends();
}

int checkedRate(const QWidget *panel)
{
    for (int i = 0; i < 7; ++i) {
        if (rateButton(panel, i)->isChecked())
            return i;
    }
    return -1;
}

QToolButton *rateButton(const QWidget *panel, int index)
{
    return panel->findChild<QToolButton *>(QLatin1String(RateButtonNames[index]));
}

PanelTest::~PanelTest() = default;

void PanelTest::init()
{
    QVERIFY(selectMouse());
    offline.reset(new QSignalSpy(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo));
    hideModel.reset(new QSignalSpy(PostMsg::GetInstance(), &PostMsg::SigHideModel));
}

void PanelTest::cleanup()
{
    DeviceState &state = State();
    state.SensorFilling = 0;
    state.ButtonFilling = 0;
    state.LightFilling = 0;
    offline.reset();
    hideModel.reset();
    UsbServer_Exit();
}

} // namespace SensorBench
