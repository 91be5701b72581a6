#include "fuzz/eventsequence.h"

#include <algorithm>

QVector<Fuzz::Event> Fuzz::eventsOf(const std::uint8_t *data, std::size_t size, int limit)
{
    QVector<Event> events;
    std::size_t at = 0;
    const auto take = [&](std::size_t count) {
        count = std::min(count, size - at);
        const QByteArray bytes(reinterpret_cast<const char *>(data + at), int(count));
        at += count;
        return bytes;
    };
    while (at < size && events.size() < limit) {
        Event event;
        const int headerLength = data[at++] & 0x1F;
        event.hasHeader = headerLength > 0;
        event.header = take(std::size_t(headerLength));
        const QByteArray length = take(2);
        const std::size_t payloadLength =
            length.size() == 2 ? std::size_t(uchar(length[0]) | uchar(length[1]) << 8) : 0;
        event.payload = take(payloadLength);
        events.append(event);
    }
    return events;
}
