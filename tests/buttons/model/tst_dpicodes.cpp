#include "buttons/model/dpicodes.h"
#include "sensor/model/sensorheader.h"
#include "tests/support/testmain.h"

#include <QBuffer>

namespace {

SensorDefines headerOf(const QByteArray &text)
{
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly | QIODevice::Text);
    return ReadSensorHeader(&buffer);
}

} // namespace

// DPI-lock codes: a DPI value becomes the sensor's register code and a stored code reads back as
// the DPI the row shows.
class TestDpiCodes : public QObject
{
    Q_OBJECT
private slots:
    void conversions_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QString>("sensor");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("codeBack"); // what `code` reads back as

        // Without a table the codes count in steps of 50 DPI from 50.
        QTest::newRow("no header, 400") << QByteArray() << "3395" << 400 << 7 << 400;
        QTest::newRow("no header, 1200") << QByteArray() << "3395" << 1200 << 23 << 1200;
        QTest::newRow("no header, 50") << QByteArray() << "3395" << 50 << 0 << 50;
        QTest::newRow("another chip's table")
            << QByteArray("#define SENSOR_3950_DPI_400\t0x12\n") << "3395" << 400 << 7 << 400;
        const QByteArray table("#define SENSOR_3395_DPI_400\t0x12\n"
                               "#define SENSOR_3395_DPI_800\t0x20\n");
        QTest::newRow("table entry") << table << "3395" << 400 << 0x12 << 400;
        QTest::newRow("second entry") << table << "3395" << 800 << 0x20 << 800;
        // A chip with a table but without the value stores the plain quotient, which no entry
        // holds: it reads back as 0.
        QTest::newRow("value missing from the table") << table << "3395" << 1100 << 22 << 0;
        QTest::newRow("last line without its line end is not taken")
            << QByteArray("#define SENSOR_3395_DPI_400\t0x12") << "3395" << 400 << 7 << 400;
        QTest::newRow("commented form reads decimal")
            << QByteArray("#define SENSOR_3395_DPI_400\t18 //x\n") << "3395" << 400 << 18 << 400;
        QTest::newRow("capital X is not hexadecimal")
            << QByteArray("#define SENSOR_3395_DPI_400\t0X12\n") << "3395" << 400 << 0 << 400;
        QTest::newRow("first of two equal names")
            << QByteArray("#define SENSOR_3395_DPI_400\t5\n#define SENSOR_3395_DPI_400\t9\n")
            << "3395" << 400 << 5 << 400;
        QTest::newRow("first entry holding the code")
            << QByteArray("#define SENSOR_3395_DPI_400\t5\n#define SENSOR_3395_DPI_450\t5\n")
            << "3395" << 450 << 5 << 400;
        // The value follows the chip's own prefix, whatever letters the chip's name holds.
        const QByteArray capitalI("#define SENSOR_PIXART_DPI_800\t0x20\n"
                                  "#define SENSOR_PIXART_DPI_1600\t0x40\n");
        QTest::newRow("chip name holding I") << capitalI << "PIXART" << 800 << 0x20 << 800;
        QTest::newRow("chip name holding I, 1600") << capitalI << "PIXART" << 1600 << 0x40 << 1600;
        QTest::newRow("chip name with digits after I")
            << QByteArray("#define SENSOR_I5_DPI_400\t3\n") << "I5" << 400 << 3 << 400;
    }
    void conversions()
    {
        QFETCH(QByteArray, header);
        QFETCH(QString, sensor);
        QFETCH(int, dpi);
        QFETCH(int, code);
        QFETCH(int, codeBack);
        const SensorDefines defines = headerOf(header);
        QCOMPARE(DpiToCode(dpi, sensor, defines.DefineNames, defines.DefineValues), code);
        QCOMPARE(CodeToDpi(code, sensor, defines.DefineNames, defines.DefineValues), codeBack);
    }

    // The page converts whatever a damaged record holds; the fallback must not overflow.
    void extremeCodesStayInRange()
    {
        QCOMPARE(CodeToDpi(INT_MAX, QString(), {}, {}), INT_MAX);
        QCOMPARE(CodeToDpi(INT_MIN, QString(), {}, {}), INT_MIN);
        QCOMPARE(DpiToCode(INT_MIN, QString(), {}, {}), INT_MIN / 50 - 1);
    }
};

ZR35_TEST_MAIN(TestDpiCodes)
#include "tst_dpicodes.moc"
