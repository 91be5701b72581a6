#include "core/devicecache.h"
#include "core/devicestate.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "platform/devicelib/simulationcontrol.h"
#include "shell/dialog.h"
#include "shell/dialogchange.h"
#include "shell/dialogmain.h"
#include "shell/dialogs/updataparam.h"
#include "shell/pagebackground.h"
#include "shell/pixmapprefetch.h"
#include "tests/shell/homebench.h"
#include "tests/support/child.h"
#include "tests/support/modaldriver.h"
#include "tests/support/picturecheck.h"
#include "tests/support/records.h"
#include "tests/support/screens.h"
#include "tests/support/testmain.h"
#include "tests/support/workerthread.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPixmapCache>
#include <QProgressBar>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QToolButton>

#include <csignal>
#include <cstring>
#include <functional>

namespace {

constexpr auto &state = State;

QList<QToolButton *> tabs(const QWidget *page)
{
    return {child<QToolButton>(page, "ButtonMain"), child<QToolButton>(page, "SensorButton"),
            child<QToolButton>(page, "MacroButton"), child<QToolButton>(page, "FormSetting"),
            child<QToolButton>(page, "LightsButton")};
}

// Whether the frame alone (no child) draws exactly the picture stored in `file`.
bool drawsPicture(QFrame *frame, const QString &file)
{
    QImage drawn(frame->size(), QImage::Format_RGB32);
    drawn.fill(Qt::black);
    frame->render(&drawn, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    return drawn == QImage(file).convertToFormat(QImage::Format_RGB32);
}

// The decoded picture of `file` as the pixmap cache holds it; null when it holds none.
QPixmap cachedPicture(const QString &file)
{
    QPixmap cached;
    QPixmapCache::find(PixmapPrefetch::cacheKey(file), &cached);
    return cached;
}

// Hands every event a watched object receives to a function.
class EventWatch : public QObject
{
public:
    explicit EventWatch(std::function<void(QObject *, QEvent *)> seen) : Seen(std::move(seen)) {}

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        Seen(object, event);
        return false;
    }

private:
    std::function<void(QObject *, QEvent *)> Seen;
};

// Until the macro page lists the macro folder, a test puts a macro into the list itself; recording
// needs one selected.
void startRecording(const QWidget *page)
{
    auto *macros = child<QListWidget>(page, "listWidgetHong");
    macros->addItem(QStringLiteral("Recorded"));
    macros->setCurrentRow(macros->count() - 1);
    child<QAbstractButton>(page, "StartRecord")->click();
}

int devicePageIndex(const QWidget *page)
{
    return child<QStackedWidget>(page, "stackedWidgetDialog")->currentIndex();
}

QByteArray cachedBytes(const QString &name)
{
    FlashDataMap record;
    return LoadDeviceCache(name, &record) ? recordBytes(record) : QByteArray();
}

// Records the keys that the device page passes on to its parent.
class KeySink : public QWidget
{
public:
    QList<int> keys;

protected:
    void keyPressEvent(QKeyEvent *event) override { keys << event->key(); }
};

const QString CacheName = QStringLiteral("Device_CID0C_MID0A.bin");

} // namespace

