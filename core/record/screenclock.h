#pragma once

// The clock packet of a device with a picture screen: 40 bytes that set the screen's clock to a
// local date and time, and the reply the screen sends back. Widget-free and without Qt, so that
// the simulated screen reads packets with the same definition the program writes them with.
//
//   byte 0..2   0A 00 10 (the command)
//   byte 3..4   year, big-endian
//   byte 5..9   month 1..12, day 1..31, hour 0..23, minute 0..59, second 0..59
//   byte 10     day of the week, 1 Monday .. 7 Sunday
//   byte 11..38 zero
//   byte 39     checksum: 0x55 minus the sum of bytes 0..38, modulo 256
//
// A reply passes when its bytes 0..6 (command, year, month, day) repeat the packet's and its own
// checksum holds.

#include <array>
#include <cstddef>
#include <cstdint>

namespace ScreenClock {

constexpr std::size_t PacketLength = 40;
constexpr std::size_t ChecksumIndex = PacketLength - 1;
// Bytes of the packet that a reply repeats.
constexpr std::size_t EchoedLength = 7;
// A packet whose reply does not pass is sent again, this many exchanges in all.
constexpr int MaxExchanges = 5;

using Packet = std::array<std::uint8_t, PacketLength>;

// One reading of the local clock.
struct Reading
{
    int Year = 0;
    int Month = 0;
    int Day = 0;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Weekday = 0; // 1 Monday .. 7 Sunday

    bool operator==(const Reading &other) const;
    bool operator!=(const Reading &other) const { return !(*this == other); }
};

// 0x55 minus the sum of the first 39 bytes, modulo 256.
std::uint8_t CheckSum(const std::uint8_t *bytes);
// Whether byte 39 of a 40-byte packet holds the checksum of its bytes 0..38.
bool CheckSumOk(const std::uint8_t *bytes);

// The packet for one reading, zeros in bytes 11..38, checksum set.
Packet BuildPacket(const Reading &reading);

// The program's check of a reply of `size` bytes to `sent`: bytes 0..6 repeated and a valid
// checksum. A reply shorter than a packet never passes.
bool ReplyPasses(const Packet &sent, const std::uint8_t *reply, std::size_t size);

// The screen's reading of a packet of `size` bytes: true, with the reading, when it is a clock
// packet of full length with a valid checksum and a date and time that exist, the weekday being
// that date's. Anything else is refused and *reading is left as it was.
bool ReadPacket(const std::uint8_t *bytes, std::size_t size, Reading *reading);

// The reply a screen sends to an accepted packet: its bytes 0..6, zeros, a valid checksum.
Packet ReplyTo(const Packet &accepted);

// Whether a reading is a moment that exists, its weekday being its date's.
bool IsReal(const Reading &reading);
// Whether a date exists in the calendar (years 1..65535, which the packet can carry).
bool IsRealDate(int year, int month, int day);
// Day of the week of a date, 1 Monday .. 7 Sunday.
int WeekdayOf(int year, int month, int day);

} // namespace ScreenClock
