#include "sensor/model/dpiranges.h"

#include <QtGlobal>

#include <climits>

namespace {

int decimal(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

// Steps come from a file: a huge one must not overflow the value it is added to.
int clampedSum(int a, qint64 step)
{
    return int(qBound<qint64>(INT_MIN, qint64(a) + step, INT_MAX));
}

} // namespace

void DpiRanges::Load(const QStringList &list)
{
    const int k = list.size();
    bool ok = false;
    const int mode = k > 0 ? list.last().trimmed().toInt(&ok, 16) : 0;
    DpiRangeMode = ok ? mode : 0;
    DpiRangeMins.clear();
    DpiRangeMaxs.clear();
    DpiRangeCount = k > 0 ? (k - 1) / 3 : 0;
    if (DpiRangeCount < 1 || DpiRangeCount > 4)
        return;
    for (int r = 0; r < DpiRangeCount; ++r) {
        DpiRangeMin[r] = list.at(3 * r);
        DpiRangeMax[r] = list.at(3 * r + 1);
        DpiRangeStep[r] = list.at(3 * r + 2);
        DpiRangeMins.append(decimal(DpiRangeMin[r]));
        DpiRangeMaxs.append(decimal(DpiRangeMax[r]));
    }
    DpiMinText = list.at(0);
    DpiMaxText = list.at(3 * DpiRangeCount - 2);
}

int DpiRanges::UsableCount() const
{
    return DpiRangeCount >= 1 && DpiRangeCount <= 4 ? DpiRangeCount : 0;
}

int DpiRanges::Min(int k) const
{
    return k >= 1 && k <= 4 ? decimal(DpiRangeMin[k - 1]) : 0;
}

int DpiRanges::Max(int k) const
{
    return k >= 1 && k <= 4 ? decimal(DpiRangeMax[k - 1]) : 0;
}

int DpiRanges::Step(int k) const
{
    return k >= 1 && k <= 4 ? decimal(DpiRangeStep[k - 1]) : 0;
}

int SnapDpi(int a, const DpiRanges &ranges, int *pageStep)
{
    const int n = ranges.UsableCount();
    const auto usePageStep = [pageStep](int step) {
        if (pageStep && step > 0)
            *pageStep = step;
    };
    for (int k = 1; k <= n; ++k) {
        if (ranges.Min(k) <= a && a <= ranges.Max(k)) {
            const int step = ranges.Step(k);
            usePageStep(step);
            return step > 0 ? a - a % step : a;
        }
        if (k < n && ranges.Max(k) < a && a < ranges.Min(k + 1)) {
            usePageStep(ranges.Step(k + 1));
            return ranges.Min(k + 1);
        }
    }
    return a;
}

int StepDpiUp(int a, const DpiRanges &ranges)
{
    const int n = ranges.UsableCount();
    if (n == 0)
        return a;
    for (int k = 1; k < n; ++k) {
        if (ranges.Min(k) <= a && a < ranges.Max(k))
            return clampedSum(a, ranges.Step(k));
        if (ranges.Max(k) <= a && a < ranges.Min(k + 1))
            return ranges.Min(k + 1);
    }
    if (ranges.Min(n) <= a && a <= ranges.Max(n))
        return clampedSum(a, ranges.Step(n));
    return a;
}

int StepDpiDown(int a, const DpiRanges &ranges)
{
    const int n = ranges.UsableCount();
    for (int k = 1; k <= n; ++k) {
        if (ranges.Min(k) <= a && a <= ranges.Max(k))
            return clampedSum(a, -qint64(ranges.Step(k)));
        if (k < n && ranges.Max(k) < a && a < ranges.Min(k + 1))
            return ranges.Min(k + 1);
    }
    return a;
}
