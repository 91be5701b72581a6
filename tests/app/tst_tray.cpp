#include "platform/appinfo.h"
#include "tests/app/traydesktop.h"
#include "tests/support/appprocess.h"
#include "tests/support/testmain.h"

#include <functional>

namespace {

using Window = TrayDesktop::Window;

const QString ProgramClass = QStringLiteral("zr35-mouse-software");
constexpr int StateTimeoutMs = 10000;

// Points of the window's forms, in window coordinates: the minimise buttons of the home page and
// of the device page, and the middle of the home page's one tile (a tile page of one tile puts
// its 284 x 360 card at 305 in the tile area, which starts at 65, 200).
const QPoint HomeMinimise(950, 20);
const QPoint DeviceMinimise(950, 30);
const QPoint OneTile(65 + 305 + 142, 200 + 180);

bool isMainWindow(const Window &window)
{
    return window.name == QLatin1String(ApplicationName);
}

// The tray host gives an icon a slot of at most its own height (32).
bool isTrayIcon(const Window &window)
{
    return !isMainWindow(window) && window.geometry.width() <= 64 && window.geometry.height() <= 64;
}

// The icon's menu: two entries and a separator. A tool tip, one line high, is not it.
bool isTrayMenu(const Window &window)
{
    return !isMainWindow(window) && !isTrayIcon(window) && window.geometry.height() >= 40;
}

// A notice: the shared 300 x 140 frame.
bool isNotice(const Window &window)
{
    return !isMainWindow(window) && window.geometry.width() >= 200 &&
           window.geometry.height() >= 100;
}

} // namespace

// The notification area as a user meets it: the real program under X11 with a real tray host,
// driven with the pointer. A right click on the icon pops up its menu; "Show window" and a left
// click bring the window back, "Exit" ends the program cleanly.
class TestTray : public QObject
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

    static bool alive(AppProcess &program) { return !program.waitForExit(0); }

    // Opens the built-in set's one device from its tile and waits until the parameter-update
    // notice that the device page shows first has come and gone.
    bool openDevicePage()
    {
        Window main;
        if (!waitForWindow(isMainWindow, &main) ||
            !desktop.click(main.geometry.topLeft() + OneTile, 1))
            return false;
        Window shown;
        return waitForWindow(isNotice, &shown) && waitUntilNoWindow(isNotice);
    }

    // Minimises from the page shown and waits for the icon in the notification area.
    bool minimise(bool onDevicePage, Window *icon)
    {
        Window main;
        if (!waitForWindow(isMainWindow, &main))
            return false;
        const QPoint button = onDevicePage ? DeviceMinimise : HomeMinimise;
        return desktop.click(main.geometry.topLeft() + button, 1) &&
               waitUntilNoWindow(isMainWindow) && waitForWindow(isTrayIcon, icon);
    }

    bool clickUntil(const QPoint &at, int button, const std::function<bool()> &done)
    {
        return desktop.clickUntil(at, button, done, StateTimeoutMs);
    }

    // Right-clicks the icon and picks the first ("Show window") or the last ("Exit") entry of its
    // menu: the first quarter of its height is the first entry, the last quarter the last. Holds
    // once the entry did what it says.
    bool pickFromTheMenu(const Window &icon, bool first, AppProcess &program)
    {
        Window menu;
        if (!clickUntil(icon.geometry.center(), 3,
                        [&] { return desktop.findWindow(ProgramClass, isTrayMenu, &menu); }))
            return false;
        const QRect r = menu.geometry;
        const int y = first ? r.top() + r.height() / 4 : r.bottom() - r.height() / 4;
        const auto entryTaken = [&] {
            return first ? desktop.findWindow(ProgramClass, isMainWindow) : !alive(program);
        };
        return clickUntil(QPoint(r.center().x(), y), 1, entryTaken);
    }

    bool windowIsBack()
    {
        Window main;
        return waitForWindow(isMainWindow, &main) && waitUntilNoWindow(isTrayIcon);
    }

    // What went wrong when the window did not come back: the program's end, if it ended.
    static QByteArray why(AppProcess &program, int round)
    {
        QByteArray text = "round " + QByteArray::number(round);
        if (!alive(program))
            text += ": the program ended\n" + program.standardError().right(4000);
        return text;
    }

private slots:
    void initTestCase() { QVERIFY2(desktop.isUp(), qPrintable(desktop.failure())); }

    void theWindowComesBackAndTheProgramEndsCleanly_data()
    {
        QTest::addColumn<bool>("onDevicePage");
        QTest::newRow("home page") << false;
        QTest::newRow("device page") << true;
    }
    // "Show window" once ended the program at the first try: the menu ran a second time inside
    // the icon's click handler, and showing the window deleted the icon under that handler. Ten
    // times through the menu, once by a left click on the icon, then "Exit".
    void theWindowComesBackAndTheProgramEndsCleanly()
    {
        QFETCH(bool, onDevicePage);
        AppProcess program;
        QVERIFY(start(program));
        if (onDevicePage)
            QVERIFY(openDevicePage());
        Window icon;
        for (int round = 1; round <= 10; ++round) {
            QVERIFY2(minimise(onDevicePage, &icon), qPrintable(QString::number(round)));
            QVERIFY(pickFromTheMenu(icon, true, program));
            QVERIFY2(windowIsBack() && alive(program), why(program, round).constData());
        }

        QVERIFY(minimise(onDevicePage, &icon));
        QVERIFY(clickUntil(icon.geometry.center(), 1,
                           [&] { return desktop.findWindow(ProgramClass, isMainWindow); }));
        QVERIFY2(windowIsBack() && alive(program), why(program, 11).constData());

        QVERIFY(minimise(onDevicePage, &icon));
        QVERIFY(pickFromTheMenu(icon, false, program));
        QVERIFY(program.waitForExit());
        QVERIFY2(!program.crashed() && program.exitCode() == 0,
                 program.standardError().right(4000).constData());
    }
};

ZR35_TEST_MAIN(TestTray)
#include "tst_tray.moc"
