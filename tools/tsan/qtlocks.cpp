// Preloaded into the ThreadSanitizer build's tests (tools/tsan.sh). Debian's Qt is not built for
// the sanitizer, so the locking inside it is invisible and every value the program guards with a
// QMutex would look shared without a lock. These definitions take the place of Qt's own lock
// operations for every caller outside Qt's library (Qt calls its own directly), tell the
// sanitizer what each one does, and call Qt's.
//
// The same goes for queued calls: Qt hands a call to the receiver's thread under its own invisible
// locks, and a blocking emission lets the slot read the emitter's arguments in place. Each kind of
// hand-over gets sync addresses of its own, derived from the sender and the signal (or, for
// invokeMethod, the receiver): an emission releases them and the delivery of that signal's queued
// call acquires them; a blocking call's slot, once run, releases a second one that its emitter
// acquires. That orders what Qt orders and no more, so a race between two threads that only share
// some unrelated emission is still reported (tools/tsan/selftest.cpp checks it).
//
// A call queued to one of Qt's own objects (the application object, an event loop), whose event()
// cannot be taken over from here, is seen arriving through Qt's notification hook instead.
//
// A QThread's end is the third kind: QThread::wait returns once the thread has run, which Qt
// orders through a wait condition of its own. Each thread releases an address of its own QThread
// object as it ends, and a wait() that saw it end, or the thread's next run, acquires it.
#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QMutex>
#include <QProgressBar>
#include <QPushButton>
#include <QReadWriteLock>
#include <QSemaphore>
#include <QSlider>
#include <QThread>
#include <QThreadStorage>
#include <QToolButton>
#include <QWaitCondition>
#include <QWidget>

// Qt's queued call (QAbstractMetaCallEvent) and the signal numbering it uses are not public.
#include <QtCore/private/qmetaobject_p.h>
#include <QtCore/private/qobject_p.h>

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

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <thread>
#include <unordered_map>
#include <vector>

