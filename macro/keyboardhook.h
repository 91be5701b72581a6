#pragma once

#include <functional>

// Called for every key message while the owner's hook is installed: the virtual-key code, whether
// the key is down, and whether the same key was the previous message.
using KeyHookCallback = std::function<void(int virtualKey, bool down, bool repeat)>;

// The keyboard hook of the macro recorder and of the two key dialogs. The state behind it is
// process-wide and exists once per owner, so the macro page, the key-combination dialog and the
// single-key dialog each have their own handle, last key, press and repeat flags and callback,
// and those carry over from one use to the next; the holder object only names its owner.
//
// GUI thread only. The callback runs synchronously inside the key's delivery and may call
// Uninstall (and then open a modal dialog): the hook then reports nothing more.
class KeyboardHook
{
public:
    enum Owner
    {
        MacroPage,
        GroupKeyDialog,
        AddKeyDialog
    };

    explicit KeyboardHook(Owner owner);
    // Removes the hook if this holder installed it: a callback must not outlive its owner.
    ~KeyboardHook();
    KeyboardHook(const KeyboardHook &) = delete;
    KeyboardHook &operator=(const KeyboardHook &) = delete;

    // Starts reporting keys to the owner's callback. Installing again keeps one hook.
    void Install();
    // Stops it; without a hook it does nothing, so any number of calls are safe.
    void Uninstall();
    bool IsInstalled() const;
    // The owner's callback; it stays set once assigned.
    void SetCallback(KeyHookCallback callback);

    // The owner's procedure for one key message: updates the owner's state and calls its
    // callback. What an installed hook runs for each key.
    static void HookProc(Owner owner, int virtualKey, int message);

private:
    Owner owner;
};
