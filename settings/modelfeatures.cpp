#include "settings/modelfeatures.h"

#include "core/configini.h"

namespace {
const QString Absent = QStringLiteral("-1");
constexpr int LedReceiverKind = 1;
} // namespace

QString ModelFeatures::AdvancedItem(const DeviceAllInfo &device, int index)
{
    const QStringList list = ConfigIni::instance()->valueList(
        QStringLiteral("Drive%1").arg(device.DriveIndex + 1), QStringLiteral("Adveanced"));
    const QString item = index >= 0 && index < list.size() ? list.at(index).trimmed() : QString();
    return item.isEmpty() ? Absent : item;
}

bool ModelFeatures::HasLongRange(const DeviceAllInfo &device)
{
    return AdvancedItem(device, 0) != Absent;
}

bool ModelFeatures::HasReceiverLed(const DeviceAllInfo &device)
{
    return AdvancedItem(device, 1) != Absent;
}

bool ModelFeatures::ReceiverLedApplies(const DeviceAllInfo &device)
{
    return HasReceiverLed(device) && device.Wired != 1 && device.Kind == LedReceiverKind;
}
