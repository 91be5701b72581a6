#include "core/devicestate.h"
#include "core/languageloader.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "platform/appdir.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "sensor/debouncetime.h"
#include "sensor/stopclosetime.h"
#include "sensor/stopclosetimeb.h"
#include "shell/dialogs/lessthree.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/widgets/myconmbobox.h"
#include "tests/sensor/sensorbench.h"
#include "tests/support/modaldriver.h"
#include "tests/support/picturecheck.h"
#include "tests/support/screens.h"
#include "tests/support/testmain.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>

#include <memory>

using namespace SensorBench;

namespace {

constexpr auto &state = State;

MyConmboBox *debounceList(const DebounceTime &panel)
{
    return child<MyConmboBox>(&panel, QStringLiteral("Debunce"));
}

MyConmboBox *sleepList(const StopCloseTime &panel)
{
    return child<MyConmboBox>(&panel, QStringLiteral("StopClose"));
}

// The user's choice of a sleep time: the list changes and reports the activation.
void chooseSleep(const StopCloseTime &panel, int index)
{
    sleepList(panel)->setCurrentIndex(index);
    emit sleepList(panel)->activated(index);
}

} // namespace

// The debounce-time and sleep-time panels as the button, settings and lighting pages host them;
// the sleep-time guards also for the panel's second layout, one table for both.
class TestHostedPanels : public PanelTest
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        ReloadLanguageFilesForTest(AppDir::filePath(QStringLiteral("Language")));
    }

    // --- Debounce time ---

    void debounceChoice_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("notice");
        QTest::newRow("0 asks to wait") << 0 << true;
        QTest::newRow("7 asks to wait") << 7 << true;
        QTest::newRow("8 only writes") << 8 << false;
        QTest::newRow("15 only writes") << 15 << false;
    }
    void debounceChoice()
    {
        QFETCH(int, index);
        QFETCH(bool, notice);
        DebounceTime panel;
        panel.move(900, 500);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QVERIFY(missingPictures(&panel).isEmpty());
        // Shown first without writing, so that every entry is a change.
        state().WriteEnabled = 0;
        debounceList(panel)->setCurrentIndex(index == 8 ? 9 : 8);
        state().WriteEnabled = 1;
        QPoint noticeAt;
        ModalDriver driver(
            [&noticeAt](QWidget *modal) {
                noticeAt = modal->pos();
                return ModalDriver::named(QStringLiteral("LessThree"))(modal);
            },
            QStringLiteral("NewHong"), notice ? 5000 : 300);
        debounceList(panel)->setCurrentIndex(index);
        QCOMPARE(int(stored().DebounceTime), index);
        QCOMPARE(sends(), 1);
        QCOMPARE(driver.fired(), notice);
        if (notice) {
            // Centred over the panel, moved up and to the left by the button page's offset.
            const QPoint corner = panel.mapToGlobal(QPoint(0, 0));
            QCOMPARE(noticeAt, QPoint(corner.x() + (panel.width() - 300) / 2 - 409,
                                      corner.y() + (panel.height() - 140) / 2 - 202));
        }
    }

    void debounceNoticeText_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("English") << 0;
        QTest::newRow("Ukrainian") << 1;
    }
    // The notice asks the user to wait while the setting is written, in the current language.
    void debounceNoticeText()
    {
        QFETCH(int, language);
        state().CurrentLanguage = language;
        LessThree notice;
        const QString text = notice.findChild<QLabel *>(QStringLiteral("label"))->text();
        QCOMPARE(text, LessThreeTexts.text(language, 0, QString()));
        QCOMPARE(text, language == 0 ? QStringLiteral("Please wait, we are updating the setting")
                                     : QStringLiteral("Зачекайте, ми оновлюємо налаштування"));
        state().CurrentLanguage = 0;
    }

    // The button page fills the panel with ButtonFilling set: a changed entry is still written
    // (the fill sends what the record holds), but no notice comes up for it.
    void debounceFilledByTheButtonPage()
    {
        DebounceTime panel;
        state().ButtonFilling = 1;
        ModalDriver driver(ModalDriver::named(QStringLiteral("LessThree")),
                           QStringLiteral("NewHong"), 300);
        panel.SetIndex(3);
        QCOMPARE(int(stored().DebounceTime), 3);
        QVERIFY(!driver.fired());
        // The entry shown already: no change, nothing written.
        panel.SetIndex(3);
        QCOMPARE(sends(), 1);
        // A stored value beyond the list selects nothing and writes nothing, not 0xFF.
        panel.SetIndex(20);
        QCOMPARE(debounceList(panel)->currentIndex(), -1);
        QCOMPARE(sends(), 1);
        QCOMPARE(int(stored().DebounceTime), 3);
    }

    void debounceGuards()
    {
        DebounceTime panel;
        state().WriteEnabled = 0;
        {
            ModalDriver driver(ModalDriver::named(QStringLiteral("LessThree")),
                               QStringLiteral("NewHong"), 300);
            debounceList(panel)->setCurrentIndex(2);
            QCOMPARE(sends(), 0);
            QVERIFY(!driver.fired());
        }

        // Offline: nothing stored, the offline notice alone (nothing is being updated), and the
        // list back on what the mouse holds.
        state().WriteEnabled = 1;
        const int held = state().CurrentFlashData.get().DebounceTime;
        QVERIFY(held != 5);
        QVERIFY(SimulationControl::setOnline(QStringLiteral("M1"), false));
        ModalDriver wait(ModalDriver::named(QStringLiteral("LessThree")), QStringLiteral("NewHong"),
                         300);
        debounceList(panel)->setCurrentIndex(5);
        QVERIFY(!wait.fired());
        QCOMPARE(sends(), 0);
        QCOMPARE(offline->size(), 1);
        QCOMPARE(debounceList(panel)->currentIndex(), held);
        QCOMPARE(int(stored().DebounceTime), held);
    }

    void debounceEntryTexts()
    {
        DebounceTime panel;
        for (int i = 0; i < 16; ++i)
            panel.SetItemText(i, QStringLiteral(" ms"));
        for (int i = 0; i < 16; ++i)
            QCOMPARE(debounceList(panel)->itemText(i), QStringLiteral("%1 ms").arg(i));
        QCOMPARE(debounceList(panel)->currentIndex(), 0);
    }

    // --- Sleep time ---

    void sleepChoiceWritesTenSecondUnits_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("stored");
        const int codes[] = {1, 3, 6, 30, 60, 90, 120, 150, 180, 210, 240};
        for (int i = 0; i < 11; ++i)
            QTest::newRow(qPrintable(QStringLiteral("entry %1").arg(i))) << i << codes[i];
    }
    void sleepChoiceWritesTenSecondUnits()
    {
        QFETCH(int, index);
        QFETCH(int, stored);
        StopCloseTime panel;
        QVERIFY(missingPictures(&panel).isEmpty());
        chooseSleep(panel, index);
        QCOMPARE(int(SensorBench::stored().SleepTime), stored);
        // The entry chosen again is written again.
        chooseSleep(panel, index);
        QCOMPARE(sends(), 2);
    }

    void sleepSetterWritesNothing()
    {
        StopCloseTime panel;
        QCOMPARE(sleepList(panel)->currentIndex(), 0);
        panel.SetIndex(4);
        QCOMPARE(sleepList(panel)->currentIndex(), 4);
        QCOMPARE(sends(), 0);
    }

    // The open list marks the stored time: its row stands out from the others.
    void sleepListMarksTheCurrentTime()
    {
        StopCloseTime panel;
        panel.show();
        panel.SetIndex(4);
        MyConmboBox *list = sleepList(panel);
        list->showPopup();
        QAbstractItemView *view = list->view();
        QTRY_VERIFY(view->isVisible());
        ZR35_SAVE_SCREEN(view->window(), QStringLiteral("sleeptime-list-open"));
        const QImage rows = view->viewport()->grab().toImage();
        const auto ground = [&](int row) {
            const QRect place = view->visualRect(view->model()->index(row, 0));
            return rows.pixelColor(place.left() + 2, place.center().y()).name();
        };
        QVERIFY(view->visualRect(view->model()->index(4, 0)).intersects(view->viewport()->rect()));
        for (int other : {3, 5})
            QVERIFY2(ground(4) != ground(other), qPrintable(ground(4)));
        list->hidePopup();
    }

    // Both layouts of the sleep-time panel: the list the pages host and the slider of the
    // second layout; each host's filling keeps its panel from writing.
    void sleepGuards_data()
    {
        QTest::addColumn<bool>("slider");
        QTest::addColumn<int>("guard"); // 0 writes disabled, 1 the host filling, 2 offline
        QTest::addColumn<int>("expectedNotices");
        QTest::newRow("list: writes disabled") << false << 0 << 0;
        QTest::newRow("list: button page filling") << false << 1 << 0;
        QTest::newRow("list: offline") << false << 2 << 1;
        QTest::newRow("slider: writes disabled") << true << 0 << 0;
        QTest::newRow("slider: lighting page filling") << true << 1 << 0;
        QTest::newRow("slider: offline") << true << 2 << 1;
    }
    void sleepGuards()
    {
        QFETCH(bool, slider);
        QFETCH(int, guard);
        QFETCH(int, expectedNotices);
        StopCloseTime list;
        StopCloseTimeB sliderPanel;
        if (guard == 0)
            state().WriteEnabled = 0;
        else if (guard == 1)
            (slider ? state().LightFilling : state().ButtonFilling) = 1;
        else
            QVERIFY(SimulationControl::setOnline(QStringLiteral("M1"), false));
        SimulationControl::clearLog();
        if (slider) {
            letGo(child<QSlider>(&sliderPanel, QStringLiteral("StopClose")), 4);
            QCOMPARE(child<QSpinBox>(&sliderPanel, QStringLiteral("spinBoxA"))->value(), 5);
        } else {
            chooseSleep(list, 3);
            QCOMPARE(sleepList(list)->currentIndex(), 3);
        }
        QCOMPARE(sends(), 0);
        QCOMPARE(offline->size(), expectedNotices);
    }
};

ZR35_TEST_MAIN(TestHostedPanels)
#include "tst_hostedpanels.moc"
