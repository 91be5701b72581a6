#include "sensor/model/dpicodec.h"

#include "core/configini.h"
#include "core/devicestate.h"
#include "core/devicewrite.h"

#include <climits>
#include <cstdlib>

namespace {

struct RangeChoice
{
    int factor;
    int bits;
};

// Values above the first range are stored at a fraction of their size, with range bits that say
// which fraction; mode 0x33 has up to four ranges, found by their minimums from the top.
RangeChoice chooseRange(int dpi, const DpiRanges &ranges)
{
    switch (ranges.DpiRangeMode) {
    case 0x33: {
        static const RangeChoice byRange[4] = {{1, 0}, {2, 0x22}, {2, 0x11}, {4, 0x33}};
        for (int n = ranges.DpiRangeMins.size() - 1; n >= 0; --n) {
            if (dpi >= ranges.DpiRangeMins.at(n))
                return byRange[qMin(n, 3)];
        }
        return {1, 0};
    }
    case 0x11:
    case 0x22:
        if (!ranges.DpiRangeMaxs.isEmpty() && dpi > ranges.DpiRangeMaxs.at(0))
            return {2, ranges.DpiRangeMode};
        return {1, 0};
    default:
        return {1, 0};
    }
}

QString tablePrefix(const SensorModel &model)
{
    return QStringLiteral("SENSOR_") + model.SensorChip + QStringLiteral("_DPI");
}

bool hasTable(const SensorModel &model)
{
    const QString prefix = tablePrefix(model);
    for (const QString &name : model.DefineNames) {
        if (name.contains(prefix))
            return true;
    }
    return false;
}

bool packsHighBits(const QString &chip)
{
    return chip == QLatin1String("3395") || chip == QLatin1String("3950");
}

// The code of the table entry nearest to `target` (exact first, then the lower of two as near):
// entries named SENSOR_<chip>_DPI_<n> whose code fits a byte; -1 when the table has none.
int nearestTableCode(int target, const SensorModel &model)
{
    const QString keyPrefix = tablePrefix(model) + QLatin1Char('_');
    int best = -1;
    qint64 bestN = 0;
    qint64 bestDistance = 0;
    const int count = qMin(model.DefineNames.size(), model.DefineValues.size());
    for (int i = 0; i < count; ++i) {
        const QString &name = model.DefineNames.at(i);
        const int code = model.DefineValues.at(i);
        if (code < 0 || code > 255 || !name.startsWith(keyPrefix))
            continue;
        bool ok = false;
        const int n = name.midRef(keyPrefix.size()).toInt(&ok, 10);
        if (!ok || n < 0 || name != keyPrefix + QString::number(n))
            continue;
        const qint64 distance = std::llabs(qint64(n) - target);
        if (best < 0 || distance < bestDistance || (distance == bestDistance && n < bestN)) {
            best = code;
            bestN = n;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace

DpiEncoding EncodeDpi(int dpi, const SensorModel &model)
{
    const RangeChoice range = chooseRange(dpi, model.DpiRangeTable);
    DpiEncoding encoding;
    if (hasTable(model)) {
        const int code = nearestTableCode(dpi / range.factor, model);
        if (code < 0)
            return encoding;
        encoding.CodeX = code;
        encoding.Flags = range.bits;
    } else {
        const int code = dpi / (50 * range.factor) - 1;
        if (code < 0)
            return encoding;
        int flags = range.bits;
        if (packsHighBits(model.SensorChip)) {
            const int high = (code & 0xFFFF) >> 8;
            flags |= (high << 2) | (high << 6);
        }
        encoding.CodeX = code & 0xFF;
        encoding.Flags = flags & 0xFF;
    }
    encoding.Valid = true;
    encoding.Dpi = DecodeDpi(encoding.CodeX, encoding.Flags, model);
    return encoding;
}

int DecodeDpi(int codeX, int flags, const SensorModel &model)
{
    const QString prefix = tablePrefix(model);
    const QString keyPrefix = prefix + QLatin1Char('_');
    const int count = qMin(model.DefineNames.size(), model.DefineValues.size());
    bool table = false;
    bool found = false;
    qint64 dpi = 0;
    for (int i = 0; i < count && !found; ++i) {
        const QString &name = model.DefineNames.at(i);
        if (!name.contains(prefix))
            continue;
        table = true;
        if (model.DefineValues.at(i) != codeX)
            continue;
        found = true;
        const int at = name.indexOf(keyPrefix);
        bool ok = false;
        const int n = at < 0 ? 0 : name.midRef(at + keyPrefix.size()).toInt(&ok, 10);
        dpi = ok ? n : 0;
        if (flags & 0x22)
            dpi *= 2;
    }
    if (!found) {
        if (table)
            return 0;
        qint64 steps = codeX;
        if (packsHighBits(model.SensorChip))
            steps += qint64(flags & 0xC0) << 2;
        dpi = (steps + 1) * ((flags & 0x22) ? 100 : 50);
    }
    if (flags & 0x11)
        dpi *= 2;
    // A table value too large to show reads like a code no entry has.
    return dpi >= INT_MIN && dpi <= INT_MAX ? int(dpi) : 0;
}

int DecodeDpiStage(quint8 codeX, quint8 flags)
{
    return DecodeDpi(codeX, flags, SensorModel::instance());
}

void SetDPIValue(int level, int dpi)
{
    if (level < 0 || level > 7)
        return;
    const DpiEncoding encoding = EncodeDpi(dpi, SensorModel::instance());
    if (encoding.Valid)
        WriteDpiValue(level, encoding.CodeX, encoding.CodeX, encoding.Flags);
}

void LoadDpiRanges()
{
    const int driveIndex = DeviceState::instance()->CurrentDeviceInfo.get().DriveIndex;
    const QString group = QStringLiteral("Drive%1").arg(driveIndex + 1);
    SensorModel::instance().DpiRangeTable.Load(
        ConfigIni::instance()->valueList(group, QStringLiteral("DPIRange")));
}
