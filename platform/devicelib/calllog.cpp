#include "platform/devicelib/calllog.h"

#include <QMutex>
#include <QMutexLocker>

namespace {

// Enough for every test and for a debugging look at a long session; older entries go first. The
// program carries the log too: a record received is 10 KiB, so only the last few are kept (with
// the batch trim below, at most 64 of them: 0.7 MiB), where 256 grew a long session by 5 MiB.
constexpr int MaxCalls = 4096;
constexpr int MaxUpdates = 32;
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

// Trimmed in batches: dropping the oldest entry on every call moved the whole log each time, which
// made every library call of a long session cost thousands of copies. Readers see the newest `max`.
template <typename List>
void trim(List &list, int max)
{
    if (list.size() >= 2 * max)
        list.erase(list.begin(), list.begin() + (list.size() - max));
}

// A list of the reader's own, made under the lock: the log goes on growing in place, and Qt's
// copy-on-write test before an append is not ordered with a reader still using a shared copy.
template <typename List>
List newest(const List &list, int max)
{
    List copy = list.size() <= max ? list : List(list.mid(list.size() - max));
    copy.detach();
    return copy;
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
    return newest(l.calls, MaxCalls);
}

QVector<QByteArray> CallLog::updates()
{
    Log &l = log();
    QMutexLocker lock(&l.mutex);
    return newest(l.updates, MaxUpdates);
}

QStringList CallLog::cuts()
{
    Log &l = log();
    QMutexLocker lock(&l.mutex);
    return newest(l.cuts, MaxCuts);
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
