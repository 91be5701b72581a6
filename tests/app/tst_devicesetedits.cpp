#include "platform/appinfo.h"
#include "tests/app/readonlyfolder.h"
#include "tests/app/screenpicture.h"
#include "tests/app/traydesktop.h"
#include "tests/support/appprocess.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <functional>

namespace {

using Window = TrayDesktop::Window;

const QString ProgramClass = QStringLiteral("zr35-mouse-software");
constexpr int StateTimeoutMs = 10000;

// Regions and points of the window's forms, in window coordinates: the title band, which tells
// the home page from the device page; the home page's one tile (a tile page of one tile puts its
// 284 x 360 card at 305 in the tile area, which starts at 65, 200) and the line below it; the
// device page's sensor tab and the sensor page's 250 Hz report rate.
const QRect TitleBand(0, 0, 760, 48);
const QRect TileArea(65 + 305, 200, 284, 420);
const QPoint OneTile(65 + 305 + 142, 200 + 180);
const QPoint Aside(65 + 305 + 142, 100);
const QPoint SensorTab(338, 74);
const QPoint Rate250(356, 367);

bool isMainWindow(const Window &window)
{
    return window.name == QLatin1String(ApplicationName);
}

// A notice: the shared 300 x 140 frame.
bool isNotice(const Window &window)
{
    return !isMainWindow(window) && window.geometry.width() >= 200 &&
           window.geometry.height() >= 100;
}

// Nothing drawn yet: one colour all over.
bool blank(const QImage &picture)
{
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel(x, y) != picture.pixel(0, 0))
                return false;
        }
    }
    return true;
}

