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
const QString MacroName = QStringLiteral("Greeting");
constexpr int StateTimeoutMs = 10000;

// Points of the window's forms, in window coordinates. The home page's one tile (its 284 x 360
// card at 305 in the tile area at 65, 200); on the device page, whose pages sit at 140, 90, its
// close button, the macro tab and the macro page's first macro, record buttons and save button.
const QPoint OneTile(65 + 305 + 142, 200 + 180);
const QPoint DeviceClose(990, 30);
const QPoint MacroTab(411, 75);
const QPoint FirstMacro(140 + 70 + 40, 90 + 87 + 10);
const QPoint RecordButton(140 + 637 + 95, 90 + 57 + 16);
const QPoint SaveButton(140 + 640 + 58, 90 + 477 + 15);

bool isMainWindow(const Window &window)
{
    return window.name == QLatin1String(ApplicationName);
}

// The parameter-update notice: the shared 300 x 140 frame.
bool isNotice(const Window &window)
{
    return !isMainWindow(window) && window.geometry.width() >= 200 &&
           window.geometry.height() >= 100;
}

} // namespace

// What the program writes to its standard error in a normal run: nothing, not even while a macro
// is recorded. Every recorded key once went there with its name and delay, so a password typed
// into a macro ended up in a terminal or the system journal.
class TestQuietOutput : public QObject
{
    Q_OBJECT

    TrayDesktop desktop;

    bool waitForWindow(const std::function<bool(const Window &)> &which, Window *found)
    {
        return desktop.waitForWindow(ProgramClass, which, found, StateTimeoutMs);
    }

    bool noNotice() { return desktop.waitUntilNoWindow(ProgramClass, isNotice, StateTimeoutMs); }

    bool clickIn(const Window &window, const QPoint &at)
    {
        return desktop.click(window.geometry.topLeft() + at, 1);
    }

    static QByteArray macroFile(const AppProcess &program)
    {
        QFile file(QDir(program.home())
                       .filePath(QStringLiteral("AppData/Local/%1/usersetting/MacroPage/%2.ini")
                                     .arg(QLatin1String(ApplicationName), MacroName)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void initTestCase() { QVERIFY2(desktop.isUp(), qPrintable(desktop.failure())); }

    void recordingAMacroWritesNothing()
    {
        AppProcess program;
        // A new macro's file is empty: the page lists it, ready to record into.
        const QString folder =
            QDir(program.home())
                .filePath(QStringLiteral("AppData/Local/%1/usersetting/MacroPage")
                              .arg(QLatin1String(ApplicationName)));
        QVERIFY(QDir().mkpath(folder));
        QFile created(QDir(folder).filePath(MacroName + QStringLiteral(".ini")));
        QVERIFY(created.open(QIODevice::WriteOnly));
        created.close();

        desktop.showProgramHere(program);
        QVERIFY(program.start());
        QVERIFY2(program.waitForWindow(), program.standardError().right(4000).constData());

        Window main;
        QVERIFY(waitForWindow(isMainWindow, &main));
        QVERIFY(clickIn(main, OneTile));
        Window notice;
        QVERIFY(waitForWindow(isNotice, &notice));
        QVERIFY(noNotice());
        QVERIFY(clickIn(main, MacroTab));
        QVERIFY(clickIn(main, FirstMacro));
        QVERIFY(clickIn(main, RecordButton));
        // A letter, a shifted letter and a digit: the keys a password is made of.
        QVERIFY(desktop.typeKeys(main.id, {"p", "shift+w", "4"}));
        // The stop button takes the start button's place. A little aside from the first click:
        // a pointer that does not move never reports the move xdotool waits for.
        QVERIFY(clickIn(main, RecordButton + QPoint(20, 0)));
        QVERIFY(clickIn(main, SaveButton));

        // The keys were recorded: the saved macro holds the presses of P, Shift, W and 4.
        QTRY_VERIFY_WITH_TIMEOUT(macroFile(program).contains("0x13 1 0"), StateTimeoutMs);
        const QByteArray saved = macroFile(program);
        for (const char *press : {"0x02 0 0", "0x1A 1 0", "0x21 1 0"})
            QVERIFY2(saved.contains(press), saved.constData());

        QVERIFY(clickIn(main, DeviceClose));
        QVERIFY(program.waitForExit());
        QVERIFY2(!program.crashed() && program.exitCode() == 0,
                 program.standardError().right(4000).constData());
        QVERIFY2(program.standardError().isEmpty(),
                 program.standardError().right(4000).constData());
    }
};

ZR35_TEST_MAIN(TestQuietOutput)
#include "tst_quietoutput.moc"
