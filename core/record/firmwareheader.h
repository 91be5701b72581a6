#pragma once

// A firmware image file for the mouse or its receiver: a 728-byte header, then the payload the
// device writes to its flash. The device library is handed the whole file. Numbers are
// little-endian.
//
//   offset  size  field
//   0x000      4  magic "ZRFW"
//   0x004      4  payload length: the file is 728 + this many bytes
//   0x008      4  CRC-32 of the payload
//   0x00C      4  CRC-32 of header bytes 0x010..0x2D7
//   0x010      4  Version: major in bits 8..31, minor in bits 0..7
//   0x014      1  Target: 0xD2 mouse image, 0xD3 receiver image
//   0x015      1  Cid: customer identifier
//   0x016      1  Mid: model identifier
//   0x017     64  zero
//   0x057     64  ModelName: 8-bit text, ends at the first NUL or fills the field
//   0x097    577  zero, up to the end of the header
//
// The program's image lookup reads Version to ModelName only: images made before the first four
// fields existed keep being found. The device checks all of them before it writes anything, so a
// damaged or cut file never reaches its flash.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct FirmwareHeader
{
    static constexpr std::size_t Size = 728;
    // The largest image a device takes: its flash, with room to spare. Anything bigger is no
    // image of ours and is not read into memory.
    static constexpr std::size_t MaxImageSize = 4 * 1024 * 1024;

    static constexpr std::size_t MagicOffset = 0x00;
    static constexpr std::size_t PayloadLengthOffset = 0x04;
    static constexpr std::size_t PayloadCrcOffset = 0x08;
    static constexpr std::size_t HeaderCrcOffset = 0x0C;
    static constexpr std::size_t VersionOffset = 0x10;
    static constexpr std::size_t TargetOffset = 0x14;
    static constexpr std::size_t CidOffset = 0x15;
    static constexpr std::size_t MidOffset = 0x16;
    static constexpr std::size_t ModelNameOffset = 0x57;
    static constexpr std::size_t ModelNameSize = 64;
    // The part of the header its own CRC-32 covers: everything after the four integrity fields.
    static constexpr std::size_t CheckedOffset = 0x10;

    static constexpr std::uint8_t MouseTarget = 0xD2;    // 210
    static constexpr std::uint8_t ReceiverTarget = 0xD3; // 211

    std::uint32_t Version = 0;
    std::uint8_t Target = 0;
    std::uint8_t Cid = 0;
    std::uint8_t Mid = 0;
    std::string ModelName; // at most ModelNameSize bytes; a longer name is cut when written

    // Reads the fields above from the first Size bytes; false (header untouched) when the data is
    // shorter than a header. The integrity fields are not looked at.
    static bool Read(const std::uint8_t *data, std::size_t size, FirmwareHeader *header);

    // A whole image: this header with its integrity fields filled in, then the payload. Empty when
    // the payload is longer than the length field can say (4 GiB).
    std::vector<std::uint8_t> Write(const std::uint8_t *payload, std::size_t payloadSize) const;

    // Writes the magic, the payload length and both CRC-32s of an image of `size` bytes in place,
    // whatever the other fields hold. Nothing happens to data shorter than a header.
    static void Seal(std::uint8_t *image, std::size_t size);

    // What the device finds when it checks a whole image before writing it.
    enum class Check
    {
        Ok,
        TooShort,      // shorter than a header
        TooLarge,      // over MaxImageSize
        BadMagic,      // not "ZRFW"
        BadLength,     // the file is not 728 + the payload length bytes
        NoPayload,     // a header alone
        BadHeaderCrc,  // the header's own CRC-32 does not match
        BadPayloadCrc, // the payload's CRC-32 does not match
    };
    static Check Verify(const std::uint8_t *image, std::size_t size);
    // A short English description of a check result, for the device's log.
    static const char *CheckText(Check check);
};

// CRC-32 (IEEE 802.3, as zlib computes it) of `length` bytes.
std::uint32_t Crc32(const std::uint8_t *data, std::size_t length);
