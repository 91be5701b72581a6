#include "core/record/firmwareheader.h"
#include "tests/support/testmain.h"

#include <QByteArray>
#include <QRandomGenerator>

#include <cstdint>
#include <vector>

namespace {

// The checksum one bit at a time, straight from its definition (reflected, polynomial
// 0xEDB88320, all ones in and out): what every stored image and firmware file was checked with.
std::uint32_t bitwiseCrc(const std::uint8_t *data, std::size_t length)
{
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < length; ++i) {
        c ^= data[i];
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    }
    return c ^ 0xFFFFFFFFu;
}

std::uint32_t crcOf(const QByteArray &bytes)
{
    return Crc32(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                 std::size_t(bytes.size()));
}

} // namespace

// The checksum of the configuration images and firmware files: images and files written by any
// earlier build must still check.
class TestCrc32 : public QObject
{
    Q_OBJECT
private slots:
    // The published check values of this checksum.
    void knownValues()
    {
        QCOMPARE(crcOf(QByteArray()), 0u);
        QCOMPARE(crcOf(QByteArray("123456789")), 0xCBF43926u);
        QCOMPARE(crcOf(QByteArray("The quick brown fox jumps over the lazy dog")), 0x414FA339u);
    }

    // Every length and every alignment of the start, so that both the eight bytes taken at a
    // time and the bytes left over are checked, on a whole image's size too.
    void everyLengthAndStartAsDefined()
    {
        QRandomGenerator random(20261211);
        std::vector<std::uint8_t> bytes(6912 + 8);
        for (std::uint8_t &byte : bytes)
            byte = std::uint8_t(random.bounded(256));
        for (std::size_t start = 0; start < 8; ++start) {
            for (std::size_t length = 0; length <= 40; ++length)
                QCOMPARE(Crc32(bytes.data() + start, length),
                         bitwiseCrc(bytes.data() + start, length));
            QCOMPARE(Crc32(bytes.data() + start, 6912), bitwiseCrc(bytes.data() + start, 6912));
        }
        const std::vector<std::uint8_t> ones(64, 0xFF);
        QCOMPARE(Crc32(ones.data(), ones.size()), bitwiseCrc(ones.data(), ones.size()));
    }
};

ZR35_TEST_MAIN(TestCrc32)
#include "tst_crc32.moc"
