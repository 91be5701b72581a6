// Preloaded into the ThreadSanitizer build's tests (tools/tsan.sh). Debian's Qt is not built for
// the sanitizer, so the locking inside it is invisible and every value the program guards with a
// QMutex would look shared without a lock. These definitions take the place of Qt's own lock
// operations for every caller outside Qt's library (Qt calls its own directly), tell the
// sanitizer what each one does, and call Qt's.
//
// The same goes for the hub's queued and blocking deliveries: Qt hands a call to the receiver's
// thread under its own invisible locks, and a blocking emission lets the slot read the emitter's
// arguments in place. An emission of the hub (or a call handed over with invokeMethod) is
// therefore a release and, once it returns, an acquire; a queued call delivered to one of the
// program's objects an acquire before the slot and a release after it. One sync object stands for
// every hand-over: it orders more than Qt does, never less.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QFrame>
#include <QMetaObject>
#include <QMutex>
#include <QReadWriteLock>
#include <QSemaphore>
#include <QThread>
#include <QWaitCondition>
#include <QWidget>

#include <sanitizer/tsan_interface.h>

// Weak: a process of the test run that is not built with the sanitizer (ctest itself, a shell)
// loads this library too, and must not fail for want of the sanitizer's functions.
#pragma weak __tsan_acquire
#pragma weak __tsan_release
#pragma weak __tsan_mutex_destroy
#pragma weak __tsan_mutex_pre_lock
#pragma weak __tsan_mutex_post_lock
#pragma weak __tsan_mutex_pre_unlock
#pragma weak __tsan_mutex_post_unlock

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <vector>

namespace {

const bool Sanitized = &__tsan_acquire != nullptr;

// Qt's own definition of the operation with the given mangled name.
template <typename Function>
Function real(const char *name)
{
    void *found = dlvsym(RTLD_NEXT, name, "Qt_5");
    if (!found)
        found = dlsym(RTLD_NEXT, name);
    if (!found) {
        std::fprintf(stderr, "tsan Qt locks: no %s in Qt\n", name);
        std::abort();
    }
    return reinterpret_cast<Function>(found);
}

#define QT_REAL(type, name) static const auto qt = real<type>(name)

void mutexDestroyed(void *mutex)
{
    if (Sanitized)
        __tsan_mutex_destroy(mutex, 0);
}

void mutexLocking(void *mutex, unsigned flags = 0)
{
    if (Sanitized)
        __tsan_mutex_pre_lock(mutex, flags);
}

void mutexLocked(void *mutex, unsigned flags = 0)
{
    if (Sanitized)
        __tsan_mutex_post_lock(mutex, flags, 0);
}

void mutexUnlocking(void *mutex, unsigned flags = 0)
{
    if (Sanitized)
        __tsan_mutex_pre_unlock(mutex, flags);
}

void mutexUnlocked(void *mutex, unsigned flags = 0)
{
    if (Sanitized)
        __tsan_mutex_post_unlock(mutex, flags);
}

void released(void *address)
{
    if (Sanitized)
        __tsan_release(address);
}

void acquired(void *address)
{
    if (Sanitized)
        __tsan_acquire(address);
}

} // namespace

// --- QMutex ---

QMutex::~QMutex()
{
    QT_REAL(void (*)(QMutex *), "_ZN6QMutexD2Ev");
    mutexDestroyed(this);
    qt(this);
}

void QMutex::lock() QT_MUTEX_LOCK_NOEXCEPT
{
    QT_REAL(void (*)(QMutex *), "_ZN6QMutex4lockEv");
    mutexLocking(this);
    qt(this);
    mutexLocked(this);
}

bool QMutex::tryLock(int timeout) QT_MUTEX_LOCK_NOEXCEPT
{
    QT_REAL(bool (*)(QMutex *, int), "_ZN6QMutex7tryLockEi");
    mutexLocking(this, __tsan_mutex_try_lock);
    const bool locked = qt(this, timeout);
    mutexLocked(this, __tsan_mutex_try_lock | (locked ? 0 : __tsan_mutex_try_lock_failed));
    return locked;
}

void QMutex::unlock() noexcept
{
    QT_REAL(void (*)(QMutex *), "_ZN6QMutex6unlockEv");
    mutexUnlocking(this);
    qt(this);
    mutexUnlocked(this);
}

