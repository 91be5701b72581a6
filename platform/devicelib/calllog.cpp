#include "platform/devicelib/calllog.h"

#include <QMutex>
#include <QMutexLocker>

namespace {

// Enough for every test and for a debugging look at a long session; older entries go first.
constexpr int MaxCalls = 4096;
constexpr int MaxUpdates = 256;
constexpr int MaxCuts = 1024;

struct Log
{
    QMutex mutex;
    QVector<CallLog::Call> calls;
    QVector<QByteArray> updates;
    QStringList cuts;
};

// Never destroyed: library threads may still log while the process exits.
Log &log()
{
    static Log *instance = new Log;
    return *instance;
}

thread_local QByteArray currentThreadName;

template <typename List>
void trim(List &list, int max)
{
    if (list.size() > max)
        list.erase(list.begin(), list.begin() + (list.size() - max));
}

} // namespace

void CallLog::record(const QString &operation, const QString &arguments)
{
    Log &l = log();
    QMutexLocker lock(&l.mutex);
    l.calls.append({operation, arguments, QThread::currentThreadId(), currentThreadName});
    trim(l.calls, MaxCalls);
}

void CallLog::recordUpdate(const QByteArray &record)
{
    Log &l = log();
    QMutexLocker lock(&l.mutex);
    l.updates.append(record);
    trim(l.updates, MaxUpdates);
}

void CallLog::recordCuts(const QStringList &cuts)
{
    if (cuts.isEmpty())
        return;
    Log &l = log();
    QMutexLocker lock(&l.mutex);
    l.cuts.append(cuts);
    trim(l.cuts, MaxCuts);
}

QVector<CallLog::Call> CallLog::calls()
{
    Log &l = log();
    QMutexLocker lock(&l.mutex);
    return l.calls;
}

QVector<QByteArray> CallLog::updates()
{
    Log &l = log();
    QMutexLocker lock(&l.mutex);
    return l.updates;
}

QStringList CallLog::cuts()
{
    Log &l = log();
    QMutexLocker lock(&l.mutex);
    return l.cuts;
}

void CallLog::clear()
{
    Log &l = log();
    QMutexLocker lock(&l.mutex);
    l.calls.clear();
    l.updates.clear();
    l.cuts.clear();
}

void CallLog::setThreadName(const QByteArray &name)
{
    currentThreadName = name;
}