namespace {

const bool Sanitized = &__tsan_acquire != nullptr;

// Qt's own definition of the operation with the given mangled name (or the C library's, for an
// unmangled name the C library defines).
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

// Looked up on first use, kept in a constant-initialized atomic. A static initialized by the call
// would have an initialization guard, a lock the sanitizer sees: every later caller would be
// ordered after the thread that happened to call first. Two threads may both look the address
// up; they find the same one.
#define QT_REAL(type, name)                                                                        \
    using QtFunction = type;                                                                       \
    static std::atomic<QtFunction> qtAddress{nullptr};                                             \
    QtFunction qt = qtAddress.load(std::memory_order_relaxed);                                     \
    if (!qt) {                                                                                     \
        qt = real<QtFunction>(name);                                                               \
        qtAddress.store(qt, std::memory_order_relaxed);                                            \
    }

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

// --- Implicitly shared text: a reference dropped inside Qt ---
//
// A QByteArray's or QString's block is freed by whoever drops the last reference, and the atomic
// reference count orders that free after every other holder's use. The program's own drops are
// inline and seen; the ones inside Qt's library (an assignment, a detach before a change in place,
// a resize) are not, so a free on another thread would look unordered with this thread's reads
// before it. Each of these tells the sanitizer of the release Qt's decrement makes: every
// QByteArray operation the program calls that may drop a reference, and QString's few.

QByteArray &QByteArray::operator=(const QByteArray &other) noexcept
{
    QT_REAL(QByteArray & (*)(QByteArray *, const QByteArray &), "_ZN10QByteArrayaSERKS_");
    released(&d->ref);
    return qt(this, other);
}

QByteArray &QByteArray::operator=(const char *text)
{
    QT_REAL(QByteArray & (*)(QByteArray *, const char *), "_ZN10QByteArrayaSEPKc");
    released(&d->ref);
    return qt(this, text);
}

void QByteArray::reallocData(uint alloc, Data::AllocationOptions options)
{
    QT_REAL(void (*)(QByteArray *, uint, Data::AllocationOptions),
            "_ZN10QByteArray11reallocDataEj6QFlagsIN10QArrayData16AllocationOptionEE");
    released(&d->ref);
    qt(this, alloc, options);
}

void QByteArray::resize(int size)
{
    QT_REAL(void (*)(QByteArray *, int), "_ZN10QByteArray6resizeEi");
    released(&d->ref);
    qt(this, size);
}

void QByteArray::clear()
{
    QT_REAL(void (*)(QByteArray *), "_ZN10QByteArray5clearEv");
    released(&d->ref);
    qt(this);
}

// Changes in place: each detaches a shared block first.

QByteArray &QByteArray::append(char c)
{
    QT_REAL(QByteArray & (*)(QByteArray *, char), "_ZN10QByteArray6appendEc");
    released(&d->ref);
    return qt(this, c);
}

QByteArray &QByteArray::append(const char *s)
{
    QT_REAL(QByteArray & (*)(QByteArray *, const char *), "_ZN10QByteArray6appendEPKc");
    released(&d->ref);
    return qt(this, s);
}

QByteArray &QByteArray::append(const char *s, int len)
{
    QT_REAL(QByteArray & (*)(QByteArray *, const char *, int), "_ZN10QByteArray6appendEPKci");
    released(&d->ref);
    return qt(this, s, len);
}

QByteArray &QByteArray::append(const QByteArray &a)
{
    QT_REAL(QByteArray & (*)(QByteArray *, const QByteArray &), "_ZN10QByteArray6appendERKS_");
    released(&d->ref);
    return qt(this, a);
}

QByteArray &QByteArray::replace(int index, int len, const char *s)
{
    QT_REAL(QByteArray & (*)(QByteArray *, int, int, const char *),
            "_ZN10QByteArray7replaceEiiPKc");
    released(&d->ref);
    return qt(this, index, len, s);
}

QByteArray &QByteArray::replace(int index, int len, const char *s, int alen)
{
    QT_REAL(QByteArray & (*)(QByteArray *, int, int, const char *, int),
            "_ZN10QByteArray7replaceEiiPKci");
    released(&d->ref);
    return qt(this, index, len, s, alen);
}

QByteArray &QByteArray::replace(int index, int len, const QByteArray &s)
{
    QT_REAL(QByteArray & (*)(QByteArray *, int, int, const QByteArray &),
            "_ZN10QByteArray7replaceEiiRKS_");
    released(&d->ref);
    return qt(this, index, len, s);
}

QByteArray &QByteArray::replace(const char *before, int bsize, const char *after, int asize)
{
    QT_REAL(QByteArray & (*)(QByteArray *, const char *, int, const char *, int),
            "_ZN10QByteArray7replaceEPKciS1_i");
    released(&d->ref);
    return qt(this, before, bsize, after, asize);
}

QByteArray &QByteArray::replace(const char *before, const QByteArray &after)
{
    QT_REAL(QByteArray & (*)(QByteArray *, const char *, const QByteArray &),
            "_ZN10QByteArray7replaceEPKcRKS_");
    released(&d->ref);
    return qt(this, before, after);
}

void QByteArray::truncate(int pos)
{
    QT_REAL(void (*)(QByteArray *, int), "_ZN10QByteArray8truncateEi");
    released(&d->ref);
    qt(this, pos);
}

void QByteArray::chop(int n)
{
    QT_REAL(void (*)(QByteArray *, int), "_ZN10QByteArray4chopEi");
    released(&d->ref);
    qt(this, n);
}

void QByteArray::expand(int i)
{
    QT_REAL(void (*)(QByteArray *, int), "_ZN10QByteArray6expandEi");
    released(&d->ref);
    qt(this, i);
}

QString &QString::operator=(const QString &other) noexcept
{
    QT_REAL(QString & (*)(QString *, const QString &), "_ZN7QStringaSERKS_");
    released(&d->ref);
    return qt(this, other);
}

void QString::reallocData(uint alloc, bool grow)
{
    QT_REAL(void (*)(QString *, uint, bool), "_ZN7QString11reallocDataEjb");
    released(&d->ref);
    qt(this, alloc, grow);
}

void QString::resize(int size)
{
    QT_REAL(void (*)(QString *, int), "_ZN7QString6resizeEi");
    released(&d->ref);
    qt(this, size);
}

// --- Hand-overs of queued calls ---

namespace {

// The two sync addresses of one kind of queued call: a signal of one sender, or the calls handed
// to one receiver with invokeMethod. Kept for the life of the process; a sender's address used
// again by a later object only orders that object's calls after the old one's, which Qt's queue
// does as well. Two threads that emit the same blocking signal are each ordered after the other's
// finished slots too: more than Qt orders, and rare here.
struct HandOver
{
    char delivered; // released by the emission, acquired where the call is delivered
    char returned;  // released when a blocking call's slot has run, acquired by its emitter
};

// The keys' signal index for the calls handed to a receiver with invokeMethod, and for a thread's
// end (keyed by its QThread object: `delivered` is released as the thread ends).
constexpr int InvokedCalls = -1;
constexpr int ThreadEnd = -2;

struct HandOverKey
{
    const void *object;
    int signal; // the signal's index among all of the sender's signals, or one of the above

