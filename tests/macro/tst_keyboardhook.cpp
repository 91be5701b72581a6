#include "macro/keyboardhook.h"
#include "platform/desktop/keyhook.h"
#include "tests/support/modaldriver.h"
#include "tests/support/testmain.h"

#include <QDialog>

namespace {

constexpr int Down = KeyHook::KeyDown;
constexpr int Up = KeyHook::KeyUp;
constexpr int SysDown = KeyHook::SysKeyDown;
constexpr int SysUp = KeyHook::SysKeyUp;

constexpr int KeyA = 0x41;
constexpr int KeyB = 0x42;
constexpr int LAlt = 0xA4;

// What an owner's callback was called with, as "vk down repeat" triples: "41 1 0".
class Calls
{
public:
    explicit Calls(KeyboardHook &hook)
    {
        hook.SetCallback([this](int vk, bool down, bool repeat) {
            seen << QStringLiteral("%1 %2 %3").arg(vk, 0, 16).arg(int(down)).arg(int(repeat));
        });
    }
    QStringList seen;
};

struct Message
{
    int vk;
    int message;
};

} // namespace

Q_DECLARE_METATYPE(QVector<int>)

class TestKeyboardHook : public QObject
{
    Q_OBJECT
private slots:
    // Each case starts from a released key of its own, so the state the owner carries over
    // from earlier cases does not matter.
    void procedures_data()
    {
        QTest::addColumn<int>("owner");
        QTest::addColumn<QVector<int>>("messages"); // vk, message pairs
        QTest::addColumn<QStringList>("expected");
        const int page = KeyboardHook::MacroPage;
        const int group = KeyboardHook::GroupKeyDialog;
        const int add = KeyboardHook::AddKeyDialog;
        const QVector<int> held{KeyB, Up, KeyA, Down, KeyA, Down, KeyA, Down, KeyA, Up, KeyA, Down};
        const QStringList heldSeen{"42 0 0", "41 1 0", "41 1 1", "41 1 1", "41 0 0", "41 1 0"};
        QTest::newRow("page: held key") << page << held << heldSeen;
        QTest::newRow("key dialog: held key") << group << held << heldSeen;
        QTest::newRow("page: another key between two presses")
            << page << QVector<int>{KeyB, Up, KeyA, Down, KeyB, Down, KeyA, Down}
            << QStringList{"42 0 0", "41 1 0", "42 1 0", "41 1 0"};
        QTest::newRow("page: alt alone")
            << page << QVector<int>{KeyB, Up, LAlt, SysDown, LAlt, SysUp}
            << QStringList{"42 0 0", "a4 1 0", "a4 0 1"};
        // The system release leaves the last key set: the next press of it is a repeat.
        QTest::newRow("page: alt again after its release")
            << page << QVector<int>{KeyB, Up, LAlt, SysDown, LAlt, SysUp, LAlt, SysDown}
            << QStringList{"42 0 0", "a4 1 0", "a4 0 1", "a4 1 1"};
        QTest::newRow("page: a key held with alt")
            << page << QVector<int>{KeyB, Up, LAlt, SysDown, KeyA, SysDown, KeyA, SysUp}
            << QStringList{"42 0 0", "a4 1 0", "41 1 0", "41 0 1"};
        // The key dialogs keep the press state of the previous message for system messages.
        QTest::newRow("key dialog: alt alone")
            << add << QVector<int>{KeyB, Up, LAlt, SysDown, LAlt, SysUp}
            << QStringList{"42 0 0", "a4 0 0", "a4 0 1"};
        QTest::newRow("key dialog: a key held with alt")
            << group << QVector<int>{KeyB, Up, KeyB, Down, KeyA, SysDown, KeyA, SysUp}
            << QStringList{"42 0 0", "42 1 0", "41 1 0", "41 1 1"};
        QTest::newRow("key dialog: other messages keep the state")
            << add << QVector<int>{KeyB, Up, KeyA, Down, KeyA, 0x0200}
            << QStringList{"42 0 0", "41 1 0", "41 1 1"};
    }
    void procedures()
    {
        QFETCH(int, owner);
        QFETCH(QVector<int>, messages);
        QFETCH(QStringList, expected);
        KeyboardHook hook{KeyboardHook::Owner(owner)};
        Calls calls(hook);
        hook.Install();
        for (int i = 0; i + 1 < messages.size(); i += 2)
            KeyHook::inject(messages.at(i), messages.at(i + 1));
        hook.Uninstall();
        QCOMPARE(calls.seen, expected);
    }

