#include "core/record/firmwareheader.h"

#include "core/record/flashdatamap.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace {

constexpr char Magic[4] = {'Z', 'R', 'F', 'W'};

// Eight tables of 256 entries: table k gives the CRC of a byte followed by k zero bytes, so that
// eight bytes are taken at a time (about a fifth of the time of one byte at a time; the device
// library checks a 6912-byte image for every setting the program writes).
using CrcTables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr CrcTables makeCrcTables()
{
    CrcTables tables{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        tables[0][n] = c;
    }
    for (std::size_t k = 1; k < tables.size(); ++k) {
        for (std::size_t n = 0; n < 256; ++n)
            tables[k][n] = (tables[k - 1][n] >> 8) ^ tables[0][tables[k - 1][n] & 0xFF];
    }
    return tables;
}

constexpr CrcTables CrcTable = makeCrcTables();

std::uint32_t headerCrc(const std::uint8_t *image)
{
    return Crc32(image + FirmwareHeader::CheckedOffset,
                 FirmwareHeader::Size - FirmwareHeader::CheckedOffset);
}

} // namespace

std::uint32_t Crc32(const std::uint8_t *data, std::size_t length)
{
    const CrcTables &t = CrcTable;
    std::uint32_t c = 0xFFFFFFFFu;
    for (; length >= 8; data += 8, length -= 8) {
        const std::uint32_t low = c ^ LittleEndian::readU32(data);
        const std::uint32_t high = LittleEndian::readU32(data + 4);
        c = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^
            t[4][low >> 24] ^ t[3][high & 0xFF] ^ t[2][(high >> 8) & 0xFF] ^
            t[1][(high >> 16) & 0xFF] ^ t[0][high >> 24];
    }
    for (; length > 0; ++data, --length)
        c = t[0][(c ^ *data) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

bool FirmwareHeader::Read(const std::uint8_t *data, std::size_t size, FirmwareHeader *header)
{
    if (!data || size < Size)
        return false;
    header->Version = LittleEndian::readU32(data + VersionOffset);
    header->Target = data[TargetOffset];
    header->Cid = data[CidOffset];
    header->Mid = data[MidOffset];
    const char *name = reinterpret_cast<const char *>(data + ModelNameOffset);
    const void *end = std::memchr(name, '\0', ModelNameSize);
    header->ModelName.assign(name, end ? static_cast<const char *>(end) - name : ModelNameSize);
    return true;
}

std::vector<std::uint8_t> FirmwareHeader::Write(const std::uint8_t *payload,
                                                std::size_t payloadSize) const
{
    // The length field holds 32 bits; a payload beyond that would also wrap the size below.
    if (payloadSize > std::numeric_limits<std::uint32_t>::max())
        return {};
    std::vector<std::uint8_t> image(Size + payloadSize, 0);
    LittleEndian::writeU32(image.data() + VersionOffset, Version);
    image[TargetOffset] = Target;
    image[CidOffset] = Cid;
    image[MidOffset] = Mid;
    std::memcpy(image.data() + ModelNameOffset, ModelName.data(),
                std::min(ModelName.size(), ModelNameSize));
    if (payloadSize > 0)
        std::memcpy(image.data() + Size, payload, payloadSize);
    Seal(image.data(), image.size());
    return image;
}

void FirmwareHeader::Seal(std::uint8_t *image, std::size_t size)
{
    if (!image || size < Size)
        return;
    std::memcpy(image + MagicOffset, Magic, sizeof Magic);
    LittleEndian::writeU32(image + PayloadLengthOffset, std::uint32_t(size - Size));
    LittleEndian::writeU32(image + PayloadCrcOffset, Crc32(image + Size, size - Size));
    LittleEndian::writeU32(image + HeaderCrcOffset, headerCrc(image));
}

FirmwareHeader::Check FirmwareHeader::Verify(const std::uint8_t *image, std::size_t size)
{
    if (!image || size < Size)
        return Check::TooShort;
    if (size > MaxImageSize)
        return Check::TooLarge;
    if (std::memcmp(image + MagicOffset, Magic, sizeof Magic) != 0)
        return Check::BadMagic;
    if (LittleEndian::readU32(image + PayloadLengthOffset) != size - Size)
        return Check::BadLength;
    if (size == Size)
        return Check::NoPayload;
    if (LittleEndian::readU32(image + HeaderCrcOffset) != headerCrc(image))
        return Check::BadHeaderCrc;
    if (LittleEndian::readU32(image + PayloadCrcOffset) != Crc32(image + Size, size - Size))
        return Check::BadPayloadCrc;
    return Check::Ok;
}

const char *FirmwareHeader::CheckText(Check check)
{
    switch (check) {
    case Check::Ok:
        return "image accepted";
    case Check::TooShort:
        return "image shorter than its header";
    case Check::TooLarge:
        return "image larger than the device's flash";
    case Check::BadMagic:
        return "no firmware image mark";
    case Check::BadLength:
        return "image length differs from its header";
    case Check::NoPayload:
        return "image holds no firmware";
    case Check::BadHeaderCrc:
        return "header checksum wrong";
    case Check::BadPayloadCrc:
        return "firmware checksum wrong";
    }
    return "";
}
