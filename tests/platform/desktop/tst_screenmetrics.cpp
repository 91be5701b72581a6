#include "platform/desktop/screenmetrics.h"
#include "tests/support/testmain.h"

#include <QProcess>
#include <QScreen>
#include <QStandardPaths>

namespace {
// Sets (or, for a null value, removes) an environment variable for one scope.
class ScopedEnv
{
public:
    ScopedEnv(const char *name, const char *value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        if (value)
            qputenv(name, value);
        else
            qunsetenv(name);
    }
    ~ScopedEnv()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_had;
    QByteArray m_old;
};
} // namespace

class TestScreenMetrics : public QObject
{
    Q_OBJECT
private slots:
    void cleanup()
    {
        ScreenMetrics::setDesktopWidthOverride(0);
        ScreenMetrics::setHorizontalDpiOverride(0);
    }

    void desktopWidth_data()
    {
        QTest::addColumn<int>("override");
        QTest::addColumn<QByteArray>("environment");
        QTest::addColumn<int>("expected");
        QTest::newRow("no display") << 0 << QByteArray() << 1920;
        QTest::newRow("environment") << 0 << QByteArray("3840") << 3840;
        QTest::newRow("override wins") << 2560 << QByteArray("3840") << 2560;
        QTest::newRow("not a number") << 0 << QByteArray("wide") << 1920;
        QTest::newRow("zero") << 0 << QByteArray("0") << 1920;
        QTest::newRow("negative") << 0 << QByteArray("-5") << 1920;
        QTest::newRow("override removed") << -1 << QByteArray() << 1920;
    }
    void desktopWidth()
    {
        QFETCH(int, override);
        QFETCH(QByteArray, environment);
        QFETCH(int, expected);
        ScopedEnv display("DISPLAY", nullptr);
        ScopedEnv width("ZR35_DESKTOP_WIDTH",
                        environment.isNull() ? nullptr : environment.constData());
        ScreenMetrics::setDesktopWidthOverride(override);
        QCOMPARE(ScreenMetrics::desktopWidth(), expected);
    }

    // The width comes from a real X display when one is there.
    void desktopWidthFromTheXDisplay()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            QSKIP("no virtual X server installed");
        QProcess server;
        // -displayfd 1: the server picks a free display and prints its number when ready.
        server.start(xvfb,
                     {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                      QStringLiteral("0"), QStringLiteral("2560x1440x24"),
                      QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        QVERIFY(server.waitForStarted());
        QByteArray number;
        while (!number.contains('\n') && server.waitForReadyRead(10000))
            number += server.readAllStandardOutput();
        QVERIFY2(number.trimmed().toInt() >= 0 && !number.trimmed().isEmpty(),
                 server.readAllStandardError().constData());
        {
            ScopedEnv display("DISPLAY", (":" + number.trimmed()).constData());
            ScopedEnv width("ZR35_DESKTOP_WIDTH", nullptr);
            QCOMPARE(ScreenMetrics::desktopWidth(), 2560);
        }
        server.terminate();
        QVERIFY(server.waitForFinished(10000));
    }

    void horizontalDpi_data()
    {
        QTest::addColumn<int>("override");
        QTest::addColumn<QByteArray>("environment");
        QTest::addColumn<int>("expected");
        const int screenDpi = qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchX());
        QTest::newRow("screen") << 0 << QByteArray() << screenDpi;
        QTest::newRow("environment") << 0 << QByteArray("144") << 144;
        QTest::newRow("override wins") << 120 << QByteArray("144") << 120;
        QTest::newRow("not a number") << 0 << QByteArray("high") << screenDpi;
    }
    void horizontalDpi()
    {
        QFETCH(int, override);
        QFETCH(QByteArray, environment);
        QFETCH(int, expected);
        ScopedEnv dpi("ZR35_SCREEN_DPI", environment.isNull() ? nullptr : environment.constData());
        ScreenMetrics::setHorizontalDpiOverride(override);
        QCOMPARE(ScreenMetrics::horizontalDpi(), expected);
    }
};

ZR35_TEST_MAIN(TestScreenMetrics)
#include "tst_screenmetrics.moc"