class TestDevicePage : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        DialogMain::TrayAvailable = [] { return false; };
        // The start-up makes the cache folder; these tests start no program.
        QVERIFY(QDir().mkpath(QFileInfo(DeviceCachePath(CacheName)).absolutePath()));
        QFile::remove(DeviceCachePath(CacheName));
    }

    // Must run before any other test builds a page.
    void crashHandlerComesWithThePage()
    {
        struct sigaction before
        {
        };
        QCOMPARE(sigaction(SIGSEGV, nullptr, &before), 0);
        HomeBench bench(OneReceiverSet);
        Dialog page;
        struct sigaction after
        {
        };
        QCOMPARE(sigaction(SIGSEGV, nullptr, &after), 0);
        QVERIFY(after.sa_flags & SA_SIGINFO);
        QVERIFY(after.sa_sigaction != before.sa_sigaction);
    }

    void batteryIndicator_data()
    {
        QTest::addColumn<bool>("charging");
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("showPercent");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("bar");
        QTest::addColumn<QString>("fill");
        QTest::newRow("low") << false << 15 << true << "15%" << 15 << "rgb(152, 43, 34)";
        QTest::newRow("just above low") << true << 16 << false << "16" << 16 << "rgb(0, 255, 153)";
        // Out of the bar's range: the fill stays where it was, the text shows the number.
        QTest::newRow("above 100") << false << 120 << true << "120%" << 50 << "rgb(0, 255, 153)";
    }
    void batteryIndicator()
    {
        QFETCH(bool, charging);
        QFETCH(int, level);
        QFETCH(bool, showPercent);
        QFETCH(QString, text);
        QFETCH(int, bar);
        QFETCH(QString, fill);
        HomeBench bench(OneReceiverSet);
        Dialog page;
        // No level before the device reports one, not a full battery.
        QCOMPARE(child<QProgressBar>(&page, "progressBar")
                     ->styleSheet()
                     .contains(QLatin1String("rgb(191, 191, 191)")),
                 true);
        QCOMPARE(child<QLabel>(&page, "label_2")->text(), QString());
        QCOMPARE(child<QProgressBar>(&page, "progressBar")->value(), 0);
        // The device-event callback reports the battery from a library thread and waits.
        QVERIFY(runOnWorkerThread([] { emit PostMsg::GetInstance()->SigBattery(true, 50, true); }));
        QVERIFY(runOnWorkerThread(
            [=] { emit PostMsg::GetInstance()->SigBattery(charging, level, showPercent); }));
        QCOMPARE(child<QLabel>(&page, "label_2")->text(), text);
        QCOMPARE(child<QProgressBar>(&page, "progressBar")->value(), bar);
        QVERIFY(child<QProgressBar>(&page, "progressBar")->styleSheet().contains(fill));
        QCOMPARE(child<QLabel>(&page, "label")->isHidden(), !charging);

        // A language change keeps the level; opening a device drops it until that device reports.
        QEvent languageChange(QEvent::LanguageChange);
        QCoreApplication::sendEvent(&page, &languageChange);
        QCOMPARE(child<QLabel>(&page, "label_2")->text(), text);
        emit PostMsg::GetInstance()->SigSelectMouseInfo(DeviceAllInfo());
        QCOMPARE(child<QLabel>(&page, "label_2")->text(), QString());
        QCOMPARE(child<QProgressBar>(&page, "progressBar")->value(), 0);
        QVERIFY(child<QLabel>(&page, "label")->isHidden());
    }

    void recordingLocksTheTabs_data()
    {
        QTest::addColumn<QList<int>>("values");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("recording") << QList<int>{0} << false;
        QTest::newRow("recording ended") << QList<int>{0, 1} << true;
        QTest::newRow("other value") << QList<int>{0, 2} << false;
    }
    void recordingLocksTheTabs()
    {
        QFETCH(QList<int>, values);
        QFETCH(bool, enabled);
        HomeBench bench(OneReceiverSet);
        Dialog page;
        for (int value : values)
            emit PostMsg::GetInstance()->SigStartRecord(value);
        for (QToolButton *tab : tabs(&page))
            QCOMPARE(tab->isEnabled(), enabled);
        for (const char *name : {"UpArrow", "MinButton", "CloseButton"})
            QVERIFY(child<QToolButton>(&page, name)->isEnabled());
    }

    void macroPageRecordingLocksTheTabs()
    {
        HomeBench bench(OneReceiverSet);
        Dialog page;
        child<QToolButton>(&page, "MacroButton")->click();
        startRecording(&page);
        QVERIFY(!child<QToolButton>(&page, "ButtonMain")->isEnabled());
        child<QAbstractButton>(&page, "StopRecord")->click();
        QVERIFY(child<QToolButton>(&page, "ButtonMain")->isEnabled());
    }

    void tabsShowTheirPages()
    {
        HomeBench bench(OneReceiverSet);
        Dialog page;
        page.show();
        QSignalSpy macroList(PostMsg::GetInstance(), &PostMsg::SigAddMacroButton);
        QCOMPARE(devicePageIndex(&page), 0);
        child<QToolButton>(&page, "SensorButton")->click();
        QCOMPARE(devicePageIndex(&page), 1);
        child<QToolButton>(&page, "MacroButton")->click();
        QCOMPARE(devicePageIndex(&page), 2);
        child<QToolButton>(&page, "FormSetting")->click();
        QCOMPARE(devicePageIndex(&page), 3);
        QVERIFY(!child<QToolButton>(&page, "ButtonMain")->isChecked());
        child<QToolButton>(&page, "ButtonMain")->click();
        QCOMPARE(devicePageIndex(&page), 0);
        // The macro list is rebuilt on every click, also on the page already shown.
        child<QToolButton>(&page, "ButtonMain")->click();
        QCOMPARE(macroList.size(), 2);
        emit PostMsg::GetInstance()->SigStartRecord(0);
        emit PostMsg::GetInstance()->SigStartRecord(1);
        QVERIFY(!child<QToolButton>(&page, "LightsButton")->isVisible());
        QVERIFY(!child<QToolButton>(&page, "SetButton")->isVisible());
    }

    void escapeAndF12StayOnThePage()
    {
        HomeBench bench(OneReceiverSet);
        KeySink sink;
        auto *page = new Dialog(&sink);
        for (int key : {Qt::Key_Escape, Qt::Key_F12, Qt::Key_A})
            QTest::keyClick(page, Qt::Key(key));
        QCOMPARE(sink.keys, QList<int>{Qt::Key_A});
    }

    void waitModeStaysOnceAsked()
    {
        HomeBench bench(OneReceiverSet);
        Dialog page;
        state().OnDevicePage = 1;
        state().SensorUiUpdated = 1;
        state().ButtonUiUpdated = 1;
        // Without the wait mode the next run would show the cache and the offline notice.
        state().OnlineAtLastRead = 0;
        QSignalSpy offline(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo);
        QSignalSpy runs(page.parameterDialog(), &QDialog::finished);
        for (int mode : {1, 0}) {
            // The device service pass asks from its own thread.
            const int before = runs.size();
            QVERIFY(
                runOnWorkerThread([mode] { emit PostMsg::GetInstance()->SigUpDataParam(mode); }));
            QTRY_COMPARE_WITH_TIMEOUT(runs.size(), before + 1, 15000);
        }
        QCOMPARE(page.parameterDialog()->WaitMode, quint8(1));
        QCOMPARE(offline.size(), 0);
    }

    // The pass announced an update, then the user went home before the call arrived: the
    // please-wait notice does not open over the home page.
    void lateUpdateRequestOnTheHomePageOpensNothing()
    {
        HomeBench bench(OneReceiverSet);
        Dialog page;
        state().OnDevicePage = 0;
        QSignalSpy runs(page.parameterDialog(), &QDialog::finished);
        bool fenced = false;
        QObject context;
        connect(PostMsg::GetInstance(), &PostMsg::SigCloseOffOnline, &context,
                [&fenced] { fenced = true; });
        QVERIFY(runOnWorkerThread([] {
            emit PostMsg::GetInstance()->SigUpDataParam(0);
            // Queued after it: once this has arrived, so has the request.
            emit PostMsg::GetInstance()->SigCloseOffOnline();
        }));
        QTRY_VERIFY_WITH_TIMEOUT(fenced, 5000);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(runs.size(), 0);
    }

    void refreshTimeOutShowsTheTimeOutNotice()
    {
        HomeBench bench(OneReceiverSet);
        DialogMain window;
        state().OnDevicePage = 1;
        state().OnlineAtLastRead = 1;
        state().SensorUiUpdated = 0;
        state().ButtonUiUpdated = 0;
        QString shown;
        ModalDriver notice(
            [&shown](QWidget *modal) {
                if (!modal->inherits("MouseOffLine"))
                    return false;
                shown = child<QLabel>(modal, "label")->text();
                return true;
            },
            QStringLiteral("NewHong"), 15000);
        QVERIFY(runOnWorkerThread([] { emit PostMsg::GetInstance()->SigUpDataParam(0); }));
        QTRY_VERIFY_WITH_TIMEOUT(notice.fired(), 15000);
        QCOMPARE(shown, MouseOffLineTexts.text(0, 1, QStringLiteral("no time-out text")));
    }

    // Opened from its tile, the page shows the virtual mouse's battery; back returns home,
    // caches the record and stops the device's server, also when the mouse has gone to sleep.
    // The window-sized background of the page waits until the page is first shown: the home page
    // comes first and the page behind it decodes no large picture meanwhile.
    void backgroundComesWithTheFirstShowing()
    {
        HomeBench bench(OneReceiverSet);
        DialogMain window;
        window.show();
        QVERIFY(waitForTiles(window.homePage(), 1));
        auto *background = child<QFrame>(window.devicePage(), "frame_2");
        QVERIFY(background->styleSheet().isEmpty());

        Dialog *page = openDevicePageSettled(window);
        QVERIFY(page);
        QVERIFY(background->isVisible());
        const QString style = background->styleSheet();
        QVERIFY(style.contains(QLatin1String("Picture/Dialog/BackGround.png")));
        QVERIFY(missingPictures(background).isEmpty());
    }

    // Only one of the window's two pages shows: the one behind gives its window-sized background
    // up (nothing holds the decoded picture any longer) and draws it again when it shows, before
    // its first paint.
    void hiddenPageGivesItsBackgroundUp()
    {
        HomeBench bench(OneReceiverSet);
        DialogMain window;
        DialogChange *home = window.homePage();
        Dialog *page = window.devicePage();
        auto *homeFrame = child<QFrame>(home, "frameChange");
        auto *deviceFrame = child<QFrame>(page, "frame_2");
        const QString homeFile = DialogChange::BackgroundPicture();
        const QString deviceFile = Dialog::BackgroundPicture();
        // Every paint of a page's frame must find its picture there.
        int unheldPaints = 0;
        int homePaints = 0;
        EventWatch paints([&](QObject *object, QEvent *event) {
            if (event->type() != QEvent::Paint)
                return;
            if (object == homeFrame)
                ++homePaints;
            const bool held =
                object == homeFrame ? home->background().applied() : page->background().applied();
            unheldPaints += held ? 0 : 1;
        });
        homeFrame->installEventFilter(&paints);
        deviceFrame->installEventFilter(&paints);

        window.show();
        QVERIFY(waitForTiles(home, 1));
        QTRY_VERIFY(homePaints > 0);
        QVERIFY(drawsPicture(homeFrame, homeFile));
        for (int round = 0; round < 2; ++round) {
            // Held by the frame's style and the pixmap cache; given up by both once hidden.
            QPixmap homePicture = cachedPicture(homeFile);
            QVERIFY(!homePicture.isNull() && !homePicture.isDetached());
            if (round == 0) {
                QCOMPARE(openDevicePageSettled(window), page);
            } else {
                clickTile(window);
                QCOMPARE(currentPage(window), 1);
            }
            QVERIFY(page->background().applied());
            QVERIFY(drawsPicture(deviceFrame, deviceFile));
            QVERIFY(!home->background().applied());
            QVERIFY(homePicture.isDetached());
            QVERIFY(cachedPicture(homeFile).isNull());

            QPixmap devicePicture = cachedPicture(deviceFile);
            QVERIFY(!devicePicture.isNull() && !devicePicture.isDetached());
            child<QToolButton>(page, "UpArrow")->click();
            QCOMPARE(currentPage(window), 0);
            QVERIFY(home->background().applied());
            QVERIFY(drawsPicture(homeFrame, homeFile));
            QVERIFY(!page->background().applied());
            QVERIFY(devicePicture.isDetached());
            QVERIFY(cachedPicture(deviceFile).isNull());
            const int painted = homePaints;
            QTRY_VERIFY(homePaints > painted);
            QVERIFY(waitForTiles(home, 1));
        }
        ZR35_SAVE_SCREEN(&window, QStringLiteral("main_window_home_page_again"));
        clickTile(window);
        QCOMPARE(currentPage(window), 1);
        QVERIFY(drawsPicture(deviceFrame, deviceFile));
        ZR35_SAVE_SCREEN(&window, QStringLiteral("main_window_device_page_again"));
        QCOMPARE(unheldPaints, 0);
    }

    void openFromTileThenBack_data()
    {
        QTest::addColumn<bool>("asleepAtBack");
        QTest::newRow("mouse awake") << false;
        QTest::newRow("mouse asleep") << true;
    }
    void openFromTileThenBack()
    {
        QFETCH(bool, asleepAtBack);
        HomeBench bench(OneReceiverSet);
        DialogMain window;
        QSignalSpy offline(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo);
        Dialog *page = openDevicePageSettled(window);
        QVERIFY(page);
        QCOMPARE(child<QProgressBar>(page, "progressBar")->value(), 80);
        // Both pages took the device's record in time: no offline or time-out notice.
        QCOMPARE(offline.size(), 0);
        QCOMPARE(state().OnlineCacheName.get(), CacheName);

        if (asleepAtBack)
            QVERIFY(SimulationControl::setOnline(QStringLiteral("M"), false));
        // Left in the middle of a macro recording, which locks the tabs but not the way back.
        child<QToolButton>(page, "MacroButton")->click();
        startRecording(page);
        // The page's first read already cached the record; only the way back may write it now.
        QFile::remove(DeviceCachePath(CacheName));
        SimulationControl::clearLog();
        child<QToolButton>(page, "UpArrow")->click();

        QCOMPARE(currentPage(window), 0);
        QCOMPARE(devicePageIndex(page), 0);
        QVERIFY(child<QToolButton>(page, "ButtonMain")->isChecked());
        for (QToolButton *tab : tabs(page))
            QVERIFY(tab->isEnabled());
        QCOMPARE(state().MacroRecording.load(), quint8(0));
        COMPARE_RECORDS(cachedBytes(CacheName), recordBytes(state().CurrentFlashData.get()));
        QCOMPARE(SimulationControl::driverStatus(), 0);
        QVERIFY(!SimulationControl::calls(QStringLiteral("UsbServer_Exit")).isEmpty());
    }

    void closeCachesAndStops()
    {
        HomeBench bench(OneReceiverSet);
        DialogMain window;
        Dialog *page = openDevicePageSettled(window);
        QVERIFY(page);
        QFile::remove(DeviceCachePath(CacheName));
        SimulationControl::clearLog();
        child<QToolButton>(page, "CloseButton")->click();

        COMPARE_RECORDS(cachedBytes(CacheName), recordBytes(state().CurrentFlashData.get()));
        QCOMPARE(SimulationControl::driverStatus(), 0);
        QVERIFY(!SimulationControl::calls(QStringLiteral("UsbServer_Exit")).isEmpty());
        QVERIFY(!window.isVisible());
    }
};

ZR35_TEST_MAIN(TestDevicePage)
#include "tst_devicepage.moc"
