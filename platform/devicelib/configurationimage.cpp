#include "platform/devicelib/configurationimage.h"

#include "core/record/firmwareheader.h"

#include <cstddef>
#include <cstring>

namespace {

// Record layout, taken from the record type itself.
constexpr int GlobalBlockSize = int(FlashDataMap::KeysAndMacrosOffset);
constexpr int RecordKeyRecords = int(offsetof(FlashDataMap, KeyRecords));
constexpr int RecordKeyRecordSize = int(sizeof(KeyRecord));
constexpr int RecordMacros = int(offsetof(FlashDataMap, Macros));
constexpr int RecordMacroSize = int(sizeof(MacroRecord));
constexpr int KeyEventSize = int(sizeof(KeyEvent));
constexpr int SlotCount = int(FlashDataMap::ButtonSlots);

// Image layout (see the header).
constexpr int ImageKeyRecords = 0x7C;
constexpr int PackedEventSize = 5;
constexpr int ImageKeyRecordSize = 1 + ConfigurationImage::KeyEventsPerKeyRecord * PackedEventSize;
constexpr int ImageMacros = ImageKeyRecords + SlotCount * ImageKeyRecordSize;
constexpr int ImageMacroSize = 1 + ConfigurationImage::MacroNameSize + 1 +
                               ConfigurationImage::EventsPerMacro * PackedEventSize;
constexpr int ImageMagic = ImageMacros + SlotCount * ImageMacroSize;
constexpr int ImageCrc = ConfigurationImage::ImageSize - 4;
constexpr char Magic[4] = {'Z', 'R', 'C', 'F'};

static_assert(ImageKeyRecords + SlotCount * ImageKeyRecordSize == 0x26C);
static_assert(ImageMagic == 0x1A4C);
static_assert(RecordMacros + SlotCount * RecordMacroSize == ConfigurationImage::RecordSize);

constexpr unsigned ActionMax = 1;
constexpr unsigned KindMax = 7;

quint32 readLe32(const unsigned char *p)
{
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

void writeLe32(unsigned char *p, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        p[i] = (value >> (8 * i)) & 0xFF;
}

// Where a value sits, in the program's terms: "key record 3", "macro 3 event 12". Made into text
// only when a value is cut: formatting it for every event made packing a record cost as much as
// a hundred of its transfers.
struct Where
{
    const char *block; // "key record" or "macro"
    int slot;
    int event = -1; // -1: the block itself

    QString text() const
    {
        QString where = QStringLiteral("%1 %2").arg(QLatin1String(block)).arg(slot);
        if (event >= 0)
            where += QStringLiteral(" event %1").arg(event);
        return where;
    }
};

// Names a value that was cut, e.g. "macro 3 event 12 Delay 2000000 -> 1048575".
void noteCut(QStringList *cuts, const Where &where, const char *field, quint64 from, quint64 to)
{
    if (cuts)
        *cuts << QStringLiteral("%1 %2 %3 -> %4")
                     .arg(where.text(), QLatin1String(field))
                     .arg(from)
                     .arg(to);
}

unsigned clampNoted(unsigned value, unsigned limit, QStringList *cuts, const Where &where,
                    const char *field)
{
    if (value <= limit)
        return value;
    noteCut(cuts, where, field, value, limit);
    return limit;
}

void packEvent(const unsigned char *event, unsigned char *packed, QStringList *cuts,
               const Where &where)
{
    const quint64 action = clampNoted(event[0], ActionMax, cuts, where, "Action");
    const quint64 kind = clampNoted(event[1], KindMax, cuts, where, "Kind");
    const quint64 code = quint64(event[2]) | quint64(event[3]) << 8;
    const quint64 delay =
        clampNoted(readLe32(event + 4), ConfigurationImage::MaxDelay, cuts, where, "Delay");
    const quint64 bits = action | kind << 1 | code << 4 | delay << 20;
    for (int i = 0; i < PackedEventSize; ++i)
        packed[i] = (bits >> (8 * i)) & 0xFF;
}

void unpackEvent(const unsigned char *packed, unsigned char *event)
{
    quint64 bits = 0;
    for (int i = 0; i < PackedEventSize; ++i)
        bits |= quint64(packed[i]) << (8 * i);
    event[0] = bits & 0x1;
    event[1] = (bits >> 1) & 0x7;
    event[2] = (bits >> 4) & 0xFF;
    event[3] = (bits >> 12) & 0xFF;
    writeLe32(event + 4, quint32((bits >> 20) & ConfigurationImage::MaxDelay));
}

} // namespace

QByteArray ConfigurationImage::encode(const unsigned char *record, QStringList *cuts)
{
    QByteArray bytes(ImageSize, '\0');
    auto *image = reinterpret_cast<unsigned char *>(bytes.data());
    std::memcpy(image, record, GlobalBlockSize);

    for (int s = 0; s < SlotCount; ++s) {
        const unsigned char *key = record + RecordKeyRecords + s * RecordKeyRecordSize;
        unsigned char *out = image + ImageKeyRecords + s * ImageKeyRecordSize;
        const Where where{"key record", s};
        out[0] = clampNoted(key[0], KeyEventsPerKeyRecord, cuts, where, "Count");
        for (int b = 1; b <= 3; ++b) {
            if (key[b] != 0)
                noteCut(cuts, where, b == 1 ? "byte 1" : b == 2 ? "byte 2" : "byte 3", key[b], 0);
        }
        for (int e = 0; e < KeyEventsPerKeyRecord; ++e)
            packEvent(key + 4 + e * KeyEventSize, out + 1 + e * PackedEventSize, cuts,
                      Where{"key record", s, e});
    }

    for (int s = 0; s < SlotCount; ++s) {
        const unsigned char *macro = record + RecordMacros + s * RecordMacroSize;
        unsigned char *out = image + ImageMacros + s * ImageMacroSize;
        const Where where{"macro", s};
        out[0] = clampNoted(macro[0], MacroNameSize, cuts, where, "NameLength");
        std::memcpy(out + 1, macro + 1, MacroNameSize);
        out[1 + MacroNameSize] = clampNoted(macro[31], EventsPerMacro, cuts, where, "EventCount");
        for (int e = 0; e < EventsPerMacro; ++e)
            packEvent(macro + 32 + e * KeyEventSize, out + 2 + MacroNameSize + e * PackedEventSize,
                      cuts, Where{"macro", s, e});
    }

    // Through the array rather than the pointer: GCC's overflow check loses the array's size on
    // the pointer in an optimised build and warns about a write that is in bounds.
    bytes.replace(ImageMagic, int(sizeof Magic), Magic, int(sizeof Magic));
    writeLe32(image + ImageCrc, Crc32(image, ImageCrc));
    return bytes;
}

bool ConfigurationImage::decode(const unsigned char *image, unsigned char *record)
{
    if (std::memcmp(image + ImageMagic, Magic, sizeof Magic) != 0)
        return false;
    if (readLe32(image + ImageCrc) != Crc32(image, ImageCrc))
        return false;

    std::memcpy(record, image, GlobalBlockSize);
    for (int s = 0; s < SlotCount; ++s) {
        const unsigned char *in = image + ImageKeyRecords + s * ImageKeyRecordSize;
        unsigned char *key = record + RecordKeyRecords + s * RecordKeyRecordSize;
        key[0] = in[0];
        key[1] = key[2] = key[3] = 0;
        for (int e = 0; e < KeyEventsPerKeyRecord; ++e)
            unpackEvent(in + 1 + e * PackedEventSize, key + 4 + e * KeyEventSize);
    }
    for (int s = 0; s < SlotCount; ++s) {
        const unsigned char *in = image + ImageMacros + s * ImageMacroSize;
        unsigned char *macro = record + RecordMacros + s * RecordMacroSize;
        macro[0] = in[0];
        std::memcpy(macro + 1, in + 1, MacroNameSize);
        macro[31] = in[1 + MacroNameSize];
        for (int e = 0; e < EventsPerMacro; ++e)
            unpackEvent(in + 2 + MacroNameSize + e * PackedEventSize,
                        macro + 32 + e * KeyEventSize);
    }
    return true;
}

QByteArray ConfigurationImage::stored(const QByteArray &record, QStringList *cuts,
                                      QByteArray *image)
{
    QByteArray full = record.left(RecordSize);
    full.append(QByteArray(RecordSize - full.size(), '\0'));
    QStringList cut;
    const QByteArray packed =
        encode(reinterpret_cast<const unsigned char *>(full.constData()), &cut);
    // Every value the image cannot hold is named as it is cut: with none cut the record comes
    // back byte for byte, and unpacking it again would only cost as much as packing it.
    if (!cut.isEmpty()) {
        decode(reinterpret_cast<const unsigned char *>(packed.constData()),
               reinterpret_cast<unsigned char *>(full.data()));
    } else {
#ifndef QT_NO_DEBUG
        QByteArray unpacked(RecordSize, '\0');
        decode(reinterpret_cast<const unsigned char *>(packed.constData()),
               reinterpret_cast<unsigned char *>(unpacked.data()));
        Q_ASSERT_X(unpacked == full, "ConfigurationImage::stored", "a value was cut unnamed");
#endif
    }
    if (cuts)
        *cuts += cut;
    if (image)
        *image = packed;
    return full;
}
