#pragma once

#include <QByteArray>

// The framing of the events a virtual device sends to the device server. The program reads header
// byte 1 (type), byte 3 (status, 0 for every good reply) and byte 4 (command of a data reply);
// the other bytes mirror what a receiver puts on the wire: a frame marker, a running sequence
// number and the payload length, so that a capture of the event log reads like a USB trace.
namespace EventWire {

inline constexpr int HeaderSize = 8;
inline constexpr unsigned char FrameMarker = 0xA5;

enum Type : unsigned char
{
    Battery = 4,
    PairStatus = 6,
    DataReply = 8,
    ClearDone = 9,
    StatusChanged = 10,
    ConfigReply = 14,
    VersionReply = 18,
    DongleRgbReply = 21,
    LongRangeReply = 23,
};

enum Command : unsigned char
{
    WholeConfiguration = 0x00, // 6912 bytes; with 1 byte it is the report rate
    ReportRate = 0x00,
    CurrentDpiStage = 0x04,
    DpiLight = 0x4C,
    LedBar = 0xA0,
};

// A long-range reply of this length means "off" (the program only looks at the length); "on" is
// reported as one byte holding 1.
inline constexpr int LongRangeOffLength = 10;

// Header bytes: 0 marker, 1 type, 2 sequence, 3 status, 4 command, 5..6 payload length
// (little-endian), 7 zero.
QByteArray header(unsigned char type, unsigned char command, int payloadLength,
                  unsigned char sequence, unsigned char status = 0);

} // namespace EventWire