    bool operator==(const HandOverKey &other) const
    {
        return object == other.object && signal == other.signal;
    }
};

struct HandOverKeyHash
{
    std::size_t operator()(const HandOverKey &key) const
    {
        return std::hash<const void *>()(key.object) * 31 + std::hash<int>()(key.signal);
    }
};

// The table's lock must stay invisible to the sanitizer: a pthread mutex is intercepted whoever
// calls it, and one lock taken by every emission and delivery would order them all again. This
// library is not instrumented, so its atomics are not seen. For the same reason the table is made
// under the lock rather than as a function-local static.
std::atomic_flag handOversLock = ATOMIC_FLAG_INIT;

std::unordered_map<HandOverKey, std::unique_ptr<HandOver>, HandOverKeyHash> *handOvers = nullptr;

HandOver &handOver(const void *object, int signal)
{
    while (handOversLock.test_and_set(std::memory_order_acquire))
        std::this_thread::yield();
    if (!handOvers)
        handOvers = new std::unordered_map<HandOverKey, std::unique_ptr<HandOver>, HandOverKeyHash>;
    std::unique_ptr<HandOver> &entry = (*handOvers)[HandOverKey{object, signal}];
    if (!entry)
        entry.reset(new HandOver{});
    HandOver &found = *entry;
    handOversLock.clear(std::memory_order_release);
    return found;
}

// Qt keeps the semaphore of a blocking emission (in its queued call) and a slot object's
// reference count in private members with no accessor. An explicit instantiation may name a
// private member; the friend it defines hands the member pointer out.
struct SemaphoreMember
{
    using Type = QSemaphore *QAbstractMetaCallEvent::*;
    friend Type member(SemaphoreMember);
};

struct SlotReferencesMember
{
    using Type = QAtomicInt QtPrivate::QSlotObjectBase::*;
    friend Type member(SlotReferencesMember);
};

template <typename Tag, typename Tag::Type Member>
struct ExposeMember
{
    friend typename Tag::Type member(Tag) { return Member; }
};

template struct ExposeMember<SemaphoreMember, &QAbstractMetaCallEvent::semaphore_>;
template struct ExposeMember<SlotReferencesMember, &QtPrivate::QSlotObjectBase::m_ref>;

bool blocking(const QAbstractMetaCallEvent *call)
{
    return call->*member(SemaphoreMember{}) != nullptr;
}

// The two sync addresses of the queued call an event carries. invokeMethod's calls have no
// sender; they are keyed by their receiver.
HandOver &handOverOf(QObject *receiver, const QAbstractMetaCallEvent *call)
{
    return call->sender() ? handOver(call->sender(), call->signalId())
                          : handOver(receiver, InvokedCalls);
}

// A queued call is delivered as a MetaCall event: the slot runs after the emission that posted it
// (Qt orders the two through its event queue's lock), and a blocking emitter goes on only after
// the slot has run (through a semaphore inside Qt). Other events carry nothing across threads here.
template <typename Event>
bool delivered(QObject *receiver, QEvent *event, Event qt)
{
    if (event->type() != QEvent::MetaCall)
        return qt(receiver, event);
    const auto *call = static_cast<const QAbstractMetaCallEvent *>(event);
    HandOver &edge = handOverOf(receiver, call);
    // A blocking emitter reads what the slot did; invokeMethod's caller may delete the slot
    // object the call ran (see QMetaObject::invokeMethodImpl below).
    const bool answered = blocking(call) || !call->sender();
    acquired(&edge.delivered);
    const bool handled = qt(receiver, event);
    if (answered)
        released(&edge.returned);
    return handled;
}

// Every event Qt delivers passes Qt's notification hook first, the receivers of Qt's own classes
// too (the application object, an event loop), whose event() this library cannot take the place
// of: a queued call to one of them is seen to arrive here. What such a slot did stays unseen by a
// blocking emitter; the program's blocking receivers are its own classes.
bool arriving(void **notification)
{
    auto *receiver = static_cast<QObject *>(notification[0]);
    const auto *event = static_cast<const QEvent *>(notification[1]);
    if (event->type() == QEvent::MetaCall)
        acquired(
            &handOverOf(receiver, static_cast<const QAbstractMetaCallEvent *>(event)).delivered);
    return false; // Qt goes on to deliver the event
}

const bool ArrivalsSeen =
    Sanitized && QInternal::registerCallback(QInternal::EventNotifyCallback, arriving);

using EventFunction = bool (*)(QObject *, QEvent *);

} // namespace

// Every signal emitted from the program's code (moc's code calls this); Qt's own emissions call
// its own definition. The index is the one Qt gives the queued call.
void QMetaObject::activate(QObject *sender, const QMetaObject *meta, int localSignalIndex,
                           void **arguments)
{
    QT_REAL(void (*)(QObject *, const QMetaObject *, int, void **),
            "_ZN11QMetaObject8activateEP7QObjectPKS_iPPv");
    HandOver &edge = handOver(sender, localSignalIndex + QMetaObjectPrivate::signalOffset(meta));
    released(&edge.delivered);
    qt(sender, meta, localSignalIndex, arguments);
    acquired(&edge.returned);
}

bool QMetaObject::invokeMethodImpl(QObject *object, QtPrivate::QSlotObjectBase *slot,
                                   Qt::ConnectionType type, void *ret)
{
    QT_REAL(bool (*)(QObject *, QtPrivate::QSlotObjectBase *, Qt::ConnectionType, void *),
            "_ZN11QMetaObject16invokeMethodImplEP7QObjectPN9QtPrivate15QSlotObjectBaseEN2Qt14"
            "ConnectionTypeEPv");
    HandOver &edge = handOver(object, InvokedCalls);
    released(&edge.delivered);
    // Qt drops its caller's reference to the slot object before it returns; when the receiver has
    // already run the call, that is the last reference and the object is deleted right there,
    // ordered with the receiver only by a reference count inside Qt. Holding a reference of our
    // own, and dropping it here, lets the deletion wait for the receiver's release when this
    // caller is the last holder.
    if (slot)
        slot->ref();
    const bool invoked = qt(object, slot, type, ret);
    if (type == Qt::BlockingQueuedConnection)
        acquired(&edge.returned);
    if (slot && !(slot->*member(SlotReferencesMember{})).deref()) {
        acquired(&edge.returned);
        slot->ref();
        slot->destroyIfLastRef();
    }
    return invoked;
}

// The receiver's event(): every class of the program inherits one of these, and its vtable names
// it, so the call reaches the definitions below (Qt's classes call their own directly).
#define ZR35_DELIVERY(Class, mangled)                                                              \
    bool Class::event(QEvent *event)                                                               \
    {                                                                                              \
        QT_REAL(EventFunction, mangled);                                                           \
        return delivered(this, event, qt);                                                         \
    }

ZR35_DELIVERY(QObject, "_ZN7QObject5eventEP6QEvent")
ZR35_DELIVERY(QThread, "_ZN7QThread5eventEP6QEvent")
ZR35_DELIVERY(QWidget, "_ZN7QWidget5eventEP6QEvent")
ZR35_DELIVERY(QFrame, "_ZN6QFrame5eventEP6QEvent")
ZR35_DELIVERY(QLabel, "_ZN6QLabel5eventEP6QEvent")
ZR35_DELIVERY(QAbstractButton, "_ZN15QAbstractButton5eventEP6QEvent")
ZR35_DELIVERY(QPushButton, "_ZN11QPushButton5eventEP6QEvent")
ZR35_DELIVERY(QToolButton, "_ZN11QToolButton5eventEP6QEvent")
ZR35_DELIVERY(QAbstractSlider, "_ZN15QAbstractSlider5eventEP6QEvent")
ZR35_DELIVERY(QSlider, "_ZN7QSlider5eventEP6QEvent")
ZR35_DELIVERY(QProgressBar, "_ZN12QProgressBar5eventEP6QEvent")
ZR35_DELIVERY(QComboBox, "_ZN9QComboBox5eventEP6QEvent")
ZR35_DELIVERY(QLineEdit, "_ZN9QLineEdit5eventEP6QEvent")

// --- A QThread's end ---

namespace {

// Owned by a thread's storage slot: Qt deletes it on that thread as the thread ends, after run()
// and the direct receivers of finished() and before it lets wait() return.
struct ThreadEndMark
{
    const QThread *thread;

