#pragma once

#include "core/record/flashdatamap.h"

#include <QByteArray>
#include <QtGlobal>

#include <functional>

// The device link: the device server the program runs, the whole reads it asks for, and every
// change of the current record that is sent to the device. It keeps three promises:
// - a record reaches only the device it was read from: until a whole reply of the selected device
//   has been taken, nothing is sent to it (neither a page's write nor the write-back of one of
//   the device's own replies);
// - a write reported done stays done: a whole reply to a read asked before a write (or while one
//   was on its way) is not taken; the read is asked again;
// - an event of a server that was stopped or replaced, or of a selection the user has left,
//   changes nothing: each event holds the ticket of the server it began under and checks it before
//   every change of state, every write, and after every blocking emission.
// The bookkeeping is DeviceState::Link. Every function may run on any thread unless it says so;
// no lock is held across a library call or an emission.
namespace DeviceLink {

// The server an event began under, and the selection that server serves.
struct Ticket
{
    quint64 Server = 0; // 0: no server of the program ran
    quint64 Selection = 0;
    explicit operator bool() const { return Server != 0; }
};

// Stops any server, then starts one on path with the device-event callback for the selection
// of generation `selection`: returns the new server's generation, 0 when the selection has moved
// on (nothing started) or the library refused.
quint64 StartServer(const QByteArray &path, quint64 selection);
// The same for the selection as it is now (a server restarted on the device page).
quint64 StartServerForSelection();
// Stops the server; the events of every server started before give up.
void StopServer();
// For a starter that has found that its selection moved on while it started `server`: unless
// a newer server runs meanwhile, the device is told the program is gone and the server stops.
void AbandonServer(quint64 server);

// The device page is being left, or the program closes: the service pass and the device's events
// give up what they do for it, and the record no longer counts as read (the device may change
// while nobody listens). The caller tells the device and stops the server. GUI thread.
void PageLeft();

// The ticket of an event that begins now.
Ticket EventBegins();
// Whether the ticket's server still runs and still serves the current selection.
bool IsCurrent(const Ticket &ticket);

// Asks the running server's device for its whole configuration; its answer is judged by the
// writes that had been made until now.
bool RequestFullRead();

enum class WholeReply
{
    Taken,      // the record now holds it, read from the ticket's selection
    Stale,      // a write was made since its read was asked: not taken; ask again
    Damaged,    // the library could not parse it: nothing changed
    NotCurrent, // the ticket's server or selection is gone: nothing changed
};
WholeReply TakeWholeReply(const Ticket &ticket, const unsigned char *payload);

// Whether the current record was read from the selected device.
bool RecordIsRead();

enum class Write
{
    Sent,    // stored, and the device took the record
    NotRead, // the record was not read from the selected device: nothing stored, nothing sent
    Refused, // the device did not take it: what store changed is put back
};
// store changes the current record; the record is then sent as one write.
Write WriteRecord(const std::function<void(FlashDataMap &)> &store);

// A change the device reported of itself (one of its replies): stored into the record while the
// ticket is current. Returns false (nothing stored) otherwise; *after gets the record as stored.
bool StoreFromDevice(const Ticket &ticket, const std::function<void(FlashDataMap &)> &store,
                     FlashDataMap *after = nullptr);
// Sends the record back after a reply of the ticket's server; only while the ticket is current
// and the record was read under its selection. It counts as a write (a whole reply asked before
// it is not taken) unless echo: the record goes back as the device has just sent it, which
// changes nothing on the device.
bool SendBack(const Ticket &ticket, bool echo = false);

} // namespace DeviceLink
