#pragma once

// What the receiver reports while it pairs a mouse, and what the pairing dialog's device-library
// callback makes of it. A pairing event is event type 6 (DeviceEventType::PairStatus) with the
// receiver's status in payload byte 0.
namespace PairEvent {

// DeviceState::PairResult.
enum Result
{
    Idle = 0,
    Pairing = 1,
    Paired = 2,
    Failed = 3
};

// The receiver's status bytes.
enum Status
{
    StatusPairing = 1,
    StatusFailed = 2,
    StatusPaired = 3
};

// The status byte of a pairing event; -1 for an event of another type, one whose header has no
// type byte, or one without a payload. Reads nothing past the lengths given.
int StatusOf(const unsigned char *header, int headerLength, const unsigned char *payload,
             int payloadLength);

// The pairing dialog's callback. A failed or paired status ends the pairing: the hub's
// SigTimerStop(), PairActive 0, PairResult Failed or Paired, SigButtonEnable(0 or 1), then the
// device page's flag back when the pairing took it. Anything else changes nothing. It touches
// only the device state's pairing flags and the hub, so a report that arrives after the dialog is
// gone does no harm. Runs on a device-library thread.
void Handle(const unsigned char *header, int headerLength, const unsigned char *payload,
            int payloadLength);

// Sets OnDevicePage back to 1 when a pairing cleared it (PairPageRestore), once. Any thread.
void GivePageBack();

} // namespace PairEvent
