#include "core/configini.h"
#include "core/devicestate.h"
#include "core/postmsg.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "sensor/model/dpicodec.h"
#include "sensor/model/sensorheader.h"
#include "tests/linksupport/linkfixture.h"
#include "tests/support/testmain.h"

#include <QBuffer>
#include <QSignalSpy>

#include <climits>

namespace {

QStringList list(const char *text)
{
    return QString::fromLatin1(text).split(QLatin1Char(','), Qt::SkipEmptyParts);
}

// A model of a chip with its DPIRange and, when given, a header text.
SensorModel model(const QString &chip, const char *dpiRange, const QByteArray &header = {})
{
    SensorModel m;
    m.SensorChip = chip;
    m.DpiRangeTable.Load(list(dpiRange));
    if (!header.isEmpty()) {
        QBuffer buffer;
        buffer.setData(header);
        buffer.open(QIODevice::ReadOnly | QIODevice::Text);
        const SensorDefines defines = ReadSensorHeader(&buffer);
        m.DefineNames = defines.DefineNames;
        m.DefineValues = defines.DefineValues;
    }
    return m;
}

QByteArray shippedHeader()
{
    QFile file(SensorHeader::FilePath());
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// A table with gaps: only 400, 800 and 1600 DPI, and 3200 with a code that is not a byte.
const QByteArray GapTable =
    "#define SENSOR_GAP_DPI_400\t0x10\n#define SENSOR_GAP_DPI_800\t0x20\n"
    "#define SENSOR_GAP_DPI_1600\t0x40\n#define SENSOR_GAP_DPI_3200\t0x1FF\n";

} // namespace

Q_DECLARE_METATYPE(SensorModel)
Q_DECLARE_METATYPE(QVector<int>)

// The DPI ranges, the snapping and stepping over them, and the DPI codec.
class TestDpiCodec : public QObject
{
    Q_OBJECT
private slots:
    void rangesLoad_data()
    {
        QTest::addColumn<QString>("dpiRange");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("count");
        QTest::addColumn<QVector<int>>("mins");
        QTest::addColumn<QVector<int>>("maxs");
        QTest::addColumn<QString>("minText");
        QTest::addColumn<QString>("maxText");
        QTest::newRow("two ranges") << "50,12000,50,12100,26000,100,22" << 0x22 << 2
                                    << QVector<int>{50, 12100} << QVector<int>{12000, 26000} << "50"
                                    << "26000";
        QTest::newRow("four ranges") << "50,10000,50,10100,20000,100,20100,30000,100,30200,"
                                        "40000,200,33"
                                     << 0x33 << 4 << QVector<int>{50, 10100, 20100, 30200}
                                     << QVector<int>{10000, 20000, 30000, 40000} << "50"
                                     << "40000";
        QTest::newRow("one range")
            << "100,8000,100,0x11" << 0x11 << 1 << QVector<int>{100} << QVector<int>{8000} << "100"
            << "8000";
        QTest::newRow("malformed numbers read 0")
            << "x,12000,50,zz" << 0 << 1 << QVector<int>{0} << QVector<int>{12000} << "x"
            << "12000";
        // Without usable ranges the slider keeps the bounds it had.
        QTest::newRow("no triple") << "22" << 0x22 << 0 << QVector<int>{} << QVector<int>{} << "10"
                                   << "20";
        QTest::newRow("five ranges") << "1,2,1,3,4,1,5,6,1,7,8,1,9,10,1,22" << 0x22 << 5
                                     << QVector<int>{} << QVector<int>{} << "10"
                                     << "20";
        QTest::newRow("missing key") << "" << 0 << 0 << QVector<int>{} << QVector<int>{} << "10"
                                     << "20";
    }
    void rangesLoad()
    {
        QFETCH(QString, dpiRange);
        QFETCH(int, mode);
        QFETCH(int, count);
        QFETCH(QVector<int>, mins);
        QFETCH(QVector<int>, maxs);
        QFETCH(QString, minText);
        QFETCH(QString, maxText);
        DpiRanges ranges;
        ranges.DpiMinText = QStringLiteral("10");
        ranges.DpiMaxText = QStringLiteral("20");
        ranges.Load(list(dpiRange.toLatin1().constData()));
        QCOMPARE(ranges.DpiRangeMode, mode);
        QCOMPARE(ranges.DpiRangeCount, count);
        QCOMPARE(ranges.DpiRangeMins, mins);
        QCOMPARE(ranges.DpiRangeMaxs, maxs);
        QCOMPARE(ranges.DpiMinText, minText);
        QCOMPARE(ranges.DpiMaxText, maxText);
    }

