#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QThread>
#include <QVector>

// What the simulated library was asked, for the tests: every call with its thread, every record
// that ProtocolDataUpdate received and every value a virtual device had to cut to its limits. The
// log keeps the most recent entries only, so a long session of the program does not grow it
// without bound. Safe to use from any thread.
namespace CallLog {

struct Call
{
    QString operation;     // the library operation, e.g. "UsbServer_ReadAllFlashData"
    QString arguments;     // readable arguments, e.g. "sim/receiver/Receiver1"
    Qt::HANDLE thread;     // QThread::currentThreadId() of the caller
    QByteArray threadName; // the library thread's name, empty for a thread of the program
};

void record(const QString &operation, const QString &arguments = QString());
void recordUpdate(const QByteArray &record);
void recordCuts(const QStringList &cuts);

QVector<Call> calls();
QVector<QByteArray> updates();
QStringList cuts();
void clear();

// Names the calling library thread in later entries.
void setThreadName(const QByteArray &name);

} // namespace CallLog
