#include "core/devicestate.h"

#include <new>

DeviceState *DeviceState::instance()
{
    // Allocated once and never freed: library callback threads may still read the state while
    // the process exits, after static objects would have been destroyed.
    static DeviceState *const state = new DeviceState;
    return state;
}

void DeviceState::ResetForTest()
{
    // Rebuilding in place keeps the address that callers hold, and the in-class initialisers
    // stay the one place where the initial values are written down.
    DeviceState *state = instance();
    state->~DeviceState();
    new (state) DeviceState;
}
