// The clock packet of a picture screen from both ends. Byte 0 chooses the reader: even, the
// program's check of the screen's reply to the packet of 5 March 2026, 14:07:09; odd, the screen's
// reading of a packet. The rest of the input is the reply or the packet.
//
// Beyond the sanitizers it checks the readers' promises: a reply that passes repeats the packet's
// bytes 0..6 and carries its checksum; a packet the screen takes is a real moment that the
// program would have written the same way; a refused packet leaves the reading as it was.
#include "core/record/screenclock.h"
#include "fuzz/fuzzsupport.h"

#include <cstdlib>
#include <cstring>

using namespace ScreenClock;

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::initialise(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t *bytes = data + 1;
    const std::size_t length = size - 1;
    if ((data[0] & 1) == 0) {
        const Packet sent = BuildPacket({2026, 3, 5, 14, 7, 9, 4});
        const bool passes = ReplyPasses(sent, bytes, length);
        if (passes && (length < PacketLength ||
                       std::memcmp(sent.data(), bytes, EchoedLength) != 0 || !CheckSumOk(bytes)))
            std::abort();
        return 0;
    }
    const Reading untouched{1, 1, 1, 0, 0, 0, 1};
    Reading reading = untouched;
    if (!ReadPacket(bytes, length, &reading)) {
        if (reading != untouched)
            std::abort();
        return 0;
    }
    const Packet again = BuildPacket(reading);
    if (std::memcmp(again.data(), bytes, 11) != 0 ||
        !IsRealDate(reading.Year, reading.Month, reading.Day))
        std::abort();
    return 0;
}