    void snapAndSteps_data()
    {
        QTest::addColumn<QString>("dpiRange");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("snapped");
        QTest::addColumn<int>("pageStep"); // 0: left as it was (7)
        QTest::addColumn<int>("plus");
        QTest::addColumn<int>("minus");
        const QString one = QStringLiteral("50,26000,50,22");
        const QString gap = QStringLiteral("50,10000,50,10100,26000,100,22");
        const QString touching = QStringLiteral("50,10000,50,10000,26000,100,22");
        QTest::newRow("one range") << one << 1234 << 1200 << 50 << 1284 << 1184;
        QTest::newRow("gap: inside it") << gap << 10050 << 10100 << 100 << 10100 << 10100;
        QTest::newRow("gap: first maximum") << gap << 10000 << 10000 << 50 << 10100 << 9950;
        QTest::newRow("gap: second minimum") << gap << 10100 << 10100 << 100 << 10200 << 10000;
        QTest::newRow("gap: below the first maximum") << gap << 9950 << 9950 << 50 << 10000 << 9900;
        QTest::newRow("gap: second range") << gap << 12345 << 12300 << 100 << 12445 << 12245;
        QTest::newRow("touching: shared edge") << touching << 10000 << 10000 << 50 << 10100 << 9950;
        QTest::newRow("touching: second range")
            << touching << 10100 << 10100 << 100 << 10200 << 10000;
        QTest::newRow("below every range") << gap << 20 << 20 << 0 << 20 << 20;
        QTest::newRow("above every range") << gap << 30000 << 30000 << 0 << 30000 << 30000;
        QTest::newRow("last maximum") << gap << 26000 << 26000 << 100 << 26100 << 25900;
        QTest::newRow("no usable range") << "22" << 1234 << 1234 << 0 << 1234 << 1234;
        QTest::newRow("a step of 0") << "50,1000,0,22" << 777 << 777 << 0 << 777 << 777;
        QTest::newRow("a huge step")
            << "0,2147483647,2147483647,22" << 100 << 0 << INT_MAX << INT_MAX << -2147483547;
        QTest::newRow("four ranges: third")
            << "50,10000,50,10100,20000,100,20200,30000,200,30400,40000,400,33" << 20150 << 20200
            << 200 << 20200 << 20200;
    }
    void snapAndSteps()
    {
        QFETCH(QString, dpiRange);
        QFETCH(int, value);
        QFETCH(int, snapped);
        QFETCH(int, pageStep);
        QFETCH(int, plus);
        QFETCH(int, minus);
        DpiRanges ranges;
        ranges.Load(list(dpiRange.toLatin1().constData()));
        int step = 7;
        QCOMPARE(SnapDpi(value, ranges, &step), snapped);
        QCOMPARE(step, pageStep == 0 ? 7 : pageStep);
        QCOMPARE(StepDpiUp(value, ranges), plus);
        QCOMPARE(StepDpiDown(value, ranges), minus);
    }

