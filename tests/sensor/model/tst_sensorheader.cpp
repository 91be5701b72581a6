#include "platform/appdir.h"
#include "sensor/model/sensorheader.h"
#include "tests/support/testmain.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <unistd.h>

namespace {

struct Entry
{
    QString name;
    int value;
};

SensorDefines read(const QByteArray &text, QVector<SensorHeaderProblem> *problems = nullptr)
{
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly | QIODevice::Text);
    return ReadSensorHeader(&buffer, problems);
}

QVector<int> problemLines(const QVector<SensorHeaderProblem> &problems)
{
    QVector<int> lines;
    for (const SensorHeaderProblem &problem : problems)
        lines.append(problem.Line);
    return lines;
}

// Runs `work` with standard error going to a file, and returns what was written there.
template <typename Work>
QByteArray standardErrorOf(Work work)
{
    QTemporaryDir dir;
    const QByteArray path = dir.filePath(QStringLiteral("stderr.txt")).toLocal8Bit();
    std::fflush(stderr);
    const int saved = dup(2);
    FILE *file = std::fopen(path.constData(), "w");
    dup2(fileno(file), 2);
    work();
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    std::fclose(file);
    QFile written(QString::fromLocal8Bit(path));
    written.open(QIODevice::ReadOnly);
    return written.readAll();
}

} // namespace

Q_DECLARE_METATYPE(QVector<int>)

// The reader of driver_sensor.h: which lines give table entries and feature lists, which add
// nothing and are reported.
class TestSensorHeader : public QObject
{
    Q_OBJECT
private slots:
    void tableLines_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QVector<int>>("values");
        QTest::addColumn<QVector<int>>("reported");

