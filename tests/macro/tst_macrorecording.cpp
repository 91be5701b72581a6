#include "core/devicestate.h"
#include "core/postmsg.h"
#include "macro/macro.h"
#include "platform/desktop/keyhook.h"
#include "tests/macro/macrobench.h"
#include "tests/support/modaldriver.h"
#include "tests/support/testmain.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QSpinBox>
#include <QWindow>

namespace {

constexpr auto &state = State;

QAbstractButton *button(const Macro &page, const char *name)
{
    return child<QAbstractButton>(&page, name);
}

// The macro page in front, a macro selected, and a clock the test moves.
class Recording
{
public:
    Recording()
    {
        page.SetDelayClock([this] { return now; });
        page.show();
        page.activateWindow();
        active = QTest::qWaitForWindowActive(&page);
        selectNewMacro(page);
    }
    void start() { button(page, "StartRecord")->click(); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyPress(page.windowHandle(), key, modifiers);
    }
    void release(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyRelease(page.windowHandle(), key, modifiers);
    }
    // The keyboard repeating a held key: a release and a press, both marked as repeats.
    void repeat(Qt::Key key)
    {
        QTest::simulateEvent(page.windowHandle(), false, key, Qt::NoModifier, QString(), true);
        QTest::simulateEvent(page.windowHandle(), true, key, Qt::NoModifier, QString(), true);
    }
    void click(Qt::Key key) { QTest::keyClick(page.windowHandle(), key); }

    Macro page;
    qint64 now = 1000;
    bool active = false;
};

} // namespace