    void encode_data()
    {
        QTest::addColumn<SensorModel>("sensor");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("codeX");
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("shown");
        const char *twoRanges = "50,12000,50,12100,26000,100,22";
        const char *fourRanges = "50,10000,50,10100,20000,100,20100,30000,100,30200,40000,200,33";
        const SensorModel plain = model(QStringLiteral("PLAIN"), twoRanges);
        const SensorModel packing = model(QStringLiteral("3395"), twoRanges);
        const SensorModel quad = model(QStringLiteral("PLAIN"), fourRanges);
        const SensorModel shipped =
            model(QStringLiteral("OPT5100"), "50,12000,50,12100,24000,100,22", shippedHeader());
        const SensorModel gaps = model(QStringLiteral("GAP"), "50,12000,50,22", GapTable);

        // The worked examples.
        QTest::newRow("no table, first range") << plain << 800 << 0x0F << 0x00 << 800;
        QTest::newRow("no table, second range") << plain << 20000 << 0xC7 << 0x22 << 20000;
        QTest::newRow("3395, first range") << packing << 12000 << 0xEF << 0x00 << 12000;
        QTest::newRow("3395, high bits in the flags") << packing << 26000 << 0x03 << 0x66 << 26000;
        QTest::newRow("0x33, second range") << quad << 15000 << 0x95 << 0x22 << 15000;
        QTest::newRow("0x33, third range") << quad << 25000 << 0xF9 << 0x11 << 25000;
        QTest::newRow("0x33, fourth range") << quad << 35000 << 0xAE << 0x33 << 35000;
        // Range edges.
        QTest::newRow("first maximum: factor 1") << plain << 12000 << 0xEF << 0x00 << 12000;
        QTest::newRow("one more: factor 2") << plain << 12001 << 0x77 << 0x22 << 12000;
        QTest::newRow("0x33, a minimum belongs to its range")
            << quad << 10100 << 0x64 << 0x22 << 10100;
        QTest::newRow("0x33, below the first minimum")
            << model(QStringLiteral("PLAIN"), "100,10000,50,10100,20000,100,33") << 50 << 0x00
            << 0x00 << 50;
        // The shipped header.
        QTest::newRow("shipped, 20000") << shipped << 20000 << 0xC7 << 0x22 << 20000;
        QTest::newRow("shipped, first maximum") << shipped << 12000 << 0xEF << 0x00 << 12000;
        QTest::newRow("shipped, second minimum") << shipped << 12100 << 0x78 << 0x22 << 12100;
        QTest::newRow("shipped, 12800 has no byte code")
            << model(QStringLiteral("OPT5100"), "50,12800,50,0", shippedHeader()) << 12800 << 0xEF
            << 0x00 << 12000;
        QTest::newRow("shipped, no ranges: factor 1")
            << model(QStringLiteral("OPT5100"), "22", shippedHeader()) << 20000 << 0xEF << 0x00
            << 12000;
        // A table with gaps: the nearest entry, the lower of two as near.
        QTest::newRow("gaps, an entry") << gaps << 800 << 0x20 << 0x00 << 800;
        QTest::newRow("gaps, nearest") << gaps << 1000 << 0x20 << 0x00 << 800;
        QTest::newRow("gaps, a tie goes lower") << gaps << 1200 << 0x20 << 0x00 << 800;
        QTest::newRow("gaps, above the middle") << gaps << 1300 << 0x40 << 0x00 << 1600;
        QTest::newRow("gaps, a code beyond a byte is no entry")
            << gaps << 3200 << 0x40 << 0x00 << 1600;
        QTest::newRow("3395 with a table: no high bits")
            << model(QStringLiteral("3395"), twoRanges, "#define SENSOR_3395_DPI_13000\t10\n")
            << 26000 << 0x0A << 0x22 << 26000;
    }
    void encode()
    {
        QFETCH(SensorModel, sensor);
        QFETCH(int, dpi);
        QFETCH(int, codeX);
        QFETCH(int, flags);
        QFETCH(int, shown);
        const DpiEncoding encoding = EncodeDpi(dpi, sensor);
        QVERIFY(encoding.Valid);
        QCOMPARE(encoding.CodeX, codeX);
        QCOMPARE(encoding.Flags, flags);
        QCOMPARE(encoding.Dpi, shown);
        QCOMPARE(DecodeDpi(codeX, flags, sensor), shown);
    }

