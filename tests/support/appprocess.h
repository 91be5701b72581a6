#pragma once

#include "tests/support/isolatedhome.h"

#include <QProcess>
#include <QString>
#include <QStringList>

// The real executable, started in an environment of its own: a temporary HOME with XDG folders
// (not the test's), the offscreen platform, and whatever variables the test adds. The program
// reports its first window on stdout (ZR35_REPORT_WINDOW), so the test waits for that instead of
// sleeping. The destructor ends a program that still runs.
class AppProcess
{
public:
    explicit AppProcess(const QStringList &arguments = QStringList());
    ~AppProcess();

    // The child's HOME; fill it before start() to give the program stored files.
    QString home() const { return m_home.path(); }
    // Set before start(); overrides the defaults above as well.
    void setEnv(const QString &name, const QString &value);
    // Set before start(): the child gets this process's HOME and XDG folders instead of its own,
    // to meet the test at a lock or a file.
    void shareTestHome();

    bool start();
    // True once the program printed "window-shown"; false when it ended first or time ran out.
    bool waitForWindow(int timeoutMs = 20000);
    // True when the program ended (normally or by a crash) within the time limit.
    bool waitForExit(int timeoutMs = 20000);
    // Only meaningful after waitForExit() returned true.
    bool crashed() const { return m_process.exitStatus() == QProcess::CrashExit; }
    int exitCode() const { return m_process.exitCode(); }
    // Everything the program wrote so far.
    QByteArray standardOutput();
    QByteArray standardError();
    // Asks the program to end (SIGTERM), kills it after the time limit; true when it ended.
    bool stop(int timeoutMs = 5000);
    // Ends the program at once (SIGKILL), as a crash or a power cut would; true when it ended.
    bool kill(int timeoutMs = 5000);

    // The running program's process id, 0 when it does not run.
    qint64 processId() const { return m_process.processId(); }

    static QString programPath();

private:
    void collect();

    IsolatedHome m_home{IsolatedHome::Scope::ChildOnly};
    QProcess m_process;
    QProcessEnvironment m_environment;
    QByteArray m_stdout;
    QByteArray m_stderr;
    int m_scanned = 0;
};
