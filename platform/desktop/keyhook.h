#pragma once

#include <QtGlobal>
#include <qnamespace.h>

#include <functional>

// The keys typed into the program's own windows, reported the way a low-level keyboard hook
// reports them: a virtual-key code and a key message. The macro recorder and the key dialogs
// capture keys through it (macro/keyboardhook.h); nothing else should.
//
// One application-wide event filter looks at the key events Qt hands to the program's top-level
// windows (each physical key reaches its window once, before any widget sees it) and never
// consumes one, so every key keeps its normal effect. It reports only while one of the program's
// windows is active. Everything runs on the GUI thread; a procedure is called synchronously,
// before the focused widget gets the key.
namespace KeyHook {

// The key messages, with the values the stored key tables and the recorder's rules are written
// for. The system pair stands for F10, the Alt keys and any key pressed or released while Alt is
// held.
enum Message
{
    KeyDown = 0x0100,
    KeyUp = 0x0101,
    SysKeyDown = 0x0104,
    SysKeyUp = 0x0105
};

// The code of a key no key table names.
constexpr int UnnamedKey = 0xFF;

using Procedure = std::function<void(int virtualKey, int message)>;

// Registers a procedure for every key message from now on; returns its handle (never 0).
int add(Procedure procedure);
// Ends a registration. A handle of 0 or one already removed does nothing. May be called from
// inside a procedure: a procedure removed while a message is being reported is not called for it.
void remove(int handle);
bool isRegistered(int handle);

// Tests: reports a key message as if a key had been typed into an active program window, without
// the key event and its mapping. No keyboard grab, nothing sent to the display server.
void inject(int virtualKey, int message);

// The virtual-key code of a key event. Layout-dependent keys are taken by their place on a US
// keyboard where the event tells it (the X11 key code in nativeScanCode); right-hand modifiers
// are told apart by their X11 keysym (nativeVirtualKey). Pure.
int VirtualKey(int qtKey, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode,
               quint32 nativeVirtualKey);

// The message of a press or release of `qtKey` while `modifiers` are held. Pure.
int MessageFor(bool press, int qtKey, Qt::KeyboardModifiers modifiers);

} // namespace KeyHook
