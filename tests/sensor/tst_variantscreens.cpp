#include "core/devicestate.h"
#include "core/languageloader.h"
#include "core/languagetables.h"
#include "platform/appdir.h"
#include "platform/devicelib/devicelib.h"
#include "sensor/debouncetimeb.h"
#include "sensor/debouncetimec.h"
#include "sensor/model/sensorcodes.h"
#include "sensor/motionsyncb.h"
#include "sensor/rippecontrolb.h"
#include "sensor/sensordpib.h"
#include "sensor/sensoreffectb.h"
#include "sensor/sensorlodb.h"
#include "sensor/sensorrateb.h"
#include "sensor/sensortextentries.h"
#include "sensor/stopclosetimeb.h"
#include "sensor/straightlineb.h"
#include "tests/sensor/sensorbench.h"
#include "tests/sensor/variantbench.h"
#include "tests/support/picturecheck.h"
#include "tests/support/screens.h"
#include "tests/support/testmain.h"

#include <QLabel>
#include <QSpinBox>

#include <functional>

using namespace SensorBench;

namespace {

constexpr auto &state = State;

// The settings page's sleep-time entries, and the button page's debounce unit.
constexpr int FirstSleepEntry = 28;
constexpr int DebounceUnitEntry = 50;

const char *suffix(int language)
{
    return language == 0 ? "en" : "uk";
}

QString sensorText(int language, int entry)
{
    return SensorTexts.text(language, entry, QString());
}

// A panel on the device page's dark field, as a host shows it, saved as
// variant-<name>-<language>.png. The host grows with a panel that widened for its texts.
void saveOnField(QWidget *panel, const QString &name, int language)
{
    QWidget host;
    host.setObjectName(QStringLiteral("host"));
    host.setAttribute(Qt::WA_StyledBackground);
    host.setStyleSheet(QStringLiteral("#host{background-color: qlineargradient(x1:0, y1:0, "
                                      "x2:0, y2:1, stop:0 rgb(27,29,34), stop:1 rgb(21,23,27));}"));
    panel->setParent(&host);
    panel->move(12, 12);
    host.resize(panel->width() + 24, panel->height() + 24);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QVERIFY(missingPictures(&host).isEmpty());
    ZR35_SAVE_SCREEN(&host, QStringLiteral("variant-%1-%2").arg(name, suffix(language)));
    panel->setParent(nullptr);
}

// Every label of the panel's form shows its whole text.
void verifyTitlesFit(const QWidget *panel)
{
    for (const QLabel *label :
         panel->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (label->isHidden() || label->text().isEmpty())
            continue;
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                 qPrintable(label->objectName() + QStringLiteral(": ") + label->text()));
    }
}

} // namespace

// The panels' second layouts, filled from the simulated mouse's record and given their texts as
// a host would, drawn in both languages into the screens folder.
class TestVariantScreens : public QObject
{
    Q_OBJECT
private:
    FlashDataMap record;

private slots:
    void initTestCase()
    {
        ReloadLanguageFilesForTest(AppDir::filePath(QStringLiteral("Language")));
    }
    void init()
    {
        QVERIFY(selectMouse());
        record = stored();
    }
    void cleanup()
    {
        state().CurrentLanguage = 0;
        UsbServer_Exit();
    }

