#pragma once

#include <functional>

// The two hot-plug callbacks the program registers with StartUsbChanged (callback, 600): the home
// page's HomeUsbChanged while the home page shows, the device page's DeviceUsbChanged while the
// device page shows. The library calls them on a thread of its own; each hands the notification
// to the GUI thread, where the handling below runs.
void HomeUsbChanged();
void DeviceUsbChanged();

// The handling itself, on the GUI thread.
void HandleHomeUsbChanged();
void HandleDeviceUsbChanged();

// What the hot-plug handling needs of the home page and of the settings page's update dialog.
// Those pages install their parts when they are built; until then each part does nothing (and the
// update dialog counts as hidden). GUI thread only.
struct HotPlugHooks
{
    // The home page's Repair button and hint: shown when an update did not complete.
    std::function<void(bool updateFailed)> ShowRepairState;
    // The home page rebuilds its tiles from HomeDeviceList.
    std::function<void()> BuildDeviceTiles;
    // Tile i shows an unrecognised model, an online or an offline device.
    enum class TileLook
    {
        Unknown,
        Online,
        Offline
    };
    std::function<void(int index, TileLook look)> StyleDeviceTile;
    // Whether the settings page's update and repair dialog is on screen.
    std::function<bool()> UpdateDialogVisible;
};
HotPlugHooks &HotPlugHooksInstance();
