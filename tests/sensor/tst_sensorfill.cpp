#include "core/devicestate.h"
#include "core/languageloader.h"
#include "core/postmsg.h"
#include "platform/appdir.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "sensor/model/dpicodec.h"
#include "sensor/sensor.h"
#include "sensor/sensordpi.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/myslider.h"
#include "tests/sensor/dpieditorhost.h"
#include "tests/sensor/sensorbench.h"
#include "tests/support/screens.h"
#include "tests/support/testmain.h"

#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

#include <memory>

using namespace SensorBench;

namespace {

constexpr auto &state = State;

PostMsg *hub()
{
    return PostMsg::GetInstance();
}

// The parts of the page a fill sets, by their names.
struct PageParts
{
    explicit PageParts(const Sensor &page)
        : editor(child<SensorDPI>(&page, QStringLiteral("frameDpi"))),
          rate(child(&page, QStringLiteral("frameRate"))),
          mode(child<MyConmboBox>(&page, QStringLiteral("ModelChoose"))),
          lod(child(&page, QStringLiteral("frameLOD"))->findChild<MyConmboBox *>()),
          performance(child<QCheckBox>(&page, QStringLiteral("Performance"))),
          duration(child<MyConmboBox>(&page, QStringLiteral("PerformanceOpen"))),
          light(child(&page, QStringLiteral("frameEffect"))),
          lightMode(light->findChild<MyConmboBox *>(QStringLiteral("Model")))
    {}
    bool cordedRowHidden() const { return static_cast<QListView *>(mode->view())->isRowHidden(2); }
    bool toggleOn(const Sensor &page, const char *frame) const
    {
        return child(&page, QLatin1String(frame))->findChild<QToolButton *>()->isChecked();
    }
    int slider(const char *name) const { return light->findChild<QSlider *>(name)->value(); }

    SensorDPI *editor;
    QWidget *rate;
    MyConmboBox *mode;
    MyConmboBox *lod;
    QCheckBox *performance;
    MyConmboBox *duration;
    QWidget *light;
    MyConmboBox *lightMode;
};

// The mouse's record with a few fields changed, as the device would report it.
FlashDataMap recordWith(const std::function<void(FlashDataMap &)> &change)
{
    FlashDataMap record = stored();
    change(record);
    return record;
}

// Shown on the dark ground the device page gives it, so that its pictures show as in the
// program.
void shownAndVisible(QWidget *page)
{
    QPalette ground = page->palette();
    ground.setColor(QPalette::Window, QColor(0x15, 0x17, 0x1b));
    page->setPalette(ground);
    page->setAutoFillBackground(true);
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page));
}

} // namespace

