// The simulated library's configuration-image parser (the whole-configuration reply) on arbitrary
// payloads, and the encoder that makes such images. Input byte 0 chooses the mode: with bit 0 set
// the payload gets the right magic and checksum, so the fields behind them are reached (random
// bytes almost never carry a valid CRC-32); the rest of the input is the payload, cut or padded
// with zeros to its fixed size. Beyond the sanitizers it checks the parser's promise (a rejected
// payload leaves the record untouched) and that the device keeps a record it already stored
// byte for byte.
#include "fuzz/fuzzsupport.h"
#include "platform/devicelib/configurationimage.h"
#include "platform/devicelib/devicelib.h"

#include <QByteArray>

#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {
constexpr int MagicOffset = 0x1A4C;
constexpr int CrcOffset = ConfigurationImage::ImageSize - 4;

QByteArray fixedSize(const std::uint8_t *data, std::size_t size, int length)
{
    QByteArray bytes(length, '\0');
    std::memcpy(bytes.data(), data, std::min(size, std::size_t(length)));
    return bytes;
}

void sealImage(QByteArray &image)
{
    std::memcpy(image.data() + MagicOffset, "ZRCF", 4);
    const uLong crc =
        crc32(0L, reinterpret_cast<const Bytef *>(image.constData()), uInt(CrcOffset));
    for (int i = 0; i < 4; ++i)
        image[CrcOffset + i] = char((crc >> (8 * i)) & 0xFF);
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::initialise(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const bool seal = data[0] & 1;
    QByteArray image = fixedSize(data + 1, size - 1, FullConfigurationSize);
    if (seal)
        sealImage(image);

    FlashDataMap record = Fuzz::markedRecord();
    const bool parsed =
        ProtocolDataParser(reinterpret_cast<const unsigned char *>(image.constData()), &record);
    if ((seal && !parsed) || (!parsed && !Fuzz::isMarked(record)))
        std::abort();

    // The same bytes read as a record, as the program may send any record it holds.
    const QByteArray once =
        ConfigurationImage::stored(fixedSize(data + 1, size - 1, ConfigurationImage::RecordSize));
    QStringList cuts;
    if (ConfigurationImage::stored(once, &cuts) != once || !cuts.isEmpty())
        std::abort();
    return 0;
}
