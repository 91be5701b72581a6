#include "platform/devicelib/devicesetfollower.h"

#include "platform/devicelib/deviceset.h"
#include "platform/devicelib/simulatedbus.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QMutex>
#include <QMutexLocker>
#include <QSemaphore>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <cstdio>

namespace {

// Long enough for an editor to write a file in steps or to replace it; short enough that the
// device seems to follow the save at once.
constexpr int QuietMs = 150;

std::atomic<int> contentsRead{0};

QByteArray contentOf(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs its own event loop: the watcher and its timer live on this thread, never on a thread of the
// program, whose event loop may be held up by a modal dialog or a sleep.
class Follower final : public QThread
{
public:
    Follower(const QString &file, int following) : m_file(file), m_following(following)
    {
        setObjectName(QStringLiteral("device set"));
        m_seen = contentOf(file);
        DeviceSet unused;
        QString problem;
        // A file that could not be used at the start has been told of already.
        m_told = !DeviceSetFile::read(file, &unused, &problem, DeviceSetFile::NoDevice::Allowed);
    }

protected:
    void run() override
    {
        QFileSystemWatcher watcher;
        QTimer quiet;
        quiet.setSingleShot(true);
        quiet.setInterval(QuietMs);
        const auto changed = [&quiet] { quiet.start(); };
        QObject::connect(&watcher, &QFileSystemWatcher::fileChanged, &quiet, changed);
        QObject::connect(&watcher, &QFileSystemWatcher::directoryChanged, &quiet, changed);
        QObject::connect(&quiet, &QTimer::timeout, &quiet, [&] {
            watch(watcher);
            readAgain();
        });
        watch(watcher);
        m_watching.release();
        // A change saved before the watch began is not reported by the watcher.
        readAgain();
        exec();
    }

public:
    // Waits until the file is watched: a test (or a user) may change it right after the start.
    void waitUntilWatching() { m_watching.acquire(); }

private:
    // The file itself is watched, and its folder only while the file is missing: the device store
    // writes its state files beside the built-in set's file, a new file renamed into the folder
    // for every write the program makes, and a watch of the folder woke this thread for each of
    // them on the writer's time. A file replaced by another (an editor's save) or removed tells
    // its watch so; the watch then stays with the file that was replaced, so it is taken anew
    // each time, for whatever file the name holds now.
    void watch(QFileSystemWatcher &watcher)
    {
        if (watcher.files().contains(m_file))
            watcher.removePath(m_file);
        const QString folder = QFileInfo(m_file).absolutePath();
        // A file made between a failed attempt and the folder's watch is taken at the second.
        for (int attempt = 0; attempt < 2; ++attempt) {
            if (QFileInfo::exists(m_file) && watcher.addPath(m_file)) {
                if (watcher.directories().contains(folder))
                    watcher.removePath(folder);
                return;
            }
            if (!watcher.directories().contains(folder) && QFileInfo(folder).isDir())
                watcher.addPath(folder);
            if (!QFileInfo::exists(m_file))
                return;
        }
    }

    // Other files of the folder change too (the device store writes beside the built-in set's
    // file): only a change of this file's content is a change of the set.
    void readAgain()
    {
        const bool present = QFileInfo(m_file).isFile();
        const QByteArray content = contentOf(m_file);
        if (present && content == m_seen)
            return;
        m_seen = present ? content : QByteArray();
        DeviceSet set;
        QString problem;
        if (!present)
            problem = QStringLiteral("no such file");
        else if (DeviceSetFile::read(m_file, &set, &problem, DeviceSetFile::NoDevice::Allowed)) {
            SimulatedBus::instance().changeDeviceSet(set, m_following);
            m_told = false;
        }
        if (!problem.isEmpty() && !m_told) {
            m_told = true;
            std::fprintf(stderr,
                         "%s: %s. The simulated devices stay as they are until the device set "
                         "can be used again.\n",
                         qPrintable(QDir::toNativeSeparators(m_file)), qPrintable(problem));
        }
        ++contentsRead;
    }

    const QString m_file;
    const int m_following;
    QByteArray m_seen;
    bool m_told = false;
    QSemaphore m_watching;
};

// Never destroyed: the bus that starts it lives as long as the process.
struct Current
{
    QMutex mutex;
    Follower *follower = nullptr;
};

Current &current()
{
    static Current *instance = new Current;
    return *instance;
}

} // namespace

void DeviceSetFollower::start(const QString &file, int following)
{
    stop();
    auto *follower = new Follower(file, following);
    {
        QMutexLocker lock(&current().mutex);
        current().follower = follower;
    }
    follower->start();
    follower->waitUntilWatching();
}

void DeviceSetFollower::stop()
{
    Follower *stopped = nullptr;
    {
        QMutexLocker lock(&current().mutex);
        std::swap(stopped, current().follower);
    }
    if (!stopped)
        return;
    // Its last reading may still be handing a set to the bus, which drops it: nothing here waits
    // for a lock that reading holds.
    stopped->quit();
    stopped->wait();
    delete stopped;
}

int DeviceSetFollower::readings()
{
    return contentsRead.load();
}