QByteArray builtInSet()
{
    QFile file(
        QStringLiteral(ZR35_TEST_SOURCE_DIR "/../../platform/devicelib/builtin-devices.ini"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Saved as editors save: a new file renamed over the old one.
bool save(const QString &path, const QByteArray &text)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit();
}

QByteArray storedFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

// The simulated devices changed while the real program runs, by editing their device set file as
// a user would: the program follows them as it follows real hardware. On an X server of its own,
// driven with the pointer; what the window shows is read from the server's screen.
class TestDeviceSetEdits : public QObject
{
    Q_OBJECT

    TrayDesktop desktop;
    QTemporaryDir folder;

    bool waitForWindow(const std::function<bool(const Window &)> &which, Window *found)
    {
        return desktop.waitForWindow(ProgramClass, which, found, StateTimeoutMs);
    }

    bool waitUntilNoWindow(const std::function<bool(const Window &)> &which)
    {
        return desktop.waitUntilNoWindow(ProgramClass, which, StateTimeoutMs);
    }

    QImage shown(const Window &window, const QRect &region)
    {
        return screenPicture(desktop.display(), region.translated(window.geometry.topLeft()));
    }

    // What the window shows once it is drawn and has stopped changing: pages and tiles are built
    // and painted in steps after the change that caused them. Null when it did not settle.
    QImage settled(const Window &window, const QRect &region)
    {
        QImage last = shown(window, region);
        const bool still = QTest::qWaitFor(
            [&] {
                QTest::qWait(100);
                const QImage now = shown(window, region);
                const bool same = now == last && !blank(now);
                last = now;
                return same;
            },
            StateTimeoutMs);
        return still ? last : QImage();
    }

    bool start(AppProcess &program, const QString &deviceSet)
    {
        desktop.showProgramHere(program);
        program.setEnv(QStringLiteral("ZR35_DEVICES"), deviceSet);
        return program.start() && program.waitForWindow();
    }

    // Clicks the one tile until a notice opens: the tiles are built a moment after the window
    // shows. The pointer leaves the tile in between, as xdotool never ends a move to the point
    // it is at. *tile: the tile as the click found it, before the notice covers it.
    bool openTile(const Window &main, Window *notice, QImage *tile = nullptr)
    {
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (!desktop.click(main.geometry.topLeft() + Aside, 1))
                return false;
            if (tile)
                *tile = settled(main, TileArea);
            if (!desktop.click(main.geometry.topLeft() + OneTile, 1))
                return false;
            if (desktop.waitForWindow(ProgramClass, isNotice, notice, 5000))
                return true;
        }
        return false;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(desktop.isUp(), qPrintable(desktop.failure()));
        QVERIFY(folder.isValid());
    }

    // The mouse and its receiver taken out of the file while the device page is open, put back
    // asleep, then woken.
    void unpluggedAsleepAndWoken()
    {
        const QString set = folder.filePath(QStringLiteral("devices.ini"));
        QVERIFY(save(set, builtInSet()));
        AppProcess program;
        QVERIFY(start(program, set));
        Window main;
        QVERIFY(waitForWindow(isMainWindow, &main));
        const QImage homeTitle = settled(main, TitleBand);

        const QImage onlineTile = settled(main, TileArea);
        Window notice;
        QVERIFY(openTile(main, &notice));
        QVERIFY(waitUntilNoWindow(isNotice));
        const QImage deviceTitle = settled(main, TitleBand);
        QVERIFY(deviceTitle != homeTitle);
        ZR35_SAVE_PICTURE(settled(main, main.geometry.translated(-main.geometry.topLeft())),
                          "devicesetedits-1-device-page");

        // Taken out: back to the home page, whose tile is gone.
        QVERIFY(save(set, "; The mouse and its receiver are unplugged.\n"));

        QVERIFY(
            QTest::qWaitFor([&] { return shown(main, TitleBand) == homeTitle; }, StateTimeoutMs));
        QVERIFY(
            QTest::qWaitFor([&] { return shown(main, TileArea) != onlineTile; }, StateTimeoutMs));
        const QImage noTile = settled(main, TileArea);
        QCOMPARE(settled(main, TitleBand), homeTitle);
        ZR35_SAVE_PICTURE(settled(main, main.geometry.translated(-main.geometry.topLeft())),
                          "devicesetedits-2-unplugged");

        // Put back asleep: its tile is back, offline.
        QVERIFY(save(set, builtInSet().replace("Online=true", "Online=false")));
        QVERIFY(QTest::qWaitFor([&] { return shown(main, TileArea) != noTile; }, StateTimeoutMs));
        const QImage offlineTile = settled(main, TileArea);
        QVERIFY(offlineTile != onlineTile);
        ZR35_SAVE_PICTURE(settled(main, main.geometry.translated(-main.geometry.topLeft())),
                          "devicesetedits-3-asleep");

        // Opened asleep: the pages show what the mouse held, and a setting it cannot take brings
        // the offline notice, which stays until the mouse wakes and then closes itself.
        QVERIFY(desktop.click(main.geometry.topLeft() + Aside, 1));
        QVERIFY(desktop.click(main.geometry.topLeft() + OneTile, 1));
        QVERIFY(
            QTest::qWaitFor([&] { return shown(main, TitleBand) == deviceTitle; }, StateTimeoutMs));
        QVERIFY(desktop.click(main.geometry.topLeft() + SensorTab, 1));
        QVERIFY(desktop.click(main.geometry.topLeft() + Rate250, 1));
        QVERIFY(waitForWindow(isNotice, &notice));
        ZR35_SAVE_PICTURE(settled(notice, notice.geometry.translated(-notice.geometry.topLeft())),
                          "devicesetedits-4-offline-notice");
        QVERIFY(desktop.waitForWindow(ProgramClass, isNotice, &notice, 0));
        QVERIFY(save(set, builtInSet()));
        QVERIFY2(waitUntilNoWindow(isNotice), program.standardError().right(4000).constData());
        QVERIFY(
            QTest::qWaitFor([&] { return shown(main, TitleBand) == deviceTitle; }, StateTimeoutMs));
        QVERIFY(program.stop());
    }

    // A state folder the program's user cannot write: the mouse does not take a setting, the
    // program says so with its offline notice, and nothing of it is kept.
    void aReadOnlyStateFolderTakesNoSetting()
    {
        const QString set = folder.filePath(QStringLiteral("builtin.ini"));
        QVERIFY(save(set, builtInSet()));
        AppProcess program;
        QVERIFY(start(program, set));
        Window main;
        QVERIFY(waitForWindow(isMainWindow, &main));
        Window notice;
        QVERIFY(openTile(main, &notice));
        QVERIFY(waitUntilNoWindow(isNotice));
        QVERIFY(desktop.click(main.geometry.topLeft() + SensorTab, 1));
        ZR35_SAVE_PICTURE(settled(main, main.geometry.translated(-main.geometry.topLeft())),
                          "devicesetedits-5-sensor-page");

        const QString state = program.home() + QStringLiteral("/.local/state/") +
                              QLatin1String(ApplicationName) + QStringLiteral("/simulation");
        const QString mouseFile = state + QStringLiteral("/mouse-Mouse1.ini");
        const QByteArray kept = storedFile(mouseFile);
        QVERIFY(kept.startsWith("[Mouse]"));
        ReadOnlyFolder readOnly(state);
        if (!readOnly.failure().isEmpty())
            QSKIP(qPrintable(readOnly.failure()));

        QVERIFY(desktop.click(main.geometry.topLeft() + Rate250, 1));
        QVERIFY2(waitForWindow(isNotice, &notice), program.standardError().right(4000).constData());
        ZR35_SAVE_PICTURE(settled(notice, notice.geometry.translated(-notice.geometry.topLeft())),
                          "devicesetedits-6-not-taken");
        QCOMPARE(storedFile(mouseFile), kept);
        const QByteArray told = program.standardError();
        QCOMPARE(told.count(QDir::toNativeSeparators(mouseFile).toLocal8Bit()), 1);
        QVERIFY(program.stop());
        QCOMPARE(storedFile(mouseFile), kept);
    }
};

ZR35_TEST_MAIN(TestDeviceSetEdits)
#include "tst_devicesetedits.moc"