    // The three owners keep apart: a key one of them sees changes nothing in the others.
    void ownersHaveTheirOwnState()
    {
        KeyboardHook page(KeyboardHook::MacroPage);
        KeyboardHook group(KeyboardHook::GroupKeyDialog);
        KeyboardHook add(KeyboardHook::AddKeyDialog);
        Calls pageCalls(page);
        Calls groupCalls(group);
        Calls addCalls(add);
        for (KeyboardHook *hook : {&page, &group, &add}) {
            hook->Install();
            KeyHook::inject(KeyB, Up);
        }
        page.Uninstall();
        group.Uninstall();
        KeyHook::inject(KeyA, Down); // only the single-key dialog sees it
        add.Uninstall();
        page.Install();
        group.Install();
        KeyHook::inject(KeyA, Down);
        page.Uninstall();
        group.Uninstall();
        QCOMPARE(pageCalls.seen.last(), QStringLiteral("41 1 0"));
        QCOMPARE(groupCalls.seen.last(), QStringLiteral("41 1 0"));
        QCOMPARE(addCalls.seen.last(), QStringLiteral("41 1 0"));
        QCOMPARE(addCalls.seen.size(), 2);
    }

    // The state is process-wide: a new holder of the same owner goes on where the last one
    // stopped, and installing again keeps one hook.
    void stateCarriesOverBetweenUses()
    {
        {
            KeyboardHook first(KeyboardHook::MacroPage);
            Calls calls(first);
            first.Install();
            first.Install();
            KeyHook::inject(KeyA, Down);
            QCOMPARE(calls.seen.size(), 1);
        }
        KeyboardHook second(KeyboardHook::MacroPage);
        Calls calls(second);
        second.Install();
        KeyHook::inject(KeyA, Down);
        second.Uninstall();
        QCOMPARE(calls.seen, QStringList{"41 1 1"});
    }

    void uninstallIsSafeAnyNumberOfTimes()
    {
        KeyboardHook hook(KeyboardHook::GroupKeyDialog);
        Calls calls(hook);
        hook.Uninstall();
        QVERIFY(!hook.IsInstalled());
        hook.Install();
        QVERIFY(hook.IsInstalled());
        hook.Uninstall();
        hook.Uninstall();
        KeyHook::inject(KeyA, Down);
        QVERIFY(calls.seen.isEmpty());
    }

    // A holder that goes while its hook is installed takes the hook with it; one that never
    // installed leaves another holder's hook alone.
    void aHolderTakesOnlyItsOwnHookAlong()
    {
        int calls = 0;
        {
            KeyboardHook hook(KeyboardHook::AddKeyDialog);
            hook.SetCallback([&](int, bool, bool) { ++calls; });
            hook.Install();
        }
        KeyHook::inject(KeyA, Down);
        QCOMPARE(calls, 0);

        KeyboardHook installed(KeyboardHook::AddKeyDialog);
        installed.Install();
        {
            KeyboardHook idle(KeyboardHook::AddKeyDialog);
        }
        KeyHook::inject(KeyA, Up);
        QCOMPARE(calls, 1);
        installed.Uninstall();
    }

    // The recorder's limit: the callback removes the hook and runs a modal notice inside the
    // key's delivery; keys typed while the notice is open are not reported.
    void uninstallInsideTheCallback()
    {
        KeyboardHook hook(KeyboardHook::MacroPage);
        QStringList seen;
        hook.SetCallback([&](int vk, bool down, bool) {
            seen << QStringLiteral("%1 %2").arg(vk, 0, 16).arg(int(down));
            if (seen.size() < 2)
                return;
            hook.Uninstall();
            QDialog notice;
            notice.setObjectName(QStringLiteral("Notice"));
            // Typed while the notice is open.
            QTimer::singleShot(0, [] { KeyHook::inject(KeyB, Down); });
            ModalDriver driver(ModalDriver::named(QStringLiteral("Notice")), Qt::Key_Escape);
            notice.exec();
            QVERIFY(driver.fired());
        });
        hook.Install();
        KeyHook::inject(KeyA, Down);
        KeyHook::inject(KeyA, Up);
        KeyHook::inject(KeyA, Down);
        QCOMPARE(seen, (QStringList{"41 1", "41 0"}));
        QVERIFY(!hook.IsInstalled());
    }
};

ZR35_TEST_MAIN(TestKeyboardHook)
#include "tst_keyboardhook.moc"
