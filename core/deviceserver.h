#pragma once

// After the pairing dialog: a pairing runs the device server on the receiver with the dialog's
// own callback, and closing the dialog hands hot-plug notification to the home page. The page
// that is current takes back what it needs: on the device page (OnDevicePage 1) its hot-plug
// callback and the device server on DevicePath with the device-event callback, which reads the
// device's record again (a new selection generation: nothing read before counts); on the home page
// its own hot-plug callback only, as no device is open there. GUI thread.
void restartDeviceServer();