// --- QReadWriteLock ---

QReadWriteLock::~QReadWriteLock()
{
    QT_REAL(void (*)(QReadWriteLock *), "_ZN14QReadWriteLockD2Ev");
    mutexDestroyed(this);
    qt(this);
}

namespace {

// The read locks this thread holds, by lock: the sanitizer must be told whether an unlock gives
// up a read or a write lock, and QReadWriteLock::unlock does not say.
thread_local std::vector<void *> readLocksHeld;

void readLockTaken(void *lock)
{
    readLocksHeld.push_back(lock);
}

// True (and forgotten) when this thread holds lock for reading.
bool readLockGiven(void *lock)
{
    for (auto it = readLocksHeld.rbegin(); it != readLocksHeld.rend(); ++it) {
        if (*it == lock) {
            readLocksHeld.erase(std::next(it).base());
            return true;
        }
    }
    return false;
}

} // namespace

void QReadWriteLock::lockForRead()
{
    QT_REAL(void (*)(QReadWriteLock *), "_ZN14QReadWriteLock11lockForReadEv");
    mutexLocking(this, __tsan_mutex_read_lock);
    qt(this);
    mutexLocked(this, __tsan_mutex_read_lock);
    readLockTaken(this);
}

bool QReadWriteLock::tryLockForRead()
{
    return tryLockForRead(0);
}

bool QReadWriteLock::tryLockForRead(int timeout)
{
    QT_REAL(bool (*)(QReadWriteLock *, int), "_ZN14QReadWriteLock14tryLockForReadEi");
    mutexLocking(this, __tsan_mutex_try_read_lock);
    const bool locked = qt(this, timeout);
    mutexLocked(this, locked ? __tsan_mutex_try_read_lock : __tsan_mutex_try_read_lock_failed);
    if (locked)
        readLockTaken(this);
    return locked;
}

void QReadWriteLock::lockForWrite()
{
    QT_REAL(void (*)(QReadWriteLock *), "_ZN14QReadWriteLock12lockForWriteEv");
    mutexLocking(this);
    qt(this);
    mutexLocked(this);
}

bool QReadWriteLock::tryLockForWrite()
{
    return tryLockForWrite(0);
}

bool QReadWriteLock::tryLockForWrite(int timeout)
{
    QT_REAL(bool (*)(QReadWriteLock *, int), "_ZN14QReadWriteLock15tryLockForWriteEi");
    mutexLocking(this, __tsan_mutex_try_lock);
    const bool locked = qt(this, timeout);
    mutexLocked(this, __tsan_mutex_try_lock | (locked ? 0 : __tsan_mutex_try_lock_failed));
    return locked;
}

void QReadWriteLock::unlock()
{
    QT_REAL(void (*)(QReadWriteLock *), "_ZN14QReadWriteLock6unlockEv");
    const unsigned flags = readLockGiven(this) ? __tsan_mutex_read_lock : 0;
    mutexUnlocking(this, flags);
    qt(this);
    mutexUnlocked(this, flags);
}

// --- QSemaphore: a release happens before the acquire it lets through ---

void QSemaphore::acquire(int n)
{
    QT_REAL(void (*)(QSemaphore *, int), "_ZN10QSemaphore7acquireEi");
    qt(this, n);
    acquired(this);
}

bool QSemaphore::tryAcquire(int n)
{
    QT_REAL(bool (*)(QSemaphore *, int), "_ZN10QSemaphore10tryAcquireEi");
    const bool taken = qt(this, n);
    if (taken)
        acquired(this);
    return taken;
}

bool QSemaphore::tryAcquire(int n, int timeout)
{
    QT_REAL(bool (*)(QSemaphore *, int, int), "_ZN10QSemaphore10tryAcquireEii");
    const bool taken = qt(this, n, timeout);
    if (taken)
        acquired(this);
    return taken;
}

void QSemaphore::release(int n)
{
    QT_REAL(void (*)(QSemaphore *, int), "_ZN10QSemaphore7releaseEi");
    released(this);
    qt(this, n);
}

// --- QWaitCondition: the mutex is given up while waiting, and a wake happens before the wait it
// ends ---