    void valuesThatCannotBeStored()
    {
        // A table without a single byte code, and a value below a chip's first code.
        QVERIFY(!EncodeDpi(800, model(QStringLiteral("T"), "50,12000,50,22",
                                      "#define SENSOR_T_DPI_800\t0x100\n"))
                     .Valid);
        QVERIFY(!EncodeDpi(40, model(QStringLiteral("PLAIN"), "50,12000,50,22")).Valid);
    }

    void decode_data()
    {
        QTest::addColumn<SensorModel>("sensor");
        QTest::addColumn<int>("codeX");
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("dpi");
        const SensorModel shipped =
            model(QStringLiteral("OPT5100"), "50,12000,50,12100,24000,100,22", shippedHeader());
        QTest::newRow("a code no entry has") << shipped << 0xF0 << 0x00 << 0;
        // The simulated mouse stores 24000 as 479 with its high byte in Flags.
        QTest::newRow("a factory stage above a byte") << shipped << 0xDF << 0x01 << 22400;
        QTest::newRow("a code beyond a byte never decodes")
            << model(QStringLiteral("T"), "50,12000,50,22", "#define SENSOR_T_DPI_100\t0x100\n")
            << 0x00 << 0x00 << 0;
        QTest::newRow("no table, 0x22 steps of 100")
            << model(QStringLiteral("PLAIN"), "22") << 0x00 << 0x22 << 100;
        QTest::newRow("a value beyond an int reads 0")
            << model(QStringLiteral("T"), "22", "#define SENSOR_T_DPI_2000000000\t5\n") << 5 << 0x33
            << 0;
    }
    void decode()
    {
        QFETCH(SensorModel, sensor);
        QFETCH(int, codeX);
        QFETCH(int, flags);
        QFETCH(int, dpi);
        QCOMPARE(DecodeDpi(codeX, flags, sensor), dpi);
    }

    // The simulated mice store each DPIGrade value as value / 50 - 1 with its high byte in Flags;
    // every value the shipped models name must read back as itself.
    void shippedGradesDecodeToThemselves()
    {
        const ConfigIni *config = ConfigIni::instance();
        const int models =
            config->intValue(QStringLiteral("Option"), QStringLiteral("DeviceTotal"));
        QVERIFY(models > 0);
        for (int n = 1; n <= models; ++n) {
            const QString group = QStringLiteral("Drive%1").arg(n);
            SensorModel sensor =
                model(config->value(group, QStringLiteral("Sensor")), "", shippedHeader());
            sensor.DpiRangeTable.Load(config->valueList(group, QStringLiteral("DPIRange")));
            for (const QString &grade : config->valueList(group, QStringLiteral("DPIGrade"))) {
                const int dpi = grade.toInt();
                const int code = dpi / 50 - 1;
                QCOMPARE(DecodeDpi(code & 0xFF, code >> 8, sensor), dpi);
                // And the editor stores it as a value it reads back the same.
                QCOMPARE(EncodeDpi(dpi, sensor).Dpi, dpi);
            }
        }
    }

    void setDpiValueWritesTheStage()
    {
        QVERIFY(LinkFixture::selectReceiverWithServer());
        SensorModel::instance() =
            model(QStringLiteral("OPT5100"), "50,12000,50,12100,24000,100,22", shippedHeader());
        SimulationControl::clearLog();
        QSignalSpy offline(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo);

        SetDPIValue(-1, 800);
        SetDPIValue(8, 800);
        QCOMPARE(LinkFixture::calls(QStringLiteral("ProtocolDataUpdate")), 0);

        SetDPIValue(2, 20000);
        QCOMPARE(LinkFixture::calls(QStringLiteral("ProtocolDataUpdate")), 1);
        const DpiStage stage = LinkFixture::storedRecord().DpiStages[2];
        QCOMPARE(int(stage.CodeX), 0xC7);
        QCOMPARE(int(stage.CodeY), 0xC7);
        QCOMPARE(int(stage.Flags), 0x22);
        QCOMPARE(DecodeDpiStage(stage.CodeX, stage.Flags), 20000);
        QCOMPARE(offline.count(), 0);
        UsbServer_Exit();
    }
};

ZR35_TEST_MAIN(TestDpiCodec)
#include "tst_dpicodec.moc"
