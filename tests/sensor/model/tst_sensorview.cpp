#include "sensor/model/sensorcodes.h"
#include "sensor/model/sensorview.h"
#include "tests/support/testmain.h"

namespace {

// A model whose chip has every feature, eight levels and one DPI range, stored as steps of 50.
SensorContext fullContext(int kind = 1)
{
    SensorContext context;
    context.Chip = QStringLiteral("OPT5100");
    context.MaxGrade = 8;
    context.Kind = kind;
    context.Wired = (kind & 0xFA) != 0;
    for (QString &list : context.FeatureLists)
        list = QStringLiteral("OPT5100,OPT3300");
    return context;
}

SensorModel plainModel()
{
    SensorModel model;
    model.DpiRangeTable.Load(QStringLiteral("50,12000,50,22").split(QLatin1Char(',')));
    return model;
}

FlashDataMap record()
{
    FlashDataMap r{};
    r.ReportRate = 1;
    r.DpiStageCount = 4;
    r.CurrentDpiStage = 1;
    r.Lod = 1;
    r.DpiLightOn = 1;
    r.DpiLightMode = 1;
    r.DpiLightBrightness = 128;
    r.DpiLightSpeed = 3;
    for (int i = 0; i < 8; ++i)
        r.DpiStages[i] = {quint8(8 * (i + 1) - 1), quint8(8 * (i + 1) - 1), 0, 10, 16, 255};
    return r;
}

} // namespace

// What the sensor page works out from a record before it touches a widget, and the code tables
// its panels share.
class TestSensorView : public QObject
{
    Q_OBJECT
private slots:
    void levelsStayWithinTheEditor_data()
    {
        QTest::addColumn<int>("maxGrade");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("stage");
        QTest::addColumn<int>("levels");
        QTest::addColumn<int>("shownCount");
        QTest::addColumn<int>("current");
        QTest::addColumn<bool>("valueKnown");
        QTest::newRow("as stored") << 8 << 4 << 1 << 8 << 4 << 1 << true;
        QTest::newRow("current beyond the count") << 8 << 4 << 6 << 8 << 4 << 6 << true;
        QTest::newRow("current beyond the model") << 6 << 8 << 7 << 6 << 8 << 7 << false;
        QTest::newRow("twelve levels, stage 9") << 12 << 12 << 9 << 8 << 8 << -1 << false;
        QTest::newRow("no count, stage 255") << 8 << 0 << 255 << 8 << 1 << -1 << false;
        QTest::newRow("no levels in the model") << 0 << 3 << 0 << 0 << 3 << 0 << false;
        QTest::newRow("negative grade") << -3 << 3 << 0 << 0 << 3 << 0 << false;
    }
    void levelsStayWithinTheEditor()
    {
        QFETCH(int, maxGrade);
        QFETCH(int, count);
        QFETCH(int, stage);
        QFETCH(int, levels);
        QFETCH(int, shownCount);
        QFETCH(int, current);
        QFETCH(bool, valueKnown);
        SensorContext context = fullContext();
        context.MaxGrade = maxGrade;
        FlashDataMap r = record();
        r.DpiStageCount = quint8(count);
        r.CurrentDpiStage = quint8(stage);
        const SensorView view = PlanSensorFill(r, context, plainModel());
        QCOMPARE(view.Levels, levels);
        QCOMPARE(view.LevelCount, shownCount);
        QCOMPARE(view.CurrentLevel, current);
        QCOMPARE(view.SliderValueKnown, valueKnown);
        if (valueKnown)
            QCOMPARE(view.SliderValue, 400 * (current + 1));
    }

