#include "platform/appinfo.h"
#include "tests/app/traydesktop.h"
#include "tests/support/appprocess.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QFile>

#include <functional>

namespace {

using Window = TrayDesktop::Window;

const QString ProgramClass = QStringLiteral("zr35-mouse-software");
constexpr int StateTimeoutMs = 10000;

// Points of the window's forms, in window coordinates: the home page's one tile, the device
// page's back arrow and macro tab, and the macro page's New and Start buttons. In the name dialog:
// its field and its OK.
const QPoint OneTile(65 + 305 + 142, 200 + 180);
const QPoint BackArrow(66, 150);
const QPoint MacroTab(410, 74);
const QPoint NewMacro(267, 639);
const QPoint StartRecording(871, 167);
const QPoint NameField(150, 80);
const QPoint NameOk(95, 122);

bool isMainWindow(const Window &window)
{
    return window.name == QLatin1String(ApplicationName);
}

// A notice or the name dialog: the shared 300 x 140 frame.
bool isNotice(const Window &window)
{
    return !isMainWindow(window) && window.geometry.width() >= 200 &&
           window.geometry.height() >= 100;
}

QByteArray macroFile(const QString &home, const QString &name)
{
    QFile file(QDir(home).filePath(QStringLiteral("AppData/Local/") + ApplicationName +
                                   QStringLiteral("/usersetting/MacroPage/") + name +
                                   QStringLiteral(".ini")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

// A recording the user leaves by going back to the home page, with the real program under X11
// driven by the pointer and the keyboard: after a restart the macro holds what was recorded.
class TestMacroRecordingHome : public QObject
{
    Q_OBJECT

    TrayDesktop desktop;

    // The first of the program's windows on screen that `which` accepts, waiting for one.
    bool waitForWindow(const std::function<bool(const Window &)> &which, Window *found)
    {
        return desktop.waitForWindow(ProgramClass, which, found, StateTimeoutMs);
    }

    bool waitUntilNoWindow(const std::function<bool(const Window &)> &which)
    {
        return desktop.waitUntilNoWindow(ProgramClass, which, StateTimeoutMs);
    }

    bool start(AppProcess &program)
    {
        desktop.showProgramHere(program);
        return program.start() && program.waitForWindow();
    }

    // Opens the one device from its tile, waits until the parameter-update notice has come and
    // gone, and goes to the macro tab.
    bool openMacroTab(Window *main)
    {
        Window shown;
        return waitForWindow(isMainWindow, main) &&
               desktop.click(main->geometry.topLeft() + OneTile, 1) &&
               waitForWindow(isNotice, &shown) && waitUntilNoWindow(isNotice) &&
               desktop.click(main->geometry.topLeft() + MacroTab, 1);
    }

private slots:
    void initTestCase() { QVERIFY2(desktop.isUp(), qPrintable(desktop.failure())); }

    void recordGoHomeRestart()
    {
        AppProcess program;
        QVERIFY(start(program));
        Window main;
        QVERIFY(openMacroTab(&main));

        // New macro "qw": the name dialog, typed into, confirmed.
        QVERIFY(desktop.click(main.geometry.topLeft() + NewMacro, 1));
        Window dialog;
        QVERIFY(waitForWindow(isNotice, &dialog));
        QVERIFY(desktop.click(dialog.geometry.topLeft() + NameField, 1));
        QVERIFY(desktop.typeKeys({"q", "w"}));
        QVERIFY(desktop.click(dialog.geometry.topLeft() + NameOk, 1));
        QVERIFY(waitUntilNoWindow(isNotice));
        QTRY_COMPARE_WITH_TIMEOUT(macroFile(program.home(), QStringLiteral("qw")), QByteArray(),
                                  StateTimeoutMs);

        // Recording Q and W, then back to the home page without Stop or Save.
        QVERIFY(desktop.click(main.geometry.topLeft() + StartRecording, 1));
        QVERIFY(desktop.typeKeys({"q", "w"}));
        QVERIFY(desktop.click(main.geometry.topLeft() + BackArrow, 1));
        const QByteArray recorded = "0x14 1 0\n";
        QTRY_VERIFY_WITH_TIMEOUT(macroFile(program.home(), QStringLiteral("qw")).contains(recorded),
                                 StateTimeoutMs);
        const QByteArray saved = macroFile(program.home(), QStringLiteral("qw"));
        QVERIFY2(saved.contains("0x1A 1 1\n"), saved.constData());
        QVERIFY(program.stop());

        // The next start, on the device page again: the macro is there as recorded.
        QVERIFY(start(program));
        QVERIFY(openMacroTab(&main));
        QCOMPARE(macroFile(program.home(), QStringLiteral("qw")), saved);
        QVERIFY(program.stop());
    }
};

ZR35_TEST_MAIN(TestMacroRecordingHome)
#include "tst_macrorecordinghome.moc"
