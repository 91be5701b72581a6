#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <functional>

// Loads `deviceSet` (an INI text as the simulated library reads it; empty: the library's built-in
// set) once no library callback of an earlier step runs or waits to run, so that none runs into
// the new devices; transfers take no time and the call log starts empty. False, with the library's
// message in the test's log, when the text is not a device set.
bool loadDeviceSet(const QByteArray &deviceSet);

// A fresh simulated bus for one test: loadDeviceSet() with the devices' stored state in a folder of
// the bench's own. When the bench ends, the device server and the hot-plug watch stop and their
// last callbacks have run; then the devices store into the test's isolated HOME again and the app
// folder is the one the test had.
class DeviceSetBench
{
public:
    explicit DeviceSetBench(const QByteArray &deviceSet = QByteArray());
    virtual ~DeviceSetBench();
    DeviceSetBench(const DeviceSetBench &) = delete;
    DeviceSetBench &operator=(const DeviceSetBench &) = delete;

    bool ok() const { return m_ok; }
    // The bench's own folder; it goes with the bench.
    QString folder() const { return m_dir.path(); }
    // Writes `text` as `name` below folder(), making its folders; returns its path.
    QString writeFile(const QString &name, const QByteArray &text) const;

    // <folder>/app as the app folder until the bench ends, with `shared` (entries of the app
    // folder the test had, e.g. "Language") linked into it; returns its path.
    QString useAppFolder(const QStringList &shared);
    QString appFolder() const;

    // Loads the bench's device set again, e.g. once the mice's factory record has changed.
    bool reload();

    // Stops the device server and the hot-plug watch and waits until their callbacks have run. The
    // bench's end does it; a bench that puts back more of its own after the devices are quiet
    // calls it first. Safe to call again.
    void stop();

protected:
    // How the bench's server stops: the library's own exit, or the device link's stop for a bench
    // of the program's device side.
    void setServerStop(std::function<void()> serverStop) { m_serverStop = std::move(serverStop); }

private:
    QTemporaryDir m_dir;
    QByteArray m_deviceSet;
    QString m_previousAppFolder;
    std::function<void()> m_serverStop;
    bool m_ok = false;
};
