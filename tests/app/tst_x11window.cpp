#include "tests/app/traydesktop.h"
#include "tests/support/appprocess.h"
#include "tests/support/testmain.h"

#include <QFile>

// The real program on an X server: its windows are drawn by the widgets in software, so showing
// them loads no OpenGL driver (with a software renderer that alone would cost some 50 MiB and a
// good part of the start-up). The toolkit links the vendor-neutral dispatch libraries itself; the
// driver behind them is what a window asking for an OpenGL surface would load.
class TestX11Window : public QObject
{
    Q_OBJECT
    TrayDesktop desktop;

private slots:
    void initTestCase() { QVERIFY2(desktop.isUp(), qPrintable(desktop.failure())); }

    void theWindowShowsWithoutLoadingOpenGl()
    {
        AppProcess program;
        desktop.showProgramHere(program);
        QVERIFY(program.start());
        QVERIFY2(program.waitForWindow(), program.standardError().right(4000).constData());

        QFile maps(QStringLiteral("/proc/%1/maps").arg(program.processId()));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        const QByteArray mapped = maps.readAll();
        QVERIFY(mapped.contains("libQt5Gui")); // the map of the right process
        for (const char *library : {"libGLX_", "libEGL_", "_dri.so", "libLLVM"})
            QVERIFY2(!mapped.contains(library), library);
        QVERIFY(program.stop());
    }
};

ZR35_TEST_MAIN(TestX11Window)
#include "tst_x11window.moc"
