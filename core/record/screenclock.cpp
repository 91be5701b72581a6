#include "core/record/screenclock.h"

#include <cstring>

namespace ScreenClock {

namespace {

constexpr std::uint8_t Command[] = {0x0A, 0x00, 0x10};

bool isLeap(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

} // namespace

bool Reading::operator==(const Reading &other) const
{
    return Year == other.Year && Month == other.Month && Day == other.Day && Hour == other.Hour &&
           Minute == other.Minute && Second == other.Second && Weekday == other.Weekday;
}

std::uint8_t CheckSum(const std::uint8_t *bytes)
{
    unsigned sum = 0;
    for (std::size_t i = 0; i < ChecksumIndex; ++i)
        sum += bytes[i];
    return static_cast<std::uint8_t>((0x55u - sum) & 0xFFu);
}

bool CheckSumOk(const std::uint8_t *bytes)
{
    return bytes[ChecksumIndex] == CheckSum(bytes);
}

Packet BuildPacket(const Reading &reading)
{
    Packet packet{};
    std::memcpy(packet.data(), Command, sizeof Command);
    packet[3] = static_cast<std::uint8_t>((reading.Year >> 8) & 0xFF);
    packet[4] = static_cast<std::uint8_t>(reading.Year & 0xFF);
    packet[5] = static_cast<std::uint8_t>(reading.Month);
    packet[6] = static_cast<std::uint8_t>(reading.Day);
    packet[7] = static_cast<std::uint8_t>(reading.Hour);
    packet[8] = static_cast<std::uint8_t>(reading.Minute);
    packet[9] = static_cast<std::uint8_t>(reading.Second);
    packet[10] = static_cast<std::uint8_t>(reading.Weekday);
    packet[ChecksumIndex] = CheckSum(packet.data());
    return packet;
}

bool ReplyPasses(const Packet &sent, const std::uint8_t *reply, std::size_t size)
{
    if (reply == nullptr || size < PacketLength)
        return false;
    return std::memcmp(sent.data(), reply, EchoedLength) == 0 && CheckSumOk(reply);
}

bool IsRealDate(int year, int month, int day)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 0xFFFF || month < 1 || month > 12 || day < 1)
        return false;
    const int last = days[month - 1] + (month == 2 && isLeap(year) ? 1 : 0);
    return day <= last;
}

int WeekdayOf(int year, int month, int day)
{
    // Sakamoto's rule gives 0 for Sunday.
    static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3)
        year -= 1;
    const int sundayFirst =
        (year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day) % 7;
    return sundayFirst == 0 ? 7 : sundayFirst;
}

bool IsReal(const Reading &r)
{
    return IsRealDate(r.Year, r.Month, r.Day) && r.Hour >= 0 && r.Hour <= 23 && r.Minute >= 0 &&
           r.Minute <= 59 && r.Second >= 0 && r.Second <= 59 &&
           r.Weekday == WeekdayOf(r.Year, r.Month, r.Day);
}

bool ReadPacket(const std::uint8_t *bytes, std::size_t size, Reading *reading)
{
    if (bytes == nullptr || size < PacketLength)
        return false;
    if (std::memcmp(bytes, Command, sizeof Command) != 0 || !CheckSumOk(bytes))
        return false;
    Reading read;
    read.Year = (bytes[3] << 8) | bytes[4];
    read.Month = bytes[5];
    read.Day = bytes[6];
    read.Hour = bytes[7];
    read.Minute = bytes[8];
    read.Second = bytes[9];
    read.Weekday = bytes[10];
    if (!IsReal(read))
        return false;
    if (reading != nullptr)
        *reading = read;
    return true;
}

Packet ReplyTo(const Packet &accepted)
{
    Packet reply{};
    std::memcpy(reply.data(), accepted.data(), EchoedLength);
    reply[ChecksumIndex] = CheckSum(reply.data());
    return reply;
}

} // namespace ScreenClock
