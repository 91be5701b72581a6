#include "core/blockingconnect.h"

#include "core/postmsg.h"

#include <QCoreApplication>
#include <QHash>
#include <QMetaMethod>
#include <QMutex>
#include <QMutexLocker>
#include <QPointer>
#include <QSet>
#include <QThread>

namespace {

// Directly connected to every signal that has a blocking connection; its slot runs in the
// emitting thread, before the blocking slots.
class BlockingEmissionGuard : public QObject
{
    Q_OBJECT

public:
    BlockingEmissionGuard()
        : m_guiThread(QCoreApplication::instance() ? QCoreApplication::instance()->thread()
                                                   : thread())
    {}

    // Connects the guard to signal once, however many receivers connect blocking to it.
    bool watch(const char *signal)
    {
        const int index = signalIndex(signal);
        if (index < 0)
            return false;
        QMutexLocker locker(&m_mutex);
        if (m_watched.contains(index))
            return true;
        if (!connect(PostMsg::GetInstance(), signal, this, SLOT(check()), Qt::DirectConnection))
            return false;
        m_watched.insert(index);
        return true;
    }

    void addReceiver(const char *signal, const QObject *receiver)
    {
        QMutexLocker locker(&m_mutex);
        m_receivers[signalIndex(signal)].append(const_cast<QObject *>(receiver));
    }

    QList<QObject *> receivers(const char *signal)
    {
        QMutexLocker locker(&m_mutex);
        QList<QObject *> alive;
        QList<QPointer<QObject>> &known = m_receivers[signalIndex(signal)];
        known.removeAll(nullptr);
        for (const QPointer<QObject> &receiver : qAsConst(known))
            alive.append(receiver.data());
        return alive;
    }

    static int signalIndex(const char *signal)
    {
        if (!signal || !*signal)
            return -1;
        const QByteArray normalized = QMetaObject::normalizedSignature(signal + 1);
        return PostMsg::staticMetaObject.indexOfSignal(normalized.constData());
    }

private slots:
    // May run on any thread: the device service pass and the library's callback threads emit
    // the blocking signals.
    void check()
    {
        if (QThread::currentThread() != m_guiThread)
            return;
        // On the GUI thread the guard is in its own thread, so sender information is valid.
        const int index = senderSignalIndex();
        const QByteArray name =
            index >= 0 ? PostMsg::staticMetaObject.method(index).methodSignature() : "?";
        qFatal("PostMsg: blocking signal %s emitted on the GUI thread; it would wait for its own "
               "thread for ever",
               name.constData());
    }

private:
    QThread *const m_guiThread;
    QMutex m_mutex;
    QSet<int> m_watched;
    QHash<int, QList<QPointer<QObject>>> m_receivers;
};

BlockingEmissionGuard *guard()
{
    // Lives as long as the hub: never destroyed.
    static BlockingEmissionGuard *const instance = new BlockingEmissionGuard;
    return instance;
}

} // namespace

bool ConnectBlocking(const char *signal, const QObject *receiver, const char *slot)
{
    if (!signal || !receiver || !slot || !guard()->watch(signal))
        return false;
    if (!QObject::connect(PostMsg::GetInstance(), signal, receiver, slot,
                          Qt::BlockingQueuedConnection))
        return false;
    guard()->addReceiver(signal, receiver);
    return true;
}

QList<QObject *> BlockingReceivers(const char *signal)
{
    return guard()->receivers(signal);
}

#include "blockingconnect.moc"
