#include "buttons/model/dpicodes.h"

#include <QtGlobal>

#include <climits>

namespace {

QString tablePrefix(const QString &sensor)
{
    return QStringLiteral("SENSOR_") + sensor + QStringLiteral("_DPI");
}

bool hasTable(const QString &prefix, const QVector<QString> &names)
{
    for (const QString &name : names) {
        if (name.contains(prefix))
            return true;
    }
    return false;
}

} // namespace

int DpiToCode(int dpi, const QString &sensor, const QVector<QString> &names,
              const QVector<int> &values)
{
    const int steps = dpi / 50;
    const QString prefix = tablePrefix(sensor);
    if (!hasTable(prefix, names))
        return steps - 1;
    const QString key = prefix + QLatin1Char('_') + QString::number(dpi);
    const int entries = qMin(names.size(), values.size());
    for (int i = 0; i < entries; ++i) {
        if (names.at(i) == key)
            return values.at(i);
    }
    return steps;
}

int CodeToDpi(int code, const QString &sensor, const QVector<QString> &names,
              const QVector<int> &values)
{
    const QString prefix = tablePrefix(sensor);
    const QString valuePrefix = prefix + QLatin1Char('_');
    const int entries = qMin(names.size(), values.size());
    bool table = false;
    for (int i = 0; i < entries; ++i) {
        const QString &name = names.at(i);
        if (!name.contains(prefix))
            continue;
        table = true;
        if (values.at(i) != code)
            continue;
        const int at = name.indexOf(valuePrefix);
        if (at < 0)
            return 0;
        bool ok = false;
        const int dpi = name.mid(at + valuePrefix.size()).toInt(&ok, 10);
        return ok ? dpi : 0;
    }
    if (table)
        return 0;
    // Codes come from a byte, but the conversion takes any int without overflowing.
    const qint64 dpi = (qint64(code) + 1) * 50;
    return int(qBound<qint64>(INT_MIN, dpi, INT_MAX));
}
