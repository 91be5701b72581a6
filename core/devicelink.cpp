#include "core/devicelink.h"

#include "core/deviceeventcallback.h"
#include "core/devicestate.h"
#include "platform/devicelib/devicelib.h"

#include <cstring>

namespace DeviceLink {

namespace {

// The Link lock is held.
bool current(const DeviceLinkBook &book, const Ticket &ticket)
{
    return ticket.Server != 0 && book.ServerRunning && book.ServerGeneration == ticket.Server &&
           State().Selection.generation() == ticket.Selection;
}

bool same(const FlashDataMap &a, const FlashDataMap &b)
{
    return std::memcmp(a.bytes(), b.bytes(), FlashDataMap::Size) == 0;
}

// Replaces record by with; true when that changed it.
bool replace(FlashDataMap &record, const FlashDataMap &with)
{
    if (same(record, with))
        return false;
    record = with;
    return true;
}

// The Link lock is held.
void serverGone(DeviceLinkBook &book)
{
    ++book.ServerGeneration;
    book.ServerRunning = false;
    // The reads asked of it will not be answered by the next one.
    book.PendingReads.clear();
}

// Sends the record until the device holds the latest one. Senders do not wait for each other
// (no lock is held across the library call), so a send may overtake another one that copied the
// record later; whoever finds after its send that the record has changed since its copy (the
// version counts every change of its bytes) sends again, and the last send to arrive carries
// every change.
bool sendLatest()
{
    DeviceState &s = State();
    for (;;) {
        quint64 version = 0;
        const FlashDataMap copy = s.Link.with([&](DeviceLinkBook &book) {
            version = book.RecordVersion;
            return s.CurrentFlashData.get();
        });
        if (!ProtocolDataUpdate(&copy))
            return false;
        if (s.Link.with([&](DeviceLinkBook &book) { return book.RecordVersion == version; }))
            return true;
    }
}

} // namespace

quint64 StartServer(const QByteArray &path, quint64 selection)
{
    DeviceState &s = State();
    if (s.Selection.generation() != selection)
        return 0;
    // The old server stops first: once its Exit has returned none of its events begins, so an
    // event that finds the new server's ticket is (but for one that had just begun) the new
    // server's own.
    StopServer();
    const quint64 server = s.Link.with([&](DeviceLinkBook &book) -> quint64 {
        if (s.Selection.generation() != selection)
            return 0;
        ++book.ServerGeneration;
        book.ServerRunning = true;
        book.ServerSelection = selection;
        book.PendingReads.clear();
        return book.ServerGeneration;
    });
    if (!server)
        return 0;
    if (UsbServerC_Start(path.constData(), path.constData(), DeviceEventCallback))
        return server;
    s.Link.with([&](DeviceLinkBook &book) {
        if (book.ServerGeneration == server)
            serverGone(book);
    });
    return 0;
}

quint64 StartServerForSelection()
{
    const DeviceSelection::Snapshot selection = State().Selection.get();
    return StartServer(selection.Path, selection.Generation);
}

void StopServer()
{
    State().Link.with([](DeviceLinkBook &book) { serverGone(book); });
    UsbServer_Exit();
}

void AbandonServer(quint64 server)
{
    // Someone who stopped the server after this one was counted may have done so before the
    // library started it: with no newer server counted, the one running is this one.
    const bool ours = State().Link.with([&](DeviceLinkBook &book) {
        if (book.ServerGeneration != server && book.ServerRunning)
            return false;
        serverGone(book);
        return true;
    });
    if (!ours)
        return;
    UsbServer_SetPCDriverStatus(0);
    UsbServer_Exit();
}

void PageLeft()
{
    State().Selection.renew();
}

Ticket EventBegins()
{
    Ticket ticket;
    State().Link.with([&](DeviceLinkBook &book) {
        if (!book.ServerRunning)
            return;
        ticket.Server = book.ServerGeneration;
        ticket.Selection = book.ServerSelection;
    });
    return ticket;
}

bool IsCurrent(const Ticket &ticket)
{
    return State().Link.with([&](DeviceLinkBook &book) { return current(book, ticket); });
}

bool RequestFullRead()
{
    DeviceState &s = State();
    quint64 asked = 0;
    // Counted before the request: its answer may arrive before the library call returns.
    const bool tracked = s.Link.with([&](DeviceLinkBook &book) {
        if (!book.ServerRunning)
            return false;
        asked = book.WritesDone;
        book.PendingReads.append(asked);
        return true;
    });
    const bool sent = UsbServer_ReadAllFlashData();
    if (!sent && tracked) {
        s.Link.with([&](DeviceLinkBook &book) {
            const int at = book.PendingReads.lastIndexOf(asked);
            if (at >= 0)
                book.PendingReads.removeAt(at);
        });
    }
    return sent;
}

WholeReply TakeWholeReply(const Ticket &ticket, const unsigned char *payload)
{
    DeviceState &s = State();
    // Parsed into a copy, outside every lock: the library fills the record from the reply.
    FlashDataMap parsed = s.CurrentFlashData.get();
    const bool intact = ProtocolDataParser(payload, &parsed);
    return s.Link.with([&](DeviceLinkBook &book) {
        if (!current(book, ticket))
            return WholeReply::NotCurrent;
        // Replies come in the order of their reads. A reply to a read asked outside the link
        // (none of the program's) is judged as if asked when the record was last read.
        const quint64 asked =
            book.PendingReads.isEmpty() ? book.WritesAtLastRead : book.PendingReads.takeFirst();
        if (!intact)
            return WholeReply::Damaged;
        // A write made since the read was asked, or still on its way then, may be missing from
        // the reply: taking it would undo a write the user was told is done.
        if (asked != book.WritesStarted)
            return WholeReply::Stale;
        if (s.CurrentFlashData.with([&](FlashDataMap &record) { return replace(record, parsed); }))
            ++book.RecordVersion;
        book.RecordReadFrom = ticket.Selection;
        book.WritesAtLastRead = book.WritesStarted;
        return WholeReply::Taken;
    });
}

bool RecordIsRead()
{
    DeviceState &s = State();
    return s.Link.with([&](DeviceLinkBook &book) {
        return book.RecordReadFrom != 0 && book.RecordReadFrom == s.Selection.generation();
    });
}

Write WriteRecord(const std::function<void(FlashDataMap &)> &store)
{
    DeviceState &s = State();
    FlashDataMap before{};
    FlashDataMap after{};
    const bool read = s.Link.with([&](DeviceLinkBook &book) {
        if (book.RecordReadFrom == 0 || book.RecordReadFrom != s.Selection.generation())
            return false;
        s.CurrentFlashData.with([&](FlashDataMap &record) {
            before = record;
            store(record);
            after = record;
        });
        if (!same(before, after))
            ++book.RecordVersion;
        ++book.WritesStarted;
        return true;
    });
    if (!read)
        return Write::NotRead;

    const bool sent = sendLatest();
    s.Link.with([&](DeviceLinkBook &book) {
        ++book.WritesDone;
        if (sent)
            return;
        // The device does not have this write: the program must not hold, cache or show it.
        // Only the bytes it changed go back, and only where nobody has changed them since.
        s.CurrentFlashData.with([&](FlashDataMap &record) {
            unsigned char *bytes = record.bytes();
            for (std::size_t i = 0; i < FlashDataMap::Size; ++i) {
                if (after.bytes()[i] != before.bytes()[i] && bytes[i] == after.bytes()[i])
                    bytes[i] = before.bytes()[i];
            }
        });
        ++book.RecordVersion;
    });
    return sent ? Write::Sent : Write::Refused;
}

bool StoreFromDevice(const Ticket &ticket, const std::function<void(FlashDataMap &)> &store,
                     FlashDataMap *after)
{
    DeviceState &s = State();
    return s.Link.with([&](DeviceLinkBook &book) {
        if (!current(book, ticket))
            return false;
        FlashDataMap before{};
        const FlashDataMap stored = s.CurrentFlashData.with([&](FlashDataMap &record) {
            before = record;
            store(record);
            return record;
        });
        if (!same(before, stored))
            ++book.RecordVersion;
        if (after)
            *after = stored;
        return true;
    });
}

bool SendBack(const Ticket &ticket, bool echo)
{
    DeviceState &s = State();
    const bool mayWrite = s.Link.with([&](DeviceLinkBook &book) {
        if (!current(book, ticket) || book.RecordReadFrom != ticket.Selection)
            return false;
        if (!echo)
            ++book.WritesStarted;
        return true;
    });
    if (!mayWrite)
        return false;
    const bool sent = sendLatest();
    if (!echo)
        s.Link.with([](DeviceLinkBook &book) { ++book.WritesDone; });
    return sent;
}

} // namespace DeviceLink
