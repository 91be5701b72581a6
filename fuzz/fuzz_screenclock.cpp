// The clock packet of a picture screen from both ends. Byte 0 chooses the reader: even, the
// program's check of the screen's reply to the packet of 5 March 2026, 14:07:09; odd, the
// simulated screen, which is handed the rest of the input as a packet. The rest of the input is
// the reply or the packet.
//
// Beyond the sanitizers it checks the readers' promises: a reply that passes repeats the packet's
// bytes 0..6 and carries its checksum; a packet the screen takes sets its clock to a real moment
// that the program would have written the same way and gets a reply that passes; a refused packet
// leaves the screen's clock alone and gets a reply of zeros.
#include "core/record/screenclock.h"
#include "fuzz/fuzzsupport.h"
#include "platform/devicelib/devicestore.h"
#include "platform/devicelib/screenbus.h"

#include <QDir>

#include <algorithm>

#include <cstdlib>
#include <cstring>
#include <vector>

using namespace ScreenClock;

namespace {

const Reading Thursday{2026, 3, 5, 14, 7, 9, 4};

bool clockOf(Reading *reading)
{
    return ScreenBus::instance().clock(QStringLiteral("S"), reading);
}

void checkScreen(const std::uint8_t *bytes, std::size_t length)
{
    Reading before;
    const bool wasSet = clockOf(&before);
    std::vector<unsigned char> reply(length == 0 ? 1 : length, 0x5A);
    if (!ScreenBus::instance().exchange(bytes, reply.data(), int(length)))
        return;
    Reading taken;
    const bool accepted = ReadPacket(bytes, length, &taken);
    Reading after;
    const bool isSet = clockOf(&after);
    if (!accepted) {
        const bool zeros =
            std::all_of(reply.begin(), reply.end(), [](unsigned char b) { return b == 0; });
        if (isSet != wasSet || (isSet && after != before) || !zeros)
            std::abort();
        return;
    }
    Packet sent{};
    std::memcpy(sent.data(), bytes, sent.size());
    if (!isSet || after != taken || !IsReal(after) ||
        std::memcmp(BuildPacket(after).data(), bytes, 11) != 0 ||
        !ReplyPasses(sent, reply.data(), reply.size()))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::initialise(argc, argv);
    DeviceStore::setFolder(QDir::temp().filePath(QStringLiteral("screenclock-fuzz")));
    VirtualScreen screen;
    screen.name = QStringLiteral("S");
    screen.pid = "0x1201";
    ScreenBus::instance().load({screen});
    if (!ScreenBus::instance().open(DevicePaths::screen(QStringLiteral("S"))))
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t *bytes = data + 1;
    const std::size_t length = size - 1;
    if ((data[0] & 1) != 0) {
        checkScreen(bytes, length);
        return 0;
    }
    const Packet sent = BuildPacket(Thursday);
    if (ReplyPasses(sent, bytes, length) &&
        (length < PacketLength || std::memcmp(sent.data(), bytes, EchoedLength) != 0 ||
         !CheckSumOk(bytes)))
        std::abort();
    return 0;
}