    void levelValuesAndColours()
    {
        const SensorView view = PlanSensorFill(record(), fullContext(), plainModel());
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(view.LevelValues[i], 400 * (i + 1));
            QCOMPARE(view.LevelColors[i], QStringLiteral("#0a10ff"));
        }
        QCOMPARE(view.SliderMinimum, 50);
        QCOMPARE(view.SliderMaximum, 12000);
    }

    void lightOfARecord_data()
    {
        QTest::addColumn<int>("on");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("brightness");
        QTest::addColumn<int>("shownMode");
        QTest::addColumn<int>("step");
        QTest::newRow("off keeps its effect hidden") << 0 << 2 << 30 << 0 << 2;
        QTest::newRow("steady at 255") << 1 << 1 << 255 << 1 << 10;
        QTest::newRow("breathing at 16") << 1 << 2 << 16 << 2 << 1;
        QTest::newRow("unknown mode, unknown brightness") << 1 << 9 << 77 << -1 << 77;
    }
    void lightOfARecord()
    {
        QFETCH(int, on);
        QFETCH(int, mode);
        QFETCH(int, brightness);
        QFETCH(int, shownMode);
        QFETCH(int, step);
        FlashDataMap r = record();
        r.DpiLightOn = quint8(on);
        r.DpiLightMode = quint8(mode);
        r.DpiLightBrightness = quint8(brightness);
        const SensorLightView light = PlanSensorLight(r);
        QCOMPARE(light.Mode, shownMode);
        QCOMPARE(light.Step, step);
    }

    // A model without a chip name has no feature: the empty name would be found in every list.
    void featuresNeedTheChipsName()
    {
        SensorContext context = fullContext();
        QVERIFY(context.Has(0));
        context.Chip.clear();
        for (int feature = 0; feature < 6; ++feature)
            QVERIFY(!context.Has(feature));
        const SensorView view = PlanSensorFill(record(), context, plainModel());
        QVERIFY(!view.ModeChoice);
        QVERIFY(!view.LodEnabled);
        QVERIFY(!view.RippleShown);
        QVERIFY(!view.StraightLineShown);
        // A name found inside a longer one counts: the lists are free text.
        context.Chip = QStringLiteral("OPT33");
        QVERIFY(context.Has(0));
    }

    void modeAfterARate_data()
    {
        QTest::addColumn<bool>("clicked"); // the user's click, or the device's report
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("rateOrHigh");
        QTest::addColumn<bool>("apply");
        QTest::addColumn<bool>("corded");
        QTest::addColumn<int>("item");
        QTest::newRow("report 500 Hz on a receiver") << false << 1 << 2 << true << false << 1;
        QTest::newRow("report 8000 Hz on a receiver") << false << 5 << 64 << true << true << 2;
        QTest::newRow("report on a cable") << false << 2 << 2 << false << false << -1;
        QTest::newRow("report of an unknown code") << false << 1 << 3 << false << false << -1;
        QTest::newRow("click up to 1000 Hz") << true << 0 << 0 << true << false << 1;
        QTest::newRow("click up to 1000 Hz on a cable") << true << 3 << 0 << false << false << -1;
        QTest::newRow("click above 1000 Hz, kind 4") << true << 4 << 1 << true << true << 2;
        QTest::newRow("click above 1000 Hz, kind 0") << true << 0 << 1 << false << false << -1;
        QTest::newRow("click of another value") << true << 1 << 2 << false << false << -1;
    }
    void modeAfterARate()
    {
        QFETCH(bool, clicked);
        QFETCH(int, kind);
        QFETCH(int, rateOrHigh);
        QFETCH(bool, apply);
        QFETCH(bool, corded);
        QFETCH(int, item);
        const SensorContext context = fullContext(kind);
        const SensorModeChange change = clicked ? ModeAfterRateClick(rateOrHigh, context, 1)
                                                : ModeAfterRateReport(rateOrHigh, context, 1);
        QCOMPARE(change.Apply, apply);
        QCOMPARE(change.Corded, corded);
        QCOMPARE(change.Item, item);
    }

    void codesBothWays()
    {
        for (int i = 0; i < SensorCodes::RateButtons; ++i)
            QCOMPARE(SensorCodes::RateIndex(SensorCodes::RateCode(i)), i);
        QCOMPARE(SensorCodes::RateIndex(0), -1);
        for (int step = 1; step <= 10; ++step)
            QCOMPARE(SensorCodes::BrightnessStep(SensorCodes::BrightnessCode(step)), step);
        QCOMPARE(SensorCodes::BrightnessCode(11), -1);
        for (int item = 0; item < SensorCodes::PerformanceItems; ++item)
            QCOMPARE(SensorCodes::PerformanceItem(SensorCodes::PerformanceTime(item)), item);
        for (int entry = 0; entry < SensorCodes::SleepTimes; ++entry)
            QCOMPARE(SensorCodes::SleepIndex(SensorCodes::SleepTime(entry)), entry);
        for (int value = 0; value < 3; ++value)
            QCOMPARE(SensorCodes::LodCode(SensorCodes::LodIndex(value, 3), 3), value + 1);
        QCOMPARE(SensorCodes::LodCode(-1, 2), -1);
        QCOMPARE(SensorCodes::LodCode(-1, 3), -1);
    }
};

ZR35_TEST_MAIN(TestSensorView)
#include "tst_sensorview.moc"