    ~ThreadEndMark() { released(&handOver(thread, ThreadEnd).delivered); }
};

// Made on first use and kept: a static made by the call would have an initialization guard the
// sanitizer sees (see QT_REAL).
QThreadStorage<ThreadEndMark *> &threadEndMarks()
{
    static std::atomic<QThreadStorage<ThreadEndMark *> *> marks{nullptr};
    QThreadStorage<ThreadEndMark *> *found = marks.load(std::memory_order_acquire);
    if (!found) {
        auto *made = new QThreadStorage<ThreadEndMark *>;
        if (marks.compare_exchange_strong(found, made, std::memory_order_acq_rel))
            found = made;
        else
            delete made;
    }
    return *found;
}

void threadEnded(const QThread *thread)
{
    acquired(&handOver(thread, ThreadEnd).delivered);
}

} // namespace

// Qt's thread start calls this on the new thread right before run(), once its QThread is the
// current one: the thread's storage gets the mark that its end deletes. A QThread started again
// runs after its last run has ended (start() waits for that), so the new run follows it. Qt calls
// this through the C library's entry, so this definition takes its place; the sanitizer does not
// define one.
extern "C" void pthread_testcancel()
{
    QT_REAL(void (*)(), "pthread_testcancel");
    if (Sanitized) {
        QThreadStorage<ThreadEndMark *> &marks = threadEndMarks();
        if (!marks.hasLocalData()) {
            const QThread *thread = QThread::currentThread();
            threadEnded(thread);
            marks.setLocalData(new ThreadEndMark{thread});
        }
    }
    qt();
}

bool QThread::wait(QDeadlineTimer deadline)
{
    QT_REAL(bool (*)(QThread *, QDeadlineTimer), "_ZN7QThread4waitE14QDeadlineTimer");
    const bool ended = qt(this, deadline);
    if (ended)
        threadEnded(this);
    return ended;
}

bool QThread::wait(unsigned long time)
{
    QT_REAL(bool (*)(QThread *, unsigned long), "_ZN7QThread4waitEm");
    const bool ended = qt(this, time);
    if (ended)
        threadEnded(this);
    return ended;
}
