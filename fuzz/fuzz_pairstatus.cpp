// The pairing dialog's callback on arbitrary events, in fuzz_deviceeventcallback's format (up to
// 16 events, see fuzz/eventsequence.h). Each input starts from a pairing under way that took the
// device page's flag. Each header and payload is handed over in a buffer of exactly its length,
// so a read past either is a sanitizer report.
//
// Beyond the sanitizers it checks the callback's promises after every event: only a failed (2)
// or paired (3) status of a pairing event ends the pairing (PairActive 0, PairResult 3 or 2, the
// page flag given back once); anything else changes nothing.
#include "core/devicestate.h"
#include "core/pairevent.h"
#include "fuzz/eventsequence.h"
#include "fuzz/fuzzsupport.h"

#include <cstdlib>
#include <vector>

namespace {

constexpr int MaxEvents = 16;

struct PairState
{
    int result;
    int active;
    int pageRestore;
    int onDevicePage;
};

PairState now()
{
    const DeviceState &s = *DeviceState::instance();
    return {s.PairResult.load(), s.PairActive.load(), s.PairPageRestore.load(),
            s.OnDevicePage.load()};
}

bool same(const PairState &a, const PairState &b)
{
    return a.result == b.result && a.active == b.active && a.pageRestore == b.pageRestore &&
           a.onDevicePage == b.onDevicePage;
}

// A buffer of exactly the bytes given; none for an empty one.
std::vector<unsigned char> exact(const QByteArray &bytes)
{
    return std::vector<unsigned char>(bytes.cbegin(), bytes.cend());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::initialise(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    DeviceState &state = *DeviceState::instance();
    state.PairResult = PairEvent::Pairing;
    state.PairActive = 1;
    state.PairPageRestore = 1;
    state.OnDevicePage = 0;

    for (const Fuzz::Event &event : Fuzz::eventsOf(data, size, MaxEvents)) {
        const std::vector<unsigned char> header = exact(event.header);
        const std::vector<unsigned char> payload = exact(event.payload);
        const unsigned char *headerBytes =
            event.hasHeader && !header.empty() ? header.data() : nullptr;
        const unsigned char *payloadBytes = payload.empty() ? nullptr : payload.data();
        const int headerLength = int(header.size());
        const int payloadLength = int(payload.size());

        const PairState before = now();
        const int status =
            PairEvent::StatusOf(headerBytes, headerLength, payloadBytes, payloadLength);
        PairEvent::Handle(headerBytes, headerLength, payloadBytes, payloadLength);
        const PairState after = now();

        const bool isPairingEvent = headerLength > 1 && header[1] == 6 && payloadLength > 0;
        if (status != (isPairingEvent ? int(payload[0]) : -1))
            std::abort();
        if (status != PairEvent::StatusFailed && status != PairEvent::StatusPaired) {
            if (!same(before, after))
                std::abort();
            continue;
        }
        const int result =
            status == PairEvent::StatusPaired ? PairEvent::Paired : PairEvent::Failed;
        const int page = before.pageRestore ? 1 : before.onDevicePage;
        if (after.active != 0 || after.result != result || after.pageRestore != 0 ||
            after.onDevicePage != page)
            std::abort();
    }
    return 0;
}
