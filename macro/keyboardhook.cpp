#include "macro/keyboardhook.h"

#include "platform/desktop/keyhook.h"

namespace {

struct HookState
{
    int Handle = 0;  // the key hook registration; 0 while not installed
    int LastKey = 0; // the previous message's key; 0 after a plain release
    bool KeyDown = false;
    bool KeyRepeat = false;
    KeyHookCallback Callback;
    const KeyboardHook *InstalledBy = nullptr;
};

// One per owner, for the whole run. GUI thread only.
HookState &state(KeyboardHook::Owner owner)
{
    static HookState states[3];
    return states[owner];
}

} // namespace

KeyboardHook::KeyboardHook(Owner owner) : owner(owner) {}

KeyboardHook::~KeyboardHook()
{
    if (state(owner).InstalledBy == this)
        Uninstall();
}

void KeyboardHook::Install()
{
    HookState &s = state(owner);
    KeyHook::remove(s.Handle);
    const Owner o = owner;
    s.Handle = KeyHook::add([o](int virtualKey, int message) { HookProc(o, virtualKey, message); });
    s.InstalledBy = this;
}

void KeyboardHook::Uninstall()
{
    HookState &s = state(owner);
    if (s.Handle == 0)
        return;
    KeyHook::remove(s.Handle);
    s.Handle = 0;
    s.InstalledBy = nullptr;
}

bool KeyboardHook::IsInstalled() const
{
    return state(owner).Handle != 0;
}

void KeyboardHook::SetCallback(KeyHookCallback callback)
{
    state(owner).Callback = std::move(callback);
}

void KeyboardHook::HookProc(Owner owner, int virtualKey, int message)
{
    HookState &s = state(owner);
    if (virtualKey == s.LastKey) {
        s.KeyRepeat = true;
    } else {
        s.KeyRepeat = false;
        s.LastKey = virtualKey;
    }
    // The macro page counts the system messages (Alt and keys held with it) as presses and
    // releases; the key dialogs keep the previous press state for them.
    const bool page = owner == MacroPage;
    switch (message) {
    case KeyHook::KeyDown:
        s.KeyDown = true;
        break;
    case KeyHook::KeyUp:
        s.KeyDown = false;
        s.KeyRepeat = false;
        s.LastKey = 0;
        break;
    case KeyHook::SysKeyDown:
        if (page)
            s.KeyDown = true;
        break;
    case KeyHook::SysKeyUp:
        if (page)
            s.KeyDown = false;
        break;
    default:
        break;
    }
    // A copy: the callback may replace itself.
    const KeyHookCallback callback = s.Callback;
    if (callback)
        callback(virtualKey, s.KeyDown, s.KeyRepeat);
}
