#pragma once

#include "core/record/flashdatamap.h"

#include <QByteArray>
#include <QStringList>

// The mouse's stored configuration as it travels in the 6912-byte whole-configuration reply, and
// as the virtual mouse keeps it. The record the program works with (FlashDataMap, 10428 bytes) is
// larger than the device's flash page, so the device packs it:
//
//   image offset  size  content
//   0x0000         124  record bytes 0x00..0x7B verbatim: global settings, the eight DPI stages,
//                       the DPI light and light bar blocks, the sixteen button functions and the
//                       two reserved bytes at 0x7A
//   0x007C   16 x   31  key record of slot s at 0x7C + 31 s: Count (1 byte), then its six
//                       KeyEvents packed to 5 bytes each. Record bytes 1..3 of a key record are
//                       not stored (they read back as zero).
//   0x026C   16 x  382  macro of slot s at 0x26C + 382 s: NameLength (1), Name (30, stored as it
//                       is, terminator or not), EventCount (1), then its seventy KeyEvents packed
//                       to 5 bytes each
//   0x1A4C           4  magic "ZRCF"
//   0x1A50         172  zero
//   0x1AFC           4  CRC-32 (IEEE 802.3, as zlib computes it) of image bytes 0x0000..0x1AFB,
//                       little-endian
//
// A packed KeyEvent is one 40-bit little-endian number: bit 0 Action (0 press, 1 release),
// bits 1..3 Kind (0 modifier, 1 keyboard usage, 2 consumer usage, 4 mouse button), bits 4..19
// Code, bits 20..39 Delay in milliseconds (at most 1,048,575, about 17 minutes). Every event slot
// is stored, the unused ones after Count or EventCount too, so a record within these limits comes
// back byte for byte.
//
// Like the firmware, encoding keeps what fits instead of refusing a record (the program does not
// look at the result of a send, so a refusal would silently drop every later change): a longer
// delay is stored as 1,048,575, Action and Kind as their largest field values, counts above 6 or
// 70 and name lengths above 30 are cut to those limits, and key-record bytes 1..3 become zero.
// Each value cut is described in the texts that encode() returns.
namespace ConfigurationImage {

// The device holds as many events and name bytes as the record has room for.
inline constexpr int RecordSize = int(FlashDataMap::Size);
inline constexpr int ImageSize = 6912;
inline constexpr int KeyEventsPerKeyRecord = int(KeyRecord::MaxEvents);
inline constexpr int EventsPerMacro = int(MacroRecord::MaxEvents);
inline constexpr int MacroNameSize = int(MacroRecord::NameCapacity);
inline constexpr unsigned MaxDelay = 0xFFFFF;

// record: RecordSize bytes. Returns the ImageSize-byte image; *cuts (when given) receives one
// text per value that had to be cut.
QByteArray encode(const unsigned char *record, QStringList *cuts = nullptr);
// image: ImageSize bytes. Fills all RecordSize bytes of record; false (record untouched) when the
// magic or the checksum is wrong.
bool decode(const unsigned char *image, unsigned char *record);
// The record as the device keeps it: encode then decode. *image (when given) receives the image
// it was decoded from, which is also the image of the returned record.
QByteArray stored(const QByteArray &record, QStringList *cuts = nullptr,
                  QByteArray *image = nullptr);

} // namespace ConfigurationImage
