#include "core/blockingconnect.h"

#include "core/postmsg.h"

#include <QCoreApplication>
#include <QMetaMethod>
#include <QMutex>
#include <QMutexLocker>
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
        const QByteArray normalized = QMetaObject::normalizedSignature(signal + 1);
        const int index = PostMsg::staticMetaObject.indexOfSignal(normalized.constData());
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
    return QObject::connect(PostMsg::GetInstance(), signal, receiver, slot,
                            Qt::BlockingQueuedConnection);
}

#include "blockingconnect.moc"
