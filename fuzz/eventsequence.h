#pragma once

#include <QByteArray>
#include <QVector>

#include <cstddef>
#include <cstdint>

namespace Fuzz {

// One device-library event as a fuzz input describes it.
struct Event
{
    QByteArray header;
    bool hasHeader = false; // a header length of 0 passes no header at all
    QByteArray payload;
};

// The events of an input, at most `limit`: each is one byte whose low five bits give the header
// length (0..31), the header bytes, a 16-bit little-endian payload length (cut to what is left of
// the input) and the payload bytes.
QVector<Event> eventsOf(const std::uint8_t *data, std::size_t size, int limit);

} // namespace Fuzz