// Recording from keys typed into the program's window.
class TestMacroRecording : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        FillMacroTexts();
        state().CurrentLanguage = 0;
    }
    void init()
    {
        state().MacroRecording = 0;
        clearMacroFolder();
    }

    void startingLocksAndStoppingUnlocks()
    {
        Recording r;
        QVERIFY(r.active);
        auto *list = child<QListWidget>(&r.page, "listWidgetKey");
        list->addItem(QStringLiteral("shown before"));
        QSignalSpy announced(PostMsg::GetInstance(), &PostMsg::SigStartRecord);
        r.start();
        QCOMPARE(announced.size(), 1);
        QCOMPARE(announced.at(0).at(0).toInt(), 0);
        QCOMPARE(state().MacroRecording.load(), quint8(1));
        // The recording replaces what the list showed.
        QCOMPARE(list->count(), 0);
        QVERIFY(button(r.page, "StartRecord")->isHidden());
        QVERIFY(!button(r.page, "StopRecord")->isHidden());
        QVERIFY(child<QSpinBox>(&r.page, "DelayTime")->isHidden());
        QVERIFY(child<QSpinBox>(&r.page, "NumberEdit")->isHidden());
        QVERIFY(!child<QListWidget>(&r.page, "listWidgetHong")->isEnabled());
        QVERIFY(!child<QComboBox>(&r.page, "ChooseEvent")->isEnabled());

        button(r.page, "StopRecord")->click();
        QCOMPARE(announced.size(), 2);
        QCOMPARE(announced.at(1).at(0).toInt(), 1);
        QCOMPARE(state().MacroRecording.load(), quint8(0));
        QVERIFY(!button(r.page, "StartRecord")->isHidden());
        QVERIFY(button(r.page, "StopRecord")->isHidden());
        QVERIFY(!child<QSpinBox>(&r.page, "DelayTime")->isHidden());
        QVERIFY(child<QListWidget>(&r.page, "listWidgetHong")->isEnabled());
        QVERIFY(child<QComboBox>(&r.page, "ChooseEvent")->isEnabled());
        QVERIFY(button(r.page, "Save")->isEnabled());
        // Keys after the stop are not recorded.
        r.click(Qt::Key_A);
        QCOMPARE(list->count(), 0);
    }

    // Start without a selected macro: the notice with its second text, placed by the page's rule,
    // and nothing else changes.
    void startWithoutAMacro()
    {
        Macro page;
        page.move(40, 30);
        QSignalSpy announced(PostMsg::GetInstance(), &PostMsg::SigStartRecord);
        QString shown;
        QPoint at;
        const auto named = ModalDriver::named(QStringLiteral("ExeIsRun"));
        ModalDriver driver(
            [&](QWidget *modal) {
                if (!named(modal))
                    return false;
                shown = modal->findChild<QLabel *>(QStringLiteral("label"))->text();
                at = modal->pos();
                return true;
            },
            QStringLiteral("NewHong"));
        button(page, "StartRecord")->click();
        QVERIFY2(driver.fired(), qPrintable(driver.failure()));
        QCOMPARE(shown, QStringLiteral("Please select a macro first."));
        const QPoint corner = page.mapToGlobal(QPoint(0, 0));
        QCOMPARE(at, corner + QPoint((883 - 300) / 2 - 100, (630 - 140) / 2 - 50));
        QCOMPARE(announced.size(), 0);
        QCOMPARE(state().MacroRecording.load(), quint8(0));
        QVERIFY(!button(page, "StartRecord")->isHidden());
    }

    // A held key gives one press and one release with the whole hold time between them; the
    // first event has no delay before it.
    void aHeldKeyIsOnePressAndOneRelease()
    {
        Recording r;
        QVERIFY(r.active);
        r.start();
        r.now += 500; // before the first key: not a delay
        r.press(Qt::Key_A);
        for (int i = 0; i < 5; ++i) {
            r.now += 40;
            r.repeat(Qt::Key_A);
        }
        r.now += 300;
        r.release(Qt::Key_A);
        QCOMPARE(eventData(r.page), QStringLiteral("+A[0x04/1] 500ms[500] -A[0x04/1]"));
    }

    // A down, B down, A up, B up, B down, B up: all six are recorded (the second B press is not a
    // repeat: B was released in between).
    void aKeyPressedAgainAfterItsReleaseIsRecorded()
    {
        Recording r;
        QVERIFY(r.active);
        r.start();
        for (const auto &step :
             {std::make_pair(true, Qt::Key_A), std::make_pair(true, Qt::Key_B),
              std::make_pair(false, Qt::Key_A), std::make_pair(false, Qt::Key_B),
              std::make_pair(true, Qt::Key_B), std::make_pair(false, Qt::Key_B)}) {
            step.first ? r.press(step.second) : r.release(step.second);
            r.now += 10;
        }
        QCOMPARE(events(r.page), QStringLiteral("+A 10ms +B 10ms -A 10ms -B 10ms +B 10ms -B"));
    }

    // A key without a name adds no item; the delay measured up to it stays, and while it is held
    // it adds no more. The next named key gets no delay before it.
    void aKeyWithoutANameKeepsTheDelay()
    {
        Recording r;
        QVERIFY(r.active);
        r.start();
        r.click(Qt::Key_A);
        r.now += 150;
        r.press(Qt::Key_F13);
        for (int i = 0; i < 3; ++i) {
            r.now += 100;
            r.repeat(Qt::Key_F13);
        }
        r.now += 100;
        r.release(Qt::Key_F13);
        r.now += 70;
        r.click(Qt::Key_B);
        QCOMPARE(events(r.page), QStringLiteral("+A 0ms -A 150ms +B 0ms -B"));
    }

    void fixedDelays()
    {
        Recording r;
        QVERIFY(r.active);
        child<QCheckBox>(&r.page, "DefaultDelay")->click();
        child<QSpinBox>(&r.page, "DelayTime")->setValue(250);
        r.start();
        r.press(Qt::Key_Shift);
        r.now += 1234;
        r.press(Qt::Key_1);
        r.release(Qt::Key_1);
        r.release(Qt::Key_Shift);
        QCOMPARE(eventData(r.page),
                 QStringLiteral("+LShift[0x02/0] 250ms[250] +1[0x1E/1] 250ms[250] -1[0x1E/1] "
                                "250ms[250] -LShift[0x02/0]"));
    }

    // The 70th key event ends the recording with the limit notice; the buttons stay until Stop.
    void theSeventiethEventEndsTheRecording()
    {
        Recording r;
        QVERIFY(r.active);
        QSignalSpy announced(PostMsg::GetInstance(), &PostMsg::SigStartRecord);
        r.start();
        const QList<Qt::Key> keys{Qt::Key_A, Qt::Key_S, Qt::Key_D, Qt::Key_F, Qt::Key_G};
        for (int i = 0; i < 34; ++i)
            r.click(keys.at(i % keys.size()));
        r.press(Qt::Key_J);
        QCOMPARE(state().MacroRecording.load(), quint8(1));
        QPoint at;
        ModalDriver driver(
            [&](QWidget *modal) {
                at = modal->pos();
                return ModalDriver::named(QStringLiteral("KeyNumberLimit"))(modal);
            },
            QStringLiteral("NewHong"));
        r.release(Qt::Key_J);
        QVERIFY2(driver.fired(), qPrintable(driver.failure()));
        QCOMPARE(at, r.page.mapToGlobal(QPoint(0, 0)) + QPoint(191, 195));
        QCOMPARE(state().MacroRecording.load(), quint8(0));
        auto *list = child<QListWidget>(&r.page, "listWidgetKey");
        QCOMPARE(list->count(), 70 + 69);
        QVERIFY(events(r.page).endsWith(QLatin1String("+J 0ms -J")));
        // Nothing more is recorded, and the page still shows the recording's buttons.
        r.click(Qt::Key_K);
        QCOMPARE(list->count(), 139);
        QVERIFY(!button(r.page, "StopRecord")->isHidden());
        QCOMPARE(announced.size(), 1);
        button(r.page, "StopRecord")->click();
        QCOMPARE(announced.size(), 2);
        QVERIFY(!button(r.page, "StartRecord")->isHidden());
        QVERIFY(child<QListWidget>(&r.page, "listWidgetHong")->isEnabled());
    }

    // Going back to the home page ends the recording as Stop does, and what was recorded is in
    // the macro's file as Save writes it: the page built again (the next start) shows it. The
    // button page is not asked for anything while the page is left.
    void leavingTheDevicePageWhileRecording_data()
    {
        QTest::addColumn<bool>("atTheLimit");
        QTest::newRow("recording") << false;
        QTest::newRow("after the 70th key") << true;
    }
    void leavingTheDevicePageWhileRecording()
    {
        QFETCH(bool, atTheLimit);
        QByteArray expected = "1\n";
        {
            Recording r;
            QVERIFY(r.active);
            writeMacro(QStringLiteral("Recorded.ini"), QByteArray());
            r.start();
            const int clicks = atTheLimit ? 35 : 1;
            ModalDriver limit(ModalDriver::named(QStringLiteral("KeyNumberLimit")),
                              QStringLiteral("NewHong"));
            for (int i = 0; i < clicks; ++i) {
                r.click(Qt::Key_Q);
                expected += i == 0 ? "0x14 1 0\n0ms\n0x14 1 1\n" : "0ms\n0x14 1 0\n0ms\n0x14 1 1\n";
            }
            QCOMPARE(limit.fired(), atTheLimit);
            QSignalSpy changed(PostMsg::GetInstance(), &PostMsg::SigUpDataMacro);
            emit PostMsg::GetInstance()->SigSetMacroPage();
            QCOMPARE(changed.size(), 0);
            QCOMPARE(state().MacroRecording.load(), quint8(0));
            QVERIFY(!button(r.page, "Save")->isEnabled());
            QVERIFY(button(r.page, "StopRecord")->isHidden());
            QVERIFY(!button(r.page, "StartRecord")->isHidden());
            r.click(Qt::Key_W);
            QCOMPARE(macroFile(QStringLiteral("Recorded.ini")), expected);
        }
        Macro again;
        again.show();
        clickMacro(again, QStringLiteral("Recorded"));
        QVERIFY(events(again).startsWith(QLatin1String("+Q 0ms -Q")));
        QCOMPARE(child<QListWidget>(&again, "listWidgetKey")->count(), atTheLimit ? 139 : 3);
    }

    // Leaving the page writes nothing when nothing was recorded: without a recording, and with a
    // recording left before its first key, whose start emptied the list but not the file.
    void leavingWithoutARecordingWritesNothing_data()
    {
        QTest::addColumn<bool>("started");
        QTest::newRow("no recording") << false;
        QTest::newRow("a recording without a key") << true;
    }
    void leavingWithoutARecordingWritesNothing()
    {
        QFETCH(bool, started);
        const QByteArray saved = "5\n0x04 1 0\n10ms\n0x04 1 1\n";
        Recording r;
        writeMacro(QStringLiteral("Recorded.ini"), saved);
        child<QCheckBox>(&r.page, "ReUntil")->click();
        if (started)
            r.start();
        emit PostMsg::GetInstance()->SigSetMacroPage();
        QCOMPARE(state().MacroRecording.load(), quint8(0));
        QCOMPARE(macroFile(QStringLiteral("Recorded.ini")), saved);
    }

    // The user clicks a macro (the list takes the focus) and Start: keys that would press a
    // button, tick a box or move the focus are recorded and do nothing else.
    void recordedKeysDoNotOperateThePage()
    {
        Recording r;
        QVERIFY(r.active);
        auto *macros = child<QListWidget>(&r.page, "listWidgetHong");
        QTest::mouseClick(macros->viewport(), Qt::LeftButton, Qt::NoModifier,
                          macros->visualItemRect(macros->item(0)).center());
        QCOMPARE(QApplication::focusWidget(), macros);
        QTest::mouseClick(button(r.page, "StartRecord"), Qt::LeftButton);
        QCOMPARE(state().MacroRecording.load(), quint8(1));
        // A click on a box ticks it but does not take the focus.
        auto *loose = child<QCheckBox>(&r.page, "ReUntilLoose");
        QTest::mouseClick(loose, Qt::LeftButton);
        QVERIFY(loose->isChecked());
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Tab, Qt::Key_Return, Qt::Key_Escape, Qt::Key_Tab,
                            Qt::Key_Space, Qt::Key_Up, Qt::Key_Down})
            r.click(key);
        QCOMPARE(QApplication::focusWidget(), &r.page);
        QCOMPARE(state().MacroRecording.load(), quint8(1));
        QVERIFY(!button(r.page, "StopRecord")->isHidden());
        QVERIFY(loose->isChecked());
        QVERIFY(child<QCheckBox>(&r.page, "AutoInsertDelay")->isChecked());
        QCOMPARE(child<QSpinBox>(&r.page, "NumberEdit")->value(), 1);
        QCOMPARE(child<QSpinBox>(&r.page, "DelayTime")->value(), 10);
        QCOMPARE(macros->currentRow(), 0);
        QCOMPARE(events(r.page),
                 QStringLiteral("+Space 0ms -Space 0ms +Tab 0ms -Tab 0ms +Enter "
                                "0ms -Enter 0ms +Esc 0ms -Esc 0ms +Tab 0ms -Tab "
                                "0ms +Space 0ms -Space 0ms +↑ 0ms -↑ 0ms +↓ 0ms -↓"));
        button(r.page, "StopRecord")->click();
        // The widgets take the focus again as before.
        QCOMPARE(macros->focusPolicy(), Qt::ClickFocus);
        QCOMPARE(child<QWidget>(&r.page, "DelayTime")->focusPolicy(), Qt::ClickFocus);
        QCOMPARE(loose->focusPolicy(), Qt::StrongFocus);
    }

    // Alt and Tab take the user to another window; Alt is released there. Back on the page, the
    // next press of Alt is a press, not the keyboard repeating the one before.
    void aKeyReleasedElsewhereIsNotHeldAnyMore()
    {
        Recording r;
        QVERIFY(r.active);
        r.start();
        r.press(Qt::Key_Alt);
        {
            QWidget other;
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
        }
        r.page.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&r.page));
        r.now += 100;
        r.press(Qt::Key_Alt);
        r.now += 100;
        r.release(Qt::Key_Alt);
        QCOMPARE(events(r.page), QStringLiteral("+LAlt 100ms +LAlt 100ms -LAlt"));
    }

    // Injected key messages take the same way as typed keys.
    void injectedKeys()
    {
        Recording r;
        QVERIFY(r.active);
        r.start();
        KeyHook::inject(0xA3, KeyHook::KeyDown);
        r.now += 20;
        KeyHook::inject(0x0C, KeyHook::KeyDown);
        r.now += 20;
        KeyHook::inject(0x0C, KeyHook::KeyUp);
        r.now += 20;
        KeyHook::inject(0xA3, KeyHook::KeyUp);
        QCOMPARE(eventData(r.page), QStringLiteral("+RCtrl[0x10/0] 20ms[20] +[0x00/1] 20ms[20] "
                                                   "-[0x00/1] 20ms[20] -RCtrl[0x10/0]"));
    }
};

ZR35_TEST_MAIN(TestMacroRecording)
#include "tst_macrorecording.moc"