        QTest::newRow("hexadecimal after a tab")
            << QByteArray("#define NAME\t0x1F\n") << QStringList{"NAME"} << QVector<int>{31}
            << QVector<int>{};
        QTest::newRow("decimal") << QByteArray("#define NAME\t31\n") << QStringList{"NAME"}
                                 << QVector<int>{31} << QVector<int>{};
        QTest::newRow("a blank instead of the tab")
            << QByteArray("#define NAME 0x1F\n") << QStringList{} << QVector<int>{}
            << QVector<int>{1};
        QTest::newRow("comment: its value is decimal only")
            << QByteArray("#define NAME\t0x1F //note\n#define OTHER\t12 //note\n")
            << QStringList{"NAME", "OTHER"} << QVector<int>{0, 12} << QVector<int>{};
        QTest::newRow("comment with a blank") << QByteArray("#define NAME\t0x1F //a note\n")
                                              << QStringList{} << QVector<int>{} << QVector<int>{1};
        QTest::newRow("last line without a line break")
            << QByteArray("#define A\t1\n#define B\t2") << QStringList{"A"} << QVector<int>{1}
            << QVector<int>{2};
        QTest::newRow("CR LF line ends")
            << QByteArray("#define A\t0x10\r\n#define B\t7\r\n") << QStringList{"A", "B"}
            << QVector<int>{16, 7} << QVector<int>{};
        QTest::newRow("beyond a signed 32-bit integer")
            << QByteArray("#define H\t0x80000000\n#define D\t2147483648\n#define M\t2147483647\n")
            << QStringList{"H", "D", "M"} << QVector<int>{0, 0, 2147483647} << QVector<int>{};
        QTest::newRow("not a number")
            << QByteArray("#define N\tabc\n#define X\t0xZZ\n") << QStringList{"N", "X"}
            << QVector<int>{0, 0} << QVector<int>{};
        QTest::newRow("no tab between name and value")
            << QByteArray("#define NAME\n#define\tNAME\t5\n") << QStringList{} << QVector<int>{}
            << QVector<int>{1, 2};
        QTest::newRow("more than a value after the name")
            << QByteArray("#define N\t5\tx\n") << QStringList{} << QVector<int>{}
            << QVector<int>{1};
        QTest::newRow("duplicates are all kept")
            << QByteArray("#define N\t1\n#define N\t2\n") << QStringList{"N", "N"}
            << QVector<int>{1, 2} << QVector<int>{};
        QTest::newRow("comments and blank lines are not reported")
            << QByteArray("// Register codes of the sensor\n\n  \n#ifndef X\n#define A\t3\n")
            << QStringList{"A"} << QVector<int>{3} << QVector<int>{};
        QTest::newRow("an empty file")
            << QByteArray() << QStringList{} << QVector<int>{} << QVector<int>{};
    }
    void tableLines()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, names);
        QFETCH(QVector<int>, values);
        QFETCH(QVector<int>, reported);
        QVector<SensorHeaderProblem> problems;
        const SensorDefines defines = read(text, &problems);
        QCOMPARE(QStringList(defines.DefineNames.toList()), names);
        QCOMPARE(defines.DefineValues, values);
        QCOMPARE(problemLines(problems), reported);
        for (const QString &list : defines.SensorFeatureLists)
            QVERIFY(list.isEmpty());
    }

    void featureLines_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("feature");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QVector<int>>("reported");
        QTest::newRow("lift-off") << QByteArray("#define SUPPORT_LOD_CAL\t3395,3950\n") << 1
                                  << "3395,3950" << QVector<int>{};
        QTest::newRow("a later line replaces the list")
            << QByteArray("#define SUPPORT_RIPPLE\tA\n#define SUPPORT_RIPPLE\tB,C\n") << 2 << "B,C"
            << QVector<int>{};
        QTest::newRow("the last line counts without a line break")
            << QByteArray("#define SUPPORT_MOUSEPAD_CAL\tOPT5100") << 5 << "OPT5100"
            << QVector<int>{};
        QTest::newRow("no tab before the chips")
            << QByteArray("#define SUPPORT_FIXLINE\n") << 3 << QString() << QVector<int>{1};
    }
    void featureLines()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, feature);
        QFETCH(QString, list);
        QFETCH(QVector<int>, reported);
        QVector<SensorHeaderProblem> problems;
        const SensorDefines defines = read(text, &problems);
        QVERIFY(defines.DefineNames.isEmpty());
        for (int k = 0; k < 6; ++k)
            QCOMPARE(defines.SensorFeatureLists.at(k), k == feature ? list : QString());
        QCOMPARE(problemLines(problems), reported);
    }

    void unusableLinesAreReportedWithTheirNumber()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("driver_sensor.h"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("// A header with one bad line\n#define GOOD\t1\n#define BAD 2\n");
        file.close();
        SensorDefines defines;
        const QByteArray report = standardErrorOf([&] { defines = LoadSensorHeader(path); });
        QCOMPARE(defines.DefineNames, QVector<QString>{QStringLiteral("GOOD")});
        // The full path: the user finds the file the message is about.
        QVERIFY2(report.startsWith(QFile::encodeName(path) + ":3: "), report.constData());
        QCOMPARE(report.count('\n'), 1);
    }

    void missingFileGivesEmptyTables()
    {
        const SensorDefines defines = LoadSensorHeader(QStringLiteral("/nonexistent/driver.h"));
        QVERIFY(defines == SensorDefines());
    }

    void shippedHeader()
    {
        QVector<SensorHeaderProblem> problems;
        QFile file(SensorHeader::FilePath());
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        const SensorDefines defines = ReadSensorHeader(&file, &problems);
        QVERIFY(problems.isEmpty());

        const QString both = QStringLiteral("OPT5100,OPT3300");
        const QString first = QStringLiteral("OPT5100");
        QCOMPARE(defines.SensorFeatureLists,
                 (QVector<QString>{both, both, first, both, both, first}));

        QCOMPARE(defines.DefineNames.size(), 241);
        QCOMPARE(defines.DefineValues.size(), 241);
        for (int i = 0; i < 240; ++i) {
            const int dpi = 50 * (i + 1);
            QCOMPARE(defines.DefineNames.at(i), QStringLiteral("SENSOR_OPT5100_DPI_%1").arg(dpi));
            QCOMPARE(defines.DefineValues.at(i), dpi / 50 - 1);
        }
        QCOMPARE(defines.DefineNames.last(), QStringLiteral("SENSOR_OPT5100_DPI_12800"));
        QCOMPARE(defines.DefineValues.last(), 0x100);

        // Read once more: the same tables.
        QVERIFY(LoadSensorHeader() == defines);
    }

    void shippedHeaderIsWrittenAsTheFormatAsks()
    {
        QFile file(SensorHeader::FilePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(!bytes.contains('\r'));
        QVERIFY(bytes.endsWith('\n'));
        for (const QByteArray &line : bytes.split('\n')) {
            // Comments stand on lines of their own, of at least four words.
            if (line.startsWith("//"))
                QVERIFY2(line.simplified().split(' ').size() >= 4, line.constData());
        }
    }
};

ZR35_TEST_MAIN(TestSensorHeader)
#include "tst_sensorheader.moc"