    void languages_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("English") << 0;
        QTest::newRow("Ukrainian") << 1;
    }

    // The sleep units are what is left of entries 0 and 5 without their numbers.
    void sleepEntriesCarryTheirNumbers_data() { languages_data(); }
    void sleepEntriesCarryTheirNumbers()
    {
        QFETCH(int, language);
        QVERIFY(FormSettingTexts.text(language, FirstSleepEntry, QString())
                    .contains(QLatin1String("10")));
        QVERIFY(FormSettingTexts.text(language, FirstSleepEntry + 5, QString())
                    .contains(QLatin1String("15")));
    }

    void toggles_data() { languages_data(); }
    void toggles()
    {
        QFETCH(int, language);
        RippeControlB ripple;
        StraightLineB straightLine;
        MotionSyncB motionSync;
        const struct
        {
            TogglePanel *panel;
            int title;
            bool on;
            const char *name;
        } toggles[] = {
            {&ripple, SensorText::RippleTitle, record.RippleControl != 0, "ripplecontrol"},
            {&straightLine, SensorText::StraightLineTitle, record.StraightLine != 0,
             "straightline"},
            {&motionSync, SensorText::MotionSyncTitle, record.MotionSync != 0, "motionsync"}};
        for (const auto &toggle : toggles) {
            asFilled([&] { toggle.panel->SetSwitch(toggle.on); });
            toggle.panel->SetTitle(sensorText(language, toggle.title));
            verifyTitlesFit(toggle.panel);
            saveOnField(toggle.panel, QLatin1String(toggle.name), language);
        }
    }

    void reportRate_data() { languages_data(); }
    void reportRate()
    {
        QFETCH(int, language);
        SensorRateB panel;
        asFilled([&] {
            panel.ShowHighRates(3);
            panel.SetRate(SensorCodes::RateIndex(record.ReportRate));
        });
        panel.SetTitle(sensorText(language, SensorText::RateTitle));
        verifyTitlesFit(&panel);
        saveOnField(&panel, QStringLiteral("reportrate"), language);
    }

    void liftOff_data() { languages_data(); }
    void liftOff()
    {
        QFETCH(int, language);
        SensorLODB panel;
        asFilled([&] {
            panel.AddShortDistance();
            panel.SetLod(record.Lod - 1);
        });
        panel.SetTitle(sensorText(language, SensorText::LodTitle));
        verifyTitlesFit(&panel);
        saveOnField(&panel, QStringLiteral("liftoff"), language);
    }

    void dpiLight_data() { languages_data(); }
    void dpiLight()
    {
        QFETCH(int, language);
        SensorEffectB panel;
        asFilled([&] {
            panel.ShowMode(record.DpiLightOn ? record.DpiLightMode : 0);
            panel.SetSpeed(record.DpiLightSpeed);
            panel.SetBrightness(SensorCodes::BrightnessStep(record.DpiLightBrightness));
        });
        panel.SetTitle(sensorText(language, SensorText::LightTitle));
        for (int mode = 0; mode < SensorCodes::LightModes; ++mode)
            panel.SetModeItemText(mode, sensorText(language, SensorText::FirstLightMode + mode));
        panel.SetSpeedTitle(sensorText(language, SensorText::SpeedTitle));
        panel.SetBrightnessTitle(sensorText(language, SensorText::BrightnessTitle));
        verifyTitlesFit(&panel);
        saveOnField(&panel, QStringLiteral("dpilight"), language);
    }

    void dpiEditor_data() { languages_data(); }
    void dpiEditor()
    {
        QFETCH(int, language);
        SensorDPIB panel;
        VariantBench::fillDpiEditor(&panel, record);
        panel.SetTitle(sensorText(language, SensorText::DpiTitle));
        verifyTitlesFit(&panel);
        saveOnField(&panel, QStringLiteral("dpieditor"), language);
    }

    void debounceAndSleep_data() { languages_data(); }
    void debounceAndSleep()
    {
        QFETCH(int, language);
        const QString debounceUnit =
            ButtoninterfaceTexts.text(language, DebounceUnitEntry, QString());
        QVERIFY(!debounceUnit.isEmpty());
        DebouncetimeB slider;
        DebouncetimeC steps;
        StopCloseTimeB sleep;
        for (int i = 0; i < SensorCodes::DebounceEntries; ++i) {
            slider.SetItemText(i, debounceUnit);
            steps.SetItemText(i, debounceUnit);
        }
        for (int i = 0; i < SensorCodes::SleepTimes; ++i)
            sleep.SetItemText(i, FormSettingTexts.text(language, FirstSleepEntry + i, QString()));
        slider.SetValue(record.DebounceTime);
        steps.SetValue(record.DebounceTime);
        sleep.SetIndex(SensorCodes::SleepIndex(record.SleepTime));
        QCOMPARE(sends(), 0);
        // The number and its unit read as the list's own entry for the time.
        QCOMPARE(sleep.findChild<QSpinBox *>()->text(),
                 FormSettingTexts.text(language,
                                       FirstSleepEntry + SensorCodes::SleepIndex(record.SleepTime),
                                       QString()));
        saveOnField(&slider, QStringLiteral("debounceslider"), language);
        saveOnField(&steps, QStringLiteral("debouncesteps"), language);
        saveOnField(&sleep, QStringLiteral("sleepslider"), language);
    }
};

ZR35_TEST_MAIN(TestVariantScreens)
#include "tst_variantscreens.moc"