// What the sensor page shows of the records, resets and reports the device sends through the
// hub, each emitted from a thread of its own as the device library does. Showing never writes.
class TestSensorFill : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        ReloadLanguageFilesForTest(AppDir::filePath(QStringLiteral("Language")));
    }
    void init()
    {
        state().SensorFilling = 0;
        state().SensorUiUpdated = 0;
    }
    void cleanup() { UsbServer_Exit(); }

    void deviceReadMarksThePageUpdated()
    {
        QVERIFY(selectMouse());
        Sensor page;
        bool fillingAfterwards = true;
        QVERIFY(fromDevice([&] {
            emit hub()->SigUpDataLightSensor(stored());
            fillingAfterwards = state().SensorFilling.load() != 0;
        }));
        QVERIFY(!fillingAfterwards);
        QCOMPARE(state().SensorUiUpdated.load(), quint8(1));

        // A cached or imported record is shown without touching the flag.
        state().SensorUiUpdated = 0;
        emit hub()->SigUpDataSensorUIB(recordWith([](FlashDataMap &r) { r.CurrentDpiStage = 3; }));
        QCOMPARE(state().SensorUiUpdated.load(), quint8(0));
        QCOMPARE(state().SensorFilling.load(), quint8(0));
        QCOMPARE(PageParts(page).editor->GetCurrentLevel(), 3);
        QCOMPARE(sends(), 0);
    }

    // The shipped first model (OPT5100, eight levels) as the simulated mouse holds it.
    void shippedMouseAsStored()
    {
        QVERIFY(selectMouse());
        Sensor page;
        shownAndVisible(&page);
        const FlashDataMap record = recordWith([](FlashDataMap &r) {
            r.CurrentDpiStage = 2;
            r.Lod = 2;
            r.PerformanceMode = 1;
            r.PerformanceTime = 12;
            r.RippleControl = 1;
            r.StraightLine = 0;
            r.DpiLightOn = 1;
            r.DpiLightMode = 2;
            r.DpiLightSpeed = 4;
            r.DpiLightBrightness = 210;
        });
        QVERIFY(showRecord(record));
        PageParts parts(page);
        QCOMPARE(checkedRate(parts.rate), 3);
        QCOMPARE(parts.lod->currentText(), QStringLiteral("2mm"));
        QVERIFY(parts.lod->isEnabled());
        QVERIFY(parts.performance->isChecked());
        QVERIFY(parts.duration->isEnabled());
        QCOMPARE(parts.duration->currentIndex(), 2);
        QVERIFY(parts.toggleOn(page, "frame"));
        QVERIFY(!parts.toggleOn(page, "frame_4"));
        QCOMPARE(parts.lightMode->currentIndex(), 2);
        QCOMPARE(parts.slider("SpeedH"), 4);
        QCOMPARE(parts.slider("LightH"), 8);
        QVERIFY(!parts.light->findChild<QSlider *>("SpeedH")->isHidden());
        QVERIFY(parts.light->findChild<QSlider *>("LightH")->isHidden());
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(DpiEditorHost::levelButton(parts.editor, i)->text(),
                     QString::number(DpiEditorHost::stageDpi(record.DpiStages[i])));
            QCOMPARE(parts.editor->GetLevelColor(i), QStringLiteral("%1,%2,%3")
                                                         .arg(record.DpiStages[i].Red)
                                                         .arg(record.DpiStages[i].Green)
                                                         .arg(record.DpiStages[i].Blue));
        }
        QCOMPARE(DpiEditorHost::slider(parts.editor)->value(), 1600);
        QCOMPARE(DpiEditorHost::slider(parts.editor)->maximum(), 24000);
        QCOMPARE(DpiEditorHost::marker(parts.editor)->pos(), QPoint(209, 154));
        QVERIFY(DpiEditorHost::levelButton(parts.editor, 2)->isChecked());
        ZR35_SAVE_SCREEN(&page, "sensor-page-OPT5100");
        QCOMPARE(sends(), 0);
    }

    // Whether the sensor mode can be chosen follows the connection and the rate: on a cable, and
    // on a receiver above 1000 Hz, the mouse runs "Corded" itself.
    void sensorModeByConnectionAndRate_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("item");
        QTest::addColumn<bool>("choosable");
        QTest::newRow("cable at 4000 Hz shows 1000 Hz") << 2 << 32 << 3 << 2 << false;
        QTest::newRow("cable at 2000 Hz shows 1000 Hz") << 3 << 16 << 3 << 2 << false;
        QTest::newRow("cable at 8000 Hz") << 2 << 64 << 6 << 2 << false;
        QTest::newRow("cable at 500 Hz") << 3 << 2 << 2 << 2 << false;
        QTest::newRow("kind 4 at 4000 Hz") << 4 << 32 << 5 << 2 << false;
        QTest::newRow("kind 4 at 1000 Hz") << 4 << 1 << 3 << 1 << true;
        QTest::newRow("kind 1 at 2000 Hz") << 1 << 16 << 4 << 2 << false;
        QTest::newRow("kind 5 at 8000 Hz") << 5 << 64 << 6 << 2 << false;
        QTest::newRow("kind 0 at 8000 Hz") << 0 << 64 << 6 << 1 << true;
        QTest::newRow("kind 1 at 125 Hz") << 1 << 8 << 0 << 1 << true;
        QTest::newRow("kind 1, unknown rate") << 1 << 3 << -1 << 1 << true;
    }
    void sensorModeByConnectionAndRate()
    {
        QFETCH(int, kind);
        QFETCH(int, rate);
        QFETCH(int, button);
        QFETCH(int, item);
        QFETCH(bool, choosable);
        QVERIFY(selectMouse(kind));
        Sensor page;
        QVERIFY(showRecord(recordWith([rate](FlashDataMap &r) {
            r.ReportRate = quint8(rate);
            r.SensorMode = 1;
        })));
        PageParts parts(page);
        QCOMPARE(checkedRate(parts.rate), button);
        QCOMPARE(parts.mode->currentIndex(), item);
        QCOMPARE(parts.mode->isEnabled(), choosable);
        if (choosable)
            QVERIFY(parts.cordedRowHidden());
        QCOMPARE(sends(), 0);
    }

    void chipWithoutModeChoiceKeepsTheMode()
    {
        QVERIFY(selectMouse());
        ModelGroup model(modelKeys("3950"));
        Sensor page;
        PageParts parts(page);
        asFilled([&] { parts.mode->setCurrentIndex(1); });
        QVERIFY(showRecord(recordWith([](FlashDataMap &r) { r.SensorMode = 0; })));
        QVERIFY(!parts.mode->isEnabled());
        QCOMPARE(parts.mode->currentIndex(), 1);
        // Nor has it the lift-off setting, ripple control or angle snapping.
        QVERIFY(!parts.lod->isEnabled());
        QVERIFY(child(&page, QStringLiteral("frame"))->isHidden());
        QVERIFY(child(&page, QStringLiteral("frame_4"))->isHidden());
        QCOMPARE(sends(), 0);
    }

    void highRatesFollowTheConnection_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<bool>>("shown"); // 2000, 4000, 8000 Hz
        QTest::newRow("receiver 0") << 0 << QList<bool>{false, false, false};
        QTest::newRow("receiver 1") << 1 << QList<bool>{true, true, false};
        QTest::newRow("cable 2") << 2 << QList<bool>{false, false, false};
        QTest::newRow("cable 3") << 3 << QList<bool>{true, true, true};
        QTest::newRow("receiver 4") << 4 << QList<bool>{true, false, false};
        QTest::newRow("receiver 5") << 5 << QList<bool>{true, true, true};
    }
    void highRatesFollowTheConnection()
    {
        QFETCH(int, kind);
        QFETCH(QList<bool>, shown);
        QVERIFY(selectMouse(kind));
        Sensor page;
        QVERIFY(showRecord(stored()));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(!rateButton(child(&page, QStringLiteral("frameRate")), 4 + i)->isHidden(),
                     shown.at(i));
        QCOMPARE(sends(), 0);
    }

    void shortDistanceForTheChipThatHasIt_data()
    {
        QTest::addColumn<QByteArray>("chip");
        QTest::addColumn<int>("lod");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("shown");
        QTest::newRow("3950 at 0.7mm")
            << QByteArray("3950") << 3 << QStringList{"0.7mm", "1mm", "2mm"} << "0.7mm";
        QTest::newRow("3950 at 2mm")
            << QByteArray("3950") << 2 << QStringList{"0.7mm", "1mm", "2mm"} << "2mm";
        QTest::newRow("3395 at 1mm")
            << QByteArray("3395") << 1 << QStringList{"1mm", "2mm"} << "1mm";
        QTest::newRow("OPT5100 at 2mm")
            << QByteArray("OPT5100") << 2 << QStringList{"1mm", "2mm"} << "2mm";
    }
    void shortDistanceForTheChipThatHasIt()
    {
        QFETCH(QByteArray, chip);
        QFETCH(int, lod);
        QFETCH(QStringList, entries);
        QFETCH(QString, shown);
        QVERIFY(selectMouse());
        Sensor page;
        PageParts parts(page);
        {
            // The page had shown another model before.
            ModelGroup other(modelKeys(chip == "3950" ? "3395" : "3950"));
            QVERIFY(showRecord(stored()));
        }
        ModelGroup model(modelKeys(chip));
        QVERIFY(showRecord(recordWith([lod](FlashDataMap &r) { r.Lod = quint8(lod); })));
        QStringList items;
        for (int i = 0; i < parts.lod->count(); ++i)
            items << parts.lod->itemText(i);
        QCOMPARE(items, entries);
        QCOMPARE(parts.lod->currentText(), shown);
        QCOMPARE(sends(), 0);
        if (chip == "3950" && lod == 3) {
            shownAndVisible(&page);
            ZR35_SAVE_SCREEN(&page, "sensor-page-3950");
        }
    }

    // The reduced layout has no sensor settings; a chip's toggles show all the same.
    void reducedLayout_data()
    {
        QTest::addColumn<QByteArray>("chip");
        QTest::addColumn<bool>("ripple");
        QTest::addColumn<bool>("angleSnapping");
        QTest::newRow("ripple chip") << QByteArray("OPT5100") << true << true;
        QTest::newRow("Drive3's chip") << QByteArray("OPT3300") << false << true;
        QTest::newRow("chip without toggles") << QByteArray("3395") << false << false;
    }
    void reducedLayout()
    {
        QFETCH(QByteArray, chip);
        QFETCH(bool, ripple);
        QFETCH(bool, angleSnapping);
        QVERIFY(selectMouse());
        Sensor page;
        {
            ModelGroup model(modelKeys(chip, 6, 2));
            QVERIFY(showRecord(stored()));
            for (const char *name : {"TitleButton_4", "label_5", "label_11", "ModelChoose",
                                     "frameLOD", "Performance", "PerformanceOpen", "frame_3"})
                QVERIFY2(child(&page, QLatin1String(name))->isHidden(), name);
            QCOMPARE(!child(&page, QStringLiteral("frame"))->isHidden(), ripple);
            QCOMPARE(!child(&page, QStringLiteral("frame_4"))->isHidden(), angleSnapping);
            QCOMPARE(child(&page, QStringLiteral("frameEffect"))->pos(), QPoint(80, 316));
            QCOMPARE(child(&page, QStringLiteral("TitleButton_3"))->pos(), QPoint(40, 323));
        }
        // The next model of the full layout brings everything back.
        QVERIFY(showRecord(stored()));
        for (const char *name : {"TitleButton_4", "label_5", "label_11", "ModelChoose", "frameLOD",
                                 "Performance", "PerformanceOpen", "frame", "frame_4"})
            QVERIFY2(!child(&page, QLatin1String(name))->isHidden(), name);
        QVERIFY(child(&page, QStringLiteral("frame_3"))->isHidden());
        QCOMPARE(child(&page, QStringLiteral("frameEffect"))->pos(), QPoint(80, 456));
        QCOMPARE(child(&page, QStringLiteral("TitleButton_3"))->pos(), QPoint(40, 463));
        QCOMPARE(sends(), 0);
    }

    // The shipped third model: six levels of one range, the reduced layout.
    void drive3AsShipped()
    {
        QVERIFY(selectMouse(1, 2));
        Sensor page;
        shownAndVisible(&page);
        QVERIFY(showRecord(recordWith([](FlashDataMap &r) { r.DpiStageCount = 6; })));
        PageParts parts(page);
        QCOMPARE(DpiEditorHost::countBox(parts.editor)->count(), 6);
        QCOMPARE(DpiEditorHost::slider(parts.editor)->maximum(), 12000);
        QVERIFY(child(&page, QStringLiteral("ModelChoose"))->isHidden());
        ZR35_SAVE_SCREEN(&page, "sensor-page-Drive3");
        QCOMPARE(sends(), 0);
    }

    void fewerLevelsThanTheEditorHas()
    {
        QVERIFY(selectMouse());
        ModelGroup model(modelKeys("OPT5100", 6));
        Sensor page;
        const FlashDataMap record = recordWith([](FlashDataMap &r) {
            r.DpiStageCount = 4;
            r.CurrentDpiStage = 2;
        });
        QVERIFY(showRecord(record));
        SensorDPI *editor = PageParts(page).editor;
        QCOMPARE(DpiEditorHost::countBox(editor)->count(), 6);
        QCOMPARE(DpiEditorHost::countBox(editor)->currentIndex(), 3);
        for (int i = 0; i < 8; ++i)
            QCOMPARE(!DpiEditorHost::levelButton(editor, i)->isHidden(), i < 4);
        QCOMPARE(DpiEditorHost::marker(editor)->pos(), QPoint(209, 154));
        QVERIFY(DpiEditorHost::levelButton(editor, 2)->isChecked());
        const int third = DpiEditorHost::stageDpi(record.DpiStages[2]);
        QCOMPARE(DpiEditorHost::slider(editor)->value(), third);
        QCOMPARE(DpiEditorHost::valueBox(editor)->value(), third);
        QCOMPARE(editor->GetLevelCount(), 4);
        QCOMPARE(editor->GetCurrentLevel(), 2);
        QCOMPARE(sends(), 0);
    }

    // A model or record naming more levels than the eight the editor has: counted as eight, and
    // a current level beyond them marks and selects none. The sanitizers watch the indexing.
    void moreLevelsThanTheEditorHas_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("stage");
        QTest::addColumn<int>("shownCount");
        QTest::newRow("count 12, stage 9") << 12 << 9 << 8;
        QTest::newRow("count 0, stage 255") << 0 << 255 << 1;
        QTest::newRow("count 9, stage 8") << 9 << 8 << 8;
    }
    void moreLevelsThanTheEditorHas()
    {
        QFETCH(int, count);
        QFETCH(int, stage);
        QFETCH(int, shownCount);
        QVERIFY(selectMouse());
        ModelGroup model(modelKeys("OPT5100", 12));
        Sensor page;
        QVERIFY(showRecord(recordWith([](FlashDataMap &r) { r.CurrentDpiStage = 4; })));
        QVERIFY(showRecord(recordWith([count, stage](FlashDataMap &r) {
            r.DpiStageCount = quint8(count);
            r.CurrentDpiStage = quint8(stage);
        })));
        SensorDPI *editor = PageParts(page).editor;
        QCOMPARE(DpiEditorHost::countBox(editor)->count(), 8);
        QCOMPARE(DpiEditorHost::countBox(editor)->currentIndex(), shownCount - 1);
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(!DpiEditorHost::levelButton(editor, i)->isHidden(), i < shownCount);
            QVERIFY(!DpiEditorHost::levelBar(editor, i)->styleSheet().contains("MaxB.png"));
        }
        QCOMPARE(editor->GetCurrentLevel(), -1);
        QCOMPARE(editor->GetLevelCount(), shownCount);
        QCOMPARE(sends(), 0);
    }

    void unknownDurationKeepsTheItem()
    {
        QVERIFY(selectMouse());
        Sensor page;
        PageParts parts(page);
        QVERIFY(showRecord(recordWith([](FlashDataMap &r) { r.PerformanceTime = 30; })));
        QCOMPARE(parts.duration->currentIndex(), 3);
        QVERIFY(showRecord(recordWith([](FlashDataMap &r) { r.PerformanceTime = 15; })));
        QCOMPARE(parts.duration->currentIndex(), 3);
        QCOMPARE(sends(), 0);
    }

    // --- The reset and the device's reports ---

    void resetShowsTheDefaults_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("mode");
        QTest::newRow("receiver") << 1 << 0;
        QTest::newRow("cable") << 2 << 2;
    }
    void resetShowsTheDefaults()
    {
        QFETCH(int, kind);
        QFETCH(int, mode);
        QVERIFY(selectMouse(kind));
        Sensor page;
        QVERIFY(showRecord(recordWith([](FlashDataMap &r) {
            r.CurrentDpiStage = 5;
            r.ReportRate = 2;
            r.SensorMode = 1;
            r.PerformanceMode = 1;
            r.RippleControl = 1;
            r.DpiLightOn = 1;
            r.DpiLightMode = 2;
        })));
        QVERIFY(fromDevice([] { emit hub()->SigFormReset(); }));

        PageParts parts(page);
        SensorDPI *editor = parts.editor;
        QCOMPARE(DpiEditorHost::countBox(editor)->count(), 7);
        QCOMPARE(DpiEditorHost::countBox(editor)->currentIndex(), 6);
        for (int i = 0; i < 8; ++i)
            QCOMPARE(!DpiEditorHost::levelButton(editor, i)->isHidden(), i < 7);
        QVERIFY(DpiEditorHost::levelButton(editor, 1)->isChecked());
        QCOMPARE(DpiEditorHost::levelButton(editor, 1)->text(), QStringLiteral("800"));
        QCOMPARE(DpiEditorHost::marker(editor)->pos(), QPoint(118, 154));
        MySlider *slider = DpiEditorHost::slider(editor);
        QCOMPARE(slider->minimum(), 50);
        QCOMPARE(slider->maximum(), 12000);
        QCOMPARE(slider->value(), 800);
        QCOMPARE(DpiEditorHost::valueBox(editor)->value(), 800);
        QCOMPARE(checkedRate(parts.rate), 3);
        QCOMPARE(parts.mode->currentIndex(), mode);
        QCOMPARE(parts.lod->currentText(), QStringLiteral("1mm"));
        QVERIFY(!parts.performance->isChecked());
        QVERIFY(!parts.duration->isEnabled());
        QCOMPARE(parts.duration->currentIndex(), 1);
        QCOMPARE(parts.lightMode->currentIndex(), 0);
        QCOMPARE(parts.slider("SpeedH"), 3);
        QCOMPARE(parts.slider("LightH"), 5);
        QVERIFY(parts.toggleOn(page, "frame_3"));
        QVERIFY(!parts.toggleOn(page, "frame_4"));
        QVERIFY(!parts.toggleOn(page, "frame"));
        QCOMPARE(state().SensorFilling.load(), quint8(0));
        QCOMPARE(sends(), 0);
    }

    // The mouse switched its level with its DPI button: shown, not written back.
    void reportedLevelIsShown()
    {
        QVERIFY(selectMouse());
        Sensor page;
        QVERIFY(showRecord(stored()));
        QVERIFY(fromDevice([] { emit hub()->SigUpDataDPI(5); }));
        SensorDPI *editor = PageParts(page).editor;
        QCOMPARE(DpiEditorHost::marker(editor)->pos(), QPoint(483, 154));
        QVERIFY(DpiEditorHost::levelButton(editor, 5)->isChecked());
        QCOMPARE(editor->GetCurrentLevel(), 5);
        QCOMPARE(state().WriteEnabled.load(), quint8(1));
        // A level beyond the editor's selects nothing.
        QVERIFY(fromDevice([] { emit hub()->SigUpDataDPI(9); }));
        QCOMPARE(editor->GetCurrentLevel(), 5);
        QCOMPARE(sends(), 0);
    }

    // The DPI light as the mouse reports it: an unknown brightness shows as the slider's end, a
    // speed beyond five as five; neither goes back to the mouse.
    void reportedLightIsShownNotWritten_data()
    {
        QTest::addColumn<int>("on");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("brightness");
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("shownMode");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("shownSpeed");
        QTest::newRow("steady, brightness 77") << 1 << 1 << 77 << 9 << 1 << 10 << 5;
        QTest::newRow("breathing at 150") << 1 << 2 << 150 << 2 << 2 << 6 << 2;
        QTest::newRow("off") << 0 << 2 << 30 << 1 << 0 << 2 << 1;
        QTest::newRow("unknown mode keeps the list") << 1 << 7 << 16 << 3 << 2 << 1 << 3;
    }
    void reportedLightIsShownNotWritten()
    {
        QFETCH(int, on);
        QFETCH(int, mode);
        QFETCH(int, brightness);
        QFETCH(int, speed);
        QFETCH(int, shownMode);
        QFETCH(int, step);
        QFETCH(int, shownSpeed);
        QVERIFY(selectMouse());
        Sensor page;
        QVERIFY(showRecord(recordWith([](FlashDataMap &r) {
            r.DpiLightOn = 1;
            r.DpiLightMode = 2;
        })));
        const FlashDataMap record = recordWith([&](FlashDataMap &r) {
            r.DpiLightOn = quint8(on);
            r.DpiLightMode = quint8(mode);
            r.DpiLightBrightness = quint8(brightness);
            r.DpiLightSpeed = quint8(speed);
        });
        QVERIFY(fromDevice([record] { emit hub()->SigUpDataDPILed(record); }));
        PageParts parts(page);
        QCOMPARE(parts.lightMode->currentIndex(), shownMode);
        QCOMPARE(parts.slider("LightH"), step);
        QCOMPARE(parts.slider("SpeedH"), shownSpeed);
        QCOMPARE(sends(), 0);
        QCOMPARE(state().SensorFilling.load(), quint8(0));
    }

    // The mouse reported a new rate: up to 1000 Hz the stored mode comes back to the list, above
    // it "Corded" is fixed. A stored mode the list does not have shows as none and is not written.
    void reportedRateMovesTheMode_data()
    {
        QTest::addColumn<int>("storedMode");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("item");
        QTest::addColumn<bool>("choosable");
        QTest::newRow("500 Hz, mode HP") << 1 << 2 << 2 << 1 << true;
        QTest::newRow("500 Hz, stored mode 5") << 5 << 2 << 2 << -1 << true;
        QTest::newRow("4000 Hz") << 1 << 32 << 5 << 2 << false;
        QTest::newRow("unknown code") << 1 << 3 << 4 << 2 << false;
    }
    void reportedRateMovesTheMode()
    {
        QFETCH(int, storedMode);
        QFETCH(int, code);
        QFETCH(int, button);
        QFETCH(int, item);
        QFETCH(bool, choosable);
        QVERIFY(selectMouse());
        Sensor page;
        QVERIFY(showRecord(recordWith([](FlashDataMap &r) { r.ReportRate = 16; })));
        state().CurrentFlashData.with([storedMode](FlashDataMap &r) { r.SensorMode = storedMode; });
        SimulationControl::clearLog();
        QVERIFY(fromDevice([code] { emit hub()->SigUpDataReportRate(code); }));
        PageParts parts(page);
        QCOMPARE(checkedRate(parts.rate), button);
        QCOMPARE(parts.mode->currentIndex(), item);
        QCOMPARE(parts.mode->isEnabled(), choosable);
        QCOMPARE(parts.cordedRowHidden(), choosable);
        QCOMPARE(sends(), 0);
    }

    // The user's own rate click: above 1000 Hz the mode is fixed to "Corded"; back at or below
    // 1000 Hz the stored mode returns and is written again.
    void clickedRateMovesTheMode()
    {
        QVERIFY(selectMouse());
        Sensor page;
        QVERIFY(showRecord(recordWith([](FlashDataMap &r) {
            r.ReportRate = 1;
            r.SensorMode = 1;
        })));
        state().CurrentFlashData.with([](FlashDataMap &r) { r.SensorMode = 1; });
        PageParts parts(page);
        QTest::mouseClick(rateButton(parts.rate, 4), Qt::LeftButton);
        QCOMPARE(int(stored().ReportRate), 16);
        QCOMPARE(parts.mode->currentIndex(), 2);
        QVERIFY(!parts.mode->isEnabled());
        QVERIFY(!parts.cordedRowHidden());
        QTest::mouseClick(rateButton(parts.rate, 2), Qt::LeftButton);
        QCOMPARE(int(stored().ReportRate), 2);
        QCOMPARE(parts.mode->currentIndex(), 1);
        QVERIFY(parts.mode->isEnabled());
        QVERIFY(parts.cordedRowHidden());
        // The two rates, and the mode that came back.
        QCOMPARE(sends(), 3);
        QCOMPARE(int(stored().SensorMode), 1);
    }
};

ZR35_TEST_MAIN(TestSensorFill)
#include "tst_sensorfill.moc"
