#include "platform/desktop/keyhook.h"
#include "tests/support/testmain.h"

#include <QFrame>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

namespace {

struct Report
{
    int vk;
    int message;
    bool operator==(const Report &other) const
    {
        return vk == other.vk && message == other.message;
    }
};

QString describe(const QVector<Report> &reports)
{
    QStringList parts;
    for (const Report &r : reports)
        parts << QStringLiteral("%1/%2").arg(r.vk, 2, 16).arg(r.message, 3, 16);
    return parts.join(QLatin1Char(' '));
}

// Collects what the hook reports while it lives.
class Listener
{
public:
    Listener()
        : handle(KeyHook::add([this](int vk, int message) {
              reports.append({vk, message});
          }))
    {}
    ~Listener() { KeyHook::remove(handle); }
    QVector<Report> reports;
    int handle;
};

// A window whose key goes to a line edit two levels down, so an event that no widget takes
// climbs through three parents.
class TypingWindow : public QWidget
{
public:
    TypingWindow()
    {
        auto *frame = new QFrame(this);
        auto *inner = new QVBoxLayout(frame);
        edit = new QLineEdit(frame);
        inner->addWidget(edit);
        auto *outer = new QVBoxLayout(this);
        outer->addWidget(frame);
        resize(200, 80);
    }
    bool showActive()
    {
        show();
        activateWindow();
        edit->setFocus();
        return QTest::qWaitForWindowActive(this);
    }
    QWindow *window() { return windowHandle(); }
    QLineEdit *edit;
};

constexpr int Down = KeyHook::KeyDown;
constexpr int Up = KeyHook::KeyUp;
constexpr int SysDown = KeyHook::SysKeyDown;
constexpr int SysUp = KeyHook::SysKeyUp;

// X11 keysyms and key codes the mapping reads.
constexpr quint32 ShiftL = 0xffe1, ShiftR = 0xffe2, ControlR = 0xffe4, AltL = 0xffe9, AltR = 0xffea,
                  SuperL = 0xffeb, SuperR = 0xffec, Level3Shift = 0xfe03;
// The X11 key code of a kernel key code.
constexpr quint32 x11(int kernelCode)
{
    return quint32(kernelCode + 8);
}

} // namespace

Q_DECLARE_METATYPE(Qt::KeyboardModifiers)

