#include "tests/support/records.h"

#include "platform/devicelib/simulationcontrol.h"

#include <cstring>

QByteArray recordBytes(const FlashDataMap &record)
{
    return QByteArray(reinterpret_cast<const char *>(record.bytes()), int(FlashDataMap::Size));
}

FlashDataMap mouseRecord(const QString &mouse)
{
    FlashDataMap record{};
    const QByteArray bytes = SimulationControl::storedRecord(mouse);
    if (bytes.size() == int(FlashDataMap::Size))
        std::memcpy(record.bytes(), bytes.constData(), FlashDataMap::Size);
    return record;
}
