#include "core/updatefailinfo.h"

#include "core/devicestate.h"
#include "core/registryvalues.h"
#include "platform/diagnostics.h"

#include <QStringList>

namespace {

// A decimal number that fits 32 bits, sign allowed.
bool number(const QString &item, int *value)
{
    bool ok = false;
    *value = item.toInt(&ok, 10);
    return ok;
}

} // namespace

bool ParseUpdateFailInfo(const QString &text, UpdateFailRecord *record)
{
    if (text.isEmpty())
        return false;
    const QStringList items = text.split(QLatin1Char(','));
    UpdateFailRecord parsed;
    const bool ok = items.size() == 4 && number(items.at(0), &parsed.Target) &&
                    number(items.at(1), &parsed.ReceiverCode) && number(items.at(2), &parsed.Cid) &&
                    number(items.at(3), &parsed.Mid);
    if (!ok) {
        qCDebug(lcDiagnostics) << "UpdateFailInfo is not a failure record, ignored";
        return false;
    }
    *record = parsed;
    return true;
}

bool ReadUpdateFailRecord(UpdateFailRecord *record)
{
    return ParseUpdateFailInfo(RegistryValues::UpdateFailInfo(), record);
}

bool HasUpdateFailRecord()
{
    UpdateFailRecord record;
    return ReadUpdateFailRecord(&record);
}

QString UpdateFailInfoText(int target, int receiverCode, int cid, int mid)
{
    return QStringLiteral("%1,%2,%3,%4").arg(target).arg(receiverCode).arg(cid).arg(mid);
}

QString ArmUpdateFailInfo(const QString &record)
{
    const QString replaced = RegistryValues::UpdateFailInfo();
    RegistryValues::SetUpdateFailInfo(record);
    return replaced;
}

void RestoreUpdateFailInfo(const QString &replaced)
{
    if (replaced.isEmpty())
        RegistryValues::RemoveUpdateFailInfo();
    else
        RegistryValues::SetUpdateFailInfo(replaced);
}

void UpgradeSucceeded(const QString &armed, const QString &replaced)
{
    UpdateFailRecord own;
    if (!ParseUpdateFailInfo(armed, &own))
        return;
    RemoveUpdateFailInfoOf(own.Target);
    UpdateFailRecord other;
    if (ParseUpdateFailInfo(replaced, &other) && other.Target != own.Target)
        RegistryValues::SetUpdateFailInfo(replaced);
}

void RemoveUpdateFailInfoOf(int target)
{
    UpdateFailRecord record;
    if (ReadUpdateFailRecord(&record) && record.Target == target)
        RegistryValues::RemoveUpdateFailInfo();
}

bool FirmwareRunUnderWay()
{
    const DeviceState &s = *DeviceState::instance();
    return s.UpdateIdle.load() == 0 || s.AutoRepairRunning.load() != 0;
}

bool RepairOffered()
{
    return HasUpdateFailRecord() && !FirmwareRunUnderWay();
}