class TestKeyHook : public QObject
{
    Q_OBJECT
private slots:
    void virtualKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<quint32>("scanCode");
        QTest::addColumn<quint32>("keysym");
        QTest::addColumn<int>("expected");
        const Qt::KeyboardModifiers none = Qt::NoModifier;
        const Qt::KeyboardModifiers pad = Qt::KeypadModifier;
        const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
        auto row = [](const char *name, int key, Qt::KeyboardModifiers m, quint32 scan, quint32 sym,
                      int vk) { QTest::newRow(name) << key << m << scan << sym << vk; };
        row("letter", Qt::Key_A, none, x11(30), 0, 0x41);
        row("shifted letter", Qt::Key_Z, shift, x11(44), 0, 0x5A);
        row("digit by place", Qt::Key_1, none, x11(2), 0, 0x31);
        row("shifted digit by place", Qt::Key_Exclam, shift, x11(2), 0, 0x31);
        row("other layout's digit key", Qt::Key_Ampersand, none, x11(2), 0, 0x31);
        row("shifted digit without place", Qt::Key_At, shift, 0, 0, 0x32);
        row("shifted zero without place", Qt::Key_ParenRight, shift, 0, 0, 0x30);
        row("question mark", Qt::Key_Question, shift, 0, 0, 0xBF);
        row("colon", Qt::Key_Colon, shift, 0, 0, 0xBA);
        row("brace", Qt::Key_BraceLeft, shift, 0, 0, 0xDB);
        row("tilde", Qt::Key_AsciiTilde, shift, 0, 0, 0xC0);
        row("double quote", Qt::Key_QuoteDbl, shift, 0, 0, 0xDE);
        row("bar", Qt::Key_Bar, shift, 0, 0, 0xDC);
        row("underscore", Qt::Key_Underscore, shift, 0, 0, 0xBD);
        row("plus of the main block", Qt::Key_Plus, shift, 0, 0, 0xBB);
        row("less than", Qt::Key_Less, shift, 0, 0, 0xBC);
        row("backslash by place", Qt::Key_Backslash, none, x11(43), 0, 0xDC);
        row("grave by place", Qt::Key_QuoteLeft, none, x11(41), 0, 0xC0);
        row("Ukrainian ef on A", 0x0424, none, x11(30), 0, 0x41);
        row("Ukrainian zhe on semicolon", 0x0416, none, x11(39), 0, 0xBA);
        row("Ukrainian ye on apostrophe", 0x0404, none, x11(40), 0, 0xDE);
        row("Ukrainian letter without place", 0x0424, none, 0, 0, KeyHook::UnnamedKey);
        row("keypad 0", Qt::Key_0, pad, x11(82), 0, 0x60);
        row("keypad 5", Qt::Key_5, pad, x11(76), 0, 0x65);
        row("keypad 9", Qt::Key_9, pad, x11(73), 0, 0x69);
        row("keypad multiply", Qt::Key_Asterisk, pad, x11(55), 0, 0x6A);
        row("keypad plus", Qt::Key_Plus, pad, x11(78), 0, 0x6B);
        row("keypad minus", Qt::Key_Minus, pad, x11(74), 0, 0x6D);
        row("keypad decimal", Qt::Key_Period, pad, x11(83), 0, 0x6E);
        row("keypad decimal comma", Qt::Key_Comma, pad, x11(83), 0, 0x6E);
        row("keypad divide", Qt::Key_Slash, pad, x11(98), 0, 0x6F);
        row("keypad enter", Qt::Key_Enter, pad, x11(96), 0, 0x0D);
        row("keypad 7 without Num Lock", Qt::Key_Home, pad, x11(71), 0, 0x24);
        row("keypad 1 without Num Lock", Qt::Key_End, pad, x11(79), 0, 0x23);
        row("keypad 4 without Num Lock", Qt::Key_Left, pad, x11(75), 0, 0x25);
        row("keypad 0 without Num Lock", Qt::Key_Insert, pad, x11(82), 0, 0x2D);
        row("keypad decimal without Num Lock", Qt::Key_Delete, pad, x11(83), 0, 0x2E);
        row("keypad 5 without Num Lock", Qt::Key_Clear, pad, x11(76), 0, 0x0C);
        row("left shift", Qt::Key_Shift, none, x11(42), ShiftL, 0xA0);
        row("right shift", Qt::Key_Shift, none, x11(54), ShiftR, 0xA1);
        row("shift of no known side", Qt::Key_Shift, none, 0, 0, 0xA0);
        row("right control", Qt::Key_Control, none, x11(97), ControlR, 0xA3);
        row("control of no known side", Qt::Key_Control, none, 0, 0, 0xA2);
        row("left alt", Qt::Key_Alt, none, x11(56), AltL, 0xA4);
        row("right alt", Qt::Key_Alt, none, x11(100), AltR, 0xA5);
        row("AltGr", Qt::Key_AltGr, none, x11(100), Level3Shift, 0xA5);
        row("left super", Qt::Key_Super_L, none, x11(125), SuperL, 0x5B);
        row("right super", Qt::Key_Super_R, none, x11(126), SuperR, 0x5C);
        row("meta of no known side", Qt::Key_Meta, none, 0, 0, 0x5B);
        row("tab", Qt::Key_Tab, none, x11(15), 0, 0x09);
        row("backtab", Qt::Key_Backtab, shift, x11(15), 0, 0x09);
        row("space", Qt::Key_Space, none, x11(57), 0, 0x20);
        row("return", Qt::Key_Return, none, x11(28), 0, 0x0D);
        row("escape", Qt::Key_Escape, none, x11(1), 0, 0x1B);
        row("backspace", Qt::Key_Backspace, none, x11(14), 0, 0x08);
        row("print", Qt::Key_Print, none, 0, 0, 0x2C);
        row("pause", Qt::Key_Pause, none, 0, 0, 0x13);
        row("menu", Qt::Key_Menu, none, 0, 0, 0x5D);
        row("caps lock", Qt::Key_CapsLock, none, 0, 0, 0x14);
        row("num lock", Qt::Key_NumLock, none, 0, 0, 0x90);
        row("scroll lock", Qt::Key_ScrollLock, none, 0, 0, 0x91);
        row("page down", Qt::Key_PageDown, none, 0, 0, 0x22);
        row("up", Qt::Key_Up, none, 0, 0, 0x26);
        row("F1", Qt::Key_F1, none, 0, 0, 0x70);
        row("F12", Qt::Key_F12, none, 0, 0, 0x7B);
        row("F13 has no row", Qt::Key_F13, none, 0, 0, 0x7C);
        row("media key", Qt::Key_VolumeUp, none, 0, 0, 0xAF);
        row("unknown key", Qt::Key_unknown, none, 0, 0, KeyHook::UnnamedKey);
    }
    void virtualKeys()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(quint32, scanCode);
        QFETCH(quint32, keysym);
        QFETCH(int, expected);
        QCOMPARE(KeyHook::VirtualKey(key, modifiers, scanCode, keysym), expected);
    }

    void messages_data()
    {
        QTest::addColumn<bool>("press");
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("expected");
        const Qt::KeyboardModifiers none = Qt::NoModifier;
        QTest::newRow("letter") << true << int(Qt::Key_A) << none << Down;
        QTest::newRow("letter released") << false << int(Qt::Key_A) << none << Up;
        QTest::newRow("shifted letter")
            << true << int(Qt::Key_A) << Qt::KeyboardModifiers(Qt::ShiftModifier) << Down;
        QTest::newRow("control") << true << int(Qt::Key_Control) << none << Down;
        QTest::newRow("F1") << true << int(Qt::Key_F1) << none << Down;
        QTest::newRow("F10") << true << int(Qt::Key_F10) << none << SysDown;
        QTest::newRow("F10 released") << false << int(Qt::Key_F10) << none << SysUp;
        QTest::newRow("alt") << true << int(Qt::Key_Alt) << none << SysDown;
        QTest::newRow("alt released")
            << false << int(Qt::Key_Alt) << Qt::KeyboardModifiers(Qt::AltModifier) << SysUp;
        QTest::newRow("AltGr") << true << int(Qt::Key_AltGr) << none << SysDown;
        QTest::newRow("letter with alt")
            << true << int(Qt::Key_A) << Qt::KeyboardModifiers(Qt::AltModifier) << SysDown;
        QTest::newRow("letter with alt released")
            << false << int(Qt::Key_A) << Qt::KeyboardModifiers(Qt::AltModifier) << SysUp;
    }
    void messages()
    {
        QFETCH(bool, press);
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, expected);
        QCOMPARE(KeyHook::MessageFor(press, key, modifiers), expected);
    }

    // Each key is reported once however far its event climbs through the widgets, and the
    // focused line edit still gets what is typed.
    void oneReportPerKeyAndTheWidgetStillTypes()
    {
        TypingWindow window;
        QVERIFY(window.showActive());
        Listener listener;
        QTest::keyClick(window.window(), Qt::Key_A);
        QTest::keyClick(window.window(), Qt::Key_F5); // the line edit ignores it: it climbs
        QTest::keyClick(window.window(), Qt::Key_B, Qt::ShiftModifier);
        const QVector<Report> expected{{0x41, Down}, {0x41, Up},   {0x74, Down}, {0x74, Up},
                                       {0xA0, Down}, {0x42, Down}, {0x42, Up},   {0xA0, Up}};
        QVERIFY2(listener.reports == expected, qPrintable(describe(listener.reports)));
        QCOMPARE(window.edit->text(), QStringLiteral("ab"));
    }

    void systemKeysThroughTheWindow()
    {
        TypingWindow window;
        QVERIFY(window.showActive());
        Listener listener;
        QTest::keyClick(window.window(), Qt::Key_X, Qt::AltModifier);
        const QVector<Report> expected{
            {0xA4, SysDown}, {0x58, SysDown}, {0x58, SysUp}, {0xA4, SysUp}};
        QVERIFY2(listener.reports == expected, qPrintable(describe(listener.reports)));
    }

    // A real key event carries its X11 codes: the Ukrainian letter on the A key is the A key.
    void nativeCodesOfARealEvent()
    {
        TypingWindow window;
        QVERIFY(window.showActive());
        Listener listener;
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, 0x0424, Qt::NoModifier, x11(30), 0x6c6, 0,
                            QString(QChar(0x0444)));
            QCoreApplication::sendEvent(window.window(), &event);
        }
        const QVector<Report> expected{{0x41, Down}, {0x41, Up}};
        QVERIFY2(listener.reports == expected, qPrintable(describe(listener.reports)));
        QCOMPARE(window.edit->text(), QString(QChar(0x0444)));
    }

    // The keyboard repeats a held key as release and press pairs; the releases are not real.
    void autoRepeatIsFurtherPresses()
    {
        TypingWindow window;
        QVERIFY(window.showActive());
        Listener listener;
        QWindow *w = window.window();
        QTest::simulateEvent(w, true, Qt::Key_B, Qt::NoModifier, QStringLiteral("b"), false);
        for (int i = 0; i < 2; ++i) {
            QTest::simulateEvent(w, false, Qt::Key_B, Qt::NoModifier, QStringLiteral("b"), true);
            QTest::simulateEvent(w, true, Qt::Key_B, Qt::NoModifier, QStringLiteral("b"), true);
        }
        QTest::simulateEvent(w, false, Qt::Key_B, Qt::NoModifier, QStringLiteral("b"), false);
        const QVector<Report> expected{{0x42, Down}, {0x42, Down}, {0x42, Down}, {0x42, Up}};
        QVERIFY2(listener.reports == expected, qPrintable(describe(listener.reports)));
        QCOMPARE(window.edit->text(), QStringLiteral("bbb"));
    }

    // Keys go to the program only while one of its windows is in front.
    void nothingWhileNoWindowIsActive()
    {
        {
            TypingWindow front;
            QVERIFY(front.showActive());
        }
        // The window that was in front is gone and none of the program's windows is active.
        QTRY_VERIFY(!QGuiApplication::focusWindow());
        TypingWindow window;
        window.winId();
        Listener listener;
        QTest::keyClick(window.window(), Qt::Key_A);
        QVERIFY2(listener.reports.isEmpty(), qPrintable(describe(listener.reports)));
        QVERIFY(window.showActive());
        QTest::keyClick(window.window(), Qt::Key_A);
        QCOMPARE(listener.reports.size(), 2);
    }

    void injectionReachesEveryProcedure()
    {
        Listener first;
        Listener second;
        KeyHook::inject(0x41, Down);
        QVERIFY(first.reports == (QVector<Report>{{0x41, Down}}));
        QVERIFY(second.reports == (QVector<Report>{{0x41, Down}}));
        KeyHook::remove(first.handle);
        QVERIFY(!KeyHook::isRegistered(first.handle));
        KeyHook::inject(0x41, Up);
        QCOMPARE(first.reports.size(), 1);
        QCOMPARE(second.reports.size(), 2);
        // Removing twice, or removing nothing, is harmless.
        KeyHook::remove(first.handle);
        KeyHook::remove(0);
    }

    // A procedure may end its own or a later registration while a key is reported, and may add
    // one: what was removed is not called again, even for the key being reported.
    void registrationsChangeDuringAReport()
    {
        int calls = 0;
        int later = 0;
        int self = 0;
        self = KeyHook::add([&](int, int) {
            ++calls;
            KeyHook::remove(self);
            KeyHook::remove(later);
        });
        int laterCalls = 0;
        later = KeyHook::add([&](int, int) { ++laterCalls; });
        KeyHook::inject(0x41, Down);
        KeyHook::inject(0x41, Up);
        QCOMPARE(calls, 1);
        QCOMPARE(laterCalls, 0);
    }
};

ZR35_TEST_MAIN(TestKeyHook)
#include "tst_keyhook.moc"