bool QWaitCondition::wait(QMutex *lockedMutex, QDeadlineTimer deadline)
{
    QT_REAL(bool (*)(QWaitCondition *, QMutex *, QDeadlineTimer),
            "_ZN14QWaitCondition4waitEP6QMutex14QDeadlineTimer");
    mutexUnlocking(lockedMutex);
    mutexUnlocked(lockedMutex);
    const bool woken = qt(this, lockedMutex, deadline);
    mutexLocking(lockedMutex);
    mutexLocked(lockedMutex);
    acquired(this);
    return woken;
}

bool QWaitCondition::wait(QMutex *lockedMutex, unsigned long time)
{
    QT_REAL(bool (*)(QWaitCondition *, QMutex *, unsigned long),
            "_ZN14QWaitCondition4waitEP6QMutexm");
    mutexUnlocking(lockedMutex);
    mutexUnlocked(lockedMutex);
    const bool woken = qt(this, lockedMutex, time);
    mutexLocking(lockedMutex);
    mutexLocked(lockedMutex);
    acquired(this);
    return woken;
}

void QWaitCondition::wakeOne()
{
    QT_REAL(void (*)(QWaitCondition *), "_ZN14QWaitCondition7wakeOneEv");
    released(this);
    qt(this);
}

void QWaitCondition::wakeAll()
{
    QT_REAL(void (*)(QWaitCondition *), "_ZN14QWaitCondition7wakeAllEv");
    released(this);
    qt(this);
}

// --- Hand-overs of the hub's signals ---

namespace {

char handOver;

bool fromTheHub(const QMetaObject *meta)
{
    return meta && std::strcmp(meta->className(), "PostMsg") == 0;
}

template <typename Event>
bool delivered(QObject *receiver, QEvent *event, Event qt)
{
    const bool call = event->type() == QEvent::MetaCall;
    if (call)
        acquired(&handOver);
    const bool handled = qt(receiver, event);
    if (call)
        released(&handOver);
    return handled;
}

using EventFunction = bool (*)(QObject *, QEvent *);

} // namespace

void QMetaObject::activate(QObject *sender, const QMetaObject *meta, int localSignalIndex,
                           void **arguments)
{
    QT_REAL(void (*)(QObject *, const QMetaObject *, int, void **),
            "_ZN11QMetaObject8activateEP7QObjectPKS_iPPv");
    const bool hub = fromTheHub(meta);
    if (hub)
        released(&handOver);
    qt(sender, meta, localSignalIndex, arguments);
    if (hub)
        acquired(&handOver);
}

bool QMetaObject::invokeMethodImpl(QObject *object, QtPrivate::QSlotObjectBase *slot,
                                   Qt::ConnectionType type, void *ret)
{
    QT_REAL(bool (*)(QObject *, QtPrivate::QSlotObjectBase *, Qt::ConnectionType, void *),
            "_ZN11QMetaObject16invokeMethodImplEP7QObjectPN9QtPrivate15QSlotObjectBaseEN2Qt14"
            "ConnectionTypeEPv");
    released(&handOver);
    // Qt drops its caller's reference to the slot object before it returns; when the receiver has
    // already run the call, that is the last reference and the object is deleted right there,
    // ordered with the receiver only by a reference count inside Qt. Holding a reference of our
    // own moves that deletion to after the acquire.
    if (slot)
        slot->ref();
    const bool invoked = qt(object, slot, type, ret);
    acquired(&handOver);
    if (slot)
        slot->destroyIfLastRef();
    return invoked;
}

bool QObject::event(QEvent *event)
{
    QT_REAL(EventFunction, "_ZN7QObject5eventEP6QEvent");
    return delivered(this, event, qt);
}

bool QThread::event(QEvent *event)
{
    QT_REAL(EventFunction, "_ZN7QThread5eventEP6QEvent");
    return delivered(this, event, qt);
}

bool QWidget::event(QEvent *event)
{
    QT_REAL(EventFunction, "_ZN7QWidget5eventEP6QEvent");
    return delivered(this, event, qt);
}

bool QFrame::event(QEvent *event)
{
    QT_REAL(EventFunction, "_ZN6QFrame5eventEP6QEvent");
    return delivered(this, event, qt);
}
