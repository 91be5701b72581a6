#include "platform/devicelib/replycoders.h"

#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/eventwire.h"

#include <cstring>

namespace {

QByteArray encodeBlock(unsigned char command, const unsigned char *block, int blockSize,
                       int replySize)
{
    QByteArray reply(replySize, '\0');
    reply[0] = char(command);
    reply[1] = char(blockSize);
    std::memcpy(reply.data() + 2, block, blockSize);
    return reply;
}

bool decodeBlock(unsigned char command, const unsigned char *payload, unsigned char *block,
                 int blockSize)
{
    if (payload[0] != command || payload[1] != blockSize)
        return false;
    std::memcpy(block, payload + 2, blockSize);
    return true;
}

} // namespace

QByteArray ReplyCoders::encodeDpiLight(const unsigned char *block)
{
    return encodeBlock(EventWire::DpiLight, block, DpiLightBlockSize, DpiLightReplySize);
}

QByteArray ReplyCoders::encodeLedBar(const unsigned char *block)
{
    return encodeBlock(EventWire::LedBar, block, LedBarBlockSize, LedBarReplySize);
}

QByteArray ReplyCoders::encodeBattery(int level, bool charging)
{
    QByteArray payload(BatteryEventSize, '\0');
    payload[0] = char(qBound(0, level, 100));
    payload[1] = charging ? 1 : 0;
    return payload;
}

QByteArray ReplyCoders::encodeStatusChanged(unsigned itemMask)
{
    QByteArray payload(StatusEventSize, '\0');
    payload[0] = char(itemMask & 0x7F);
    return payload;
}

bool ReplyCoders::decodeDpiLight(const unsigned char *payload, unsigned char *block)
{
    return decodeBlock(EventWire::DpiLight, payload, block, DpiLightBlockSize);
}

bool ReplyCoders::decodeLedBar(const unsigned char *payload, unsigned char *block)
{
    return decodeBlock(EventWire::LedBar, payload, block, LedBarBlockSize);
}

void ReplyCoders::decodeBattery(const unsigned char *payload, unsigned char *batteryStatus)
{
    // A level above 100 % is a glitch of the fuel gauge; the pages draw at most a full battery.
    batteryStatus[0] = payload[0] > 100 ? 100 : payload[0];
    batteryStatus[1] = payload[1] != 0 ? 1 : 0;
    batteryStatus[2] = 0;
    batteryStatus[3] = 0;
}

void ReplyCoders::decodeStatusChanged(const unsigned char *payload, unsigned char *flags)
{
    for (int i = 0; i < StatusChangedFlagsSize; ++i)
        flags[i] = (payload[0] >> i) & 1;
}

bool BufferToDPILed(const unsigned char *payload, unsigned char *dpiLight)
{
    return ReplyCoders::decodeDpiLight(payload, dpiLight);
}

bool BufferToLedBar(const unsigned char *payload, unsigned char *ledBar)
{
    return ReplyCoders::decodeLedBar(payload, ledBar);
}

void GetDeviceBatteryStatus(const unsigned char *payload, unsigned char *batteryStatus)
{
    ReplyCoders::decodeBattery(payload, batteryStatus);
}

void GetDeviceStatusChanged(const unsigned char *payload, unsigned char *statusFlags)
{
    ReplyCoders::decodeStatusChanged(payload, statusFlags);
}
