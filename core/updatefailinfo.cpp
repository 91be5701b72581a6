#include "core/updatefailinfo.h"

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
