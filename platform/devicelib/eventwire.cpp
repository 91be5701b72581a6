#include "platform/devicelib/eventwire.h"

QByteArray EventWire::header(unsigned char type, unsigned char command, int payloadLength,
                             unsigned char sequence, unsigned char status)
{
    QByteArray bytes(HeaderSize, '\0');
    bytes[0] = char(FrameMarker);
    bytes[1] = char(type);
    bytes[2] = char(sequence);
    bytes[3] = char(status);
    bytes[4] = char(command);
    bytes[5] = char(payloadLength & 0xFF);
    bytes[6] = char((payloadLength >> 8) & 0xFF);
    return bytes;
}
