#include "platform/desktop/keyhook.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWindow>

#include <utility>
#include <vector>

namespace {

// X11 keysyms of the right-hand modifier keys (X11/keysymdef.h).
constexpr quint32 XkShiftR = 0xffe2;
constexpr quint32 XkControlR = 0xffe4;
constexpr quint32 XkAltR = 0xffea;
constexpr quint32 XkSuperR = 0xffec;
constexpr quint32 XkIsoLevel3Shift = 0xfe03; // AltGr

// X11 key codes are the kernel's key codes plus 8.
constexpr quint32 X11KeycodeOffset = 8;

struct Registration
{
    int handle;
    KeyHook::Procedure procedure;
};

// GUI thread only.
std::vector<Registration> &registrations()
{
    static std::vector<Registration> list;
    return list;
}

int nextHandle = 1;

void report(int virtualKey, int message)
{
    // A procedure may remove itself or another one, or run a modal dialog that reports keys of
    // its own: walk a copy of the handles and look each up again before calling it.
    std::vector<int> handles;
    for (const Registration &r : registrations())
        handles.push_back(r.handle);
    for (int handle : handles) {
        KeyHook::Procedure procedure;
        for (const Registration &r : registrations()) {
            if (r.handle == handle)
                procedure = r.procedure;
        }
        if (procedure)
            procedure(virtualKey, message);
    }
}

// Keys of the US keyboard by kernel key code: the digit row, the letters and the punctuation.
int virtualKeyByPlace(quint32 nativeScanCode)
{
    if (nativeScanCode <= X11KeycodeOffset)
        return 0;
    static const char *const rows[] = {
        // Kernel codes 2..13, 16..27, 30..41 and 43..53, in that order.
        "1234567890-=", "QWERTYUIOP[]", "ASDFGHJKL;'`", "\\ZXCVBNM,./"};
    static const int firsts[] = {2, 16, 30, 43};
    const int code = int(nativeScanCode - X11KeycodeOffset);
    for (int row = 0; row < 4; ++row) {
        const int column = code - firsts[row];
        if (column >= 0 && column < int(qstrlen(rows[row])))
            return rows[row][column];
    }
    return 0;
}

// The virtual key of a character on the US keyboard: the key that types it, shifted or not.
int virtualKeyOfCharacter(int character)
{
    static const struct
    {
        char key;
        const char *typed;
    } keys[] = {{'1', "1!"}, {'2', "2@"}, {'3', "3#"}, {'4', "4$"},   {'5', "5%"}, {'6', "6^"},
                {'7', "7&"}, {'8', "8*"}, {'9', "9("}, {'0', "0)"},   {'-', "-_"}, {'=', "=+"},
                {'[', "[{"}, {']', "]}"}, {';', ";:"}, {'\'', "'\""}, {'`', "`~"}, {'\\', "\\|"},
                {',', ",<"}, {'.', ".>"}, {'/', "/?"}};
    for (const auto &k : keys) {
        if (character == k.typed[0] || character == k.typed[1])
            return k.key;
    }
    return 0;
}

// The virtual key of a key the US keyboard names by its character.
int virtualKeyOfUsKey(char key)
{
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return key;
    switch (key) {
    case ';':
        return 0xBA;
    case '=':
        return 0xBB;
    case ',':
        return 0xBC;
    case '-':
        return 0xBD;
    case '.':
        return 0xBE;
    case '/':
        return 0xBF;
    case '`':
        return 0xC0;
    case '[':
        return 0xDB;
    case '\\':
        return 0xDC;
    case ']':
        return 0xDD;
    case '\'':
        return 0xDE;
    default:
        return 0;
    }
}

// The number pad with Num Lock on: digits and operators. Without Num Lock its keys arrive as
// navigation keys and take the navigation codes.
int keypadKey(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return 0x60 + (qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Asterisk:
        return 0x6A;
    case Qt::Key_Plus:
        return 0x6B;
    case Qt::Key_Minus:
        return 0x6D;
    case Qt::Key_Period:
    case Qt::Key_Comma: // the decimal key of layouts that write a decimal comma
        return 0x6E;
    case Qt::Key_Slash:
        return 0x6F;
    default:
        return 0;
    }
}

bool rightHandKeysym(quint32 keysym)
{
    return keysym == XkShiftR || keysym == XkControlR || keysym == XkAltR || keysym == XkSuperR ||
           keysym == XkIsoLevel3Shift;
}

int modifierKey(int qtKey, quint32 nativeVirtualKey)
{
    const bool right = rightHandKeysym(nativeVirtualKey);
    switch (qtKey) {
    case Qt::Key_Shift:
        return right ? 0xA1 : 0xA0;
    case Qt::Key_Control:
        return right ? 0xA3 : 0xA2;
    case Qt::Key_Alt:
        return right ? 0xA5 : 0xA4;
    case Qt::Key_AltGr: // the right Alt key of layouts with a third level
        return 0xA5;
    case Qt::Key_Super_R:
        return 0x5C;
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
        return right ? 0x5C : 0x5B;
    default:
        return 0;
    }
}

// Keys whose virtual key does not depend on the layout.
int namedKey(int qtKey)
{
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 0x70 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace:
        return 0x08;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: // Shift+Tab
        return 0x09;
    case Qt::Key_Clear: // the number pad's 5 without Num Lock
        return 0x0C;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 0x0D;
    case Qt::Key_Pause:
        return 0x13;
    case Qt::Key_CapsLock:
        return 0x14;
    case Qt::Key_Escape:
        return 0x1B;
    case Qt::Key_Space:
        return 0x20;
    case Qt::Key_PageUp:
        return 0x21;
    case Qt::Key_PageDown:
        return 0x22;
    case Qt::Key_End:
        return 0x23;
    case Qt::Key_Home:
        return 0x24;
    case Qt::Key_Left:
        return 0x25;
    case Qt::Key_Up:
        return 0x26;
    case Qt::Key_Right:
        return 0x27;
    case Qt::Key_Down:
        return 0x28;
    case Qt::Key_Print:
    case Qt::Key_SysReq: // Alt+Print
        return 0x2C;
    case Qt::Key_Insert:
        return 0x2D;
    case Qt::Key_Delete:
        return 0x2E;
    case Qt::Key_Menu:
        return 0x5D;
    case Qt::Key_NumLock:
        return 0x90;
    case Qt::Key_ScrollLock:
        return 0x91;
    case Qt::Key_VolumeMute:
        return 0xAD;
    case Qt::Key_VolumeDown:
        return 0xAE;
    case Qt::Key_VolumeUp:
        return 0xAF;
    case Qt::Key_MediaNext:
        return 0xB0;
    case Qt::Key_MediaPrevious:
        return 0xB1;
    case Qt::Key_MediaStop:
        return 0xB2;
    case Qt::Key_MediaPlay:
    case Qt::Key_MediaTogglePlayPause:
        return 0xB3;
    default:
        return 0;
    }
}

class KeyFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        // The window's event comes first; its copies handed on to the focused widget and up to
        // its parents pass here again and are not reported twice.
        if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !watched->isWindowType())
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool press = type == QEvent::KeyPress;
        // A held key repeats as further presses; the releases put between them are not real.
        if (!press && key->isAutoRepeat())
            return false;
        if (!QGuiApplication::focusWindow())
            return false;
        report(KeyHook::VirtualKey(key->key(), key->modifiers(), key->nativeScanCode(),
                                   key->nativeVirtualKey()),
               KeyHook::MessageFor(press, key->key(), key->modifiers()));
        return false;
    }
};

void ensureFilter()
{
    static QPointer<KeyFilter> filter;
    if (filter || !QCoreApplication::instance())
        return;
    // Owned by the application object, so it goes with it.
    filter = new KeyFilter(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(filter);
}

} // namespace

int KeyHook::add(Procedure procedure)
{
    ensureFilter();
    const int handle = nextHandle++;
    registrations().push_back({handle, std::move(procedure)});
    return handle;
}

void KeyHook::remove(int handle)
{
    auto &list = registrations();
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (it->handle == handle) {
            list.erase(it);
            return;
        }
    }
}

bool KeyHook::isRegistered(int handle)
{
    for (const Registration &r : registrations()) {
        if (r.handle == handle)
            return true;
    }
    return false;
}

void KeyHook::inject(int virtualKey, int message)
{
    report(virtualKey, message);
}

int KeyHook::VirtualKey(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode,
                        quint32 nativeVirtualKey)
{
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return qtKey;
    if (modifiers & Qt::KeypadModifier) {
        if (const int vk = keypadKey(qtKey))
            return vk;
    }
    if (const int vk = modifierKey(qtKey, nativeVirtualKey))
        return vk;
    if (const int vk = namedKey(qtKey))
        return vk;
    if (const int place = virtualKeyByPlace(nativeScanCode))
        return virtualKeyOfUsKey(char(place));
    if (const int key = virtualKeyOfCharacter(qtKey))
        return virtualKeyOfUsKey(char(key));
    return UnnamedKey;
}

int KeyHook::MessageFor(bool press, int qtKey, Qt::KeyboardModifiers modifiers)
{
    const bool system = qtKey == Qt::Key_F10 || qtKey == Qt::Key_Alt || qtKey == Qt::Key_AltGr ||
                        (modifiers & Qt::AltModifier);
    if (system)
        return press ? SysKeyDown : SysKeyUp;
    return press ? KeyDown : KeyUp;
}
