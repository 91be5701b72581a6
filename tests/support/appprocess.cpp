#include "tests/support/appprocess.h"

#include <QDeadlineTimer>

AppProcess::AppProcess(const QStringList &arguments)
    : m_environment(QProcessEnvironment::systemEnvironment())
{
    for (const auto &variable : m_home.environment())
        m_environment.insert(QString::fromLocal8Bit(variable.first),
                             QFile::decodeName(variable.second));
    m_environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    m_environment.insert(QStringLiteral("ZR35_REPORT_WINDOW"), QStringLiteral("1"));
    m_process.setProgram(programPath());
    m_process.setArguments(arguments);
}

AppProcess::~AppProcess()
{
    if (m_process.state() != QProcess::NotRunning)
        stop();
}

QString AppProcess::programPath()
{
    return QStringLiteral(ZR35_BINARY_DIR "/app/zr35-mouse-software");
}

void AppProcess::setEnv(const QString &name, const QString &value)
{
    m_environment.insert(name, value);
}

void AppProcess::shareTestHome()
{
    for (const auto &variable : m_home.environment())
        m_environment.insert(QString::fromLocal8Bit(variable.first),
                             QFile::decodeName(qgetenv(variable.first.constData())));
}

bool AppProcess::start()
{
    m_process.setProcessEnvironment(m_environment);
    m_process.start();
    return m_process.waitForStarted();
}

void AppProcess::collect()
{
    m_stdout += m_process.readAllStandardOutput();
    m_stderr += m_process.readAllStandardError();
}

bool AppProcess::waitForWindow(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        // Read after taking the state, so that a line written just before the end is not lost.
        const bool running = m_process.state() != QProcess::NotRunning;
        collect();
        // Whole lines only: the report may arrive split across reads.
        const int end = m_stdout.lastIndexOf('\n');
        if (end >= m_scanned) {
            const QList<QByteArray> lines = m_stdout.mid(m_scanned, end - m_scanned).split('\n');
            m_scanned = end + 1;
            for (const QByteArray &line : lines) {
                if (line.trimmed() == "window-shown")
                    return true;
            }
        }
        if (!running || deadline.hasExpired())
            return false;
        m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
    }
}

bool AppProcess::waitForExit(int timeoutMs)
{
    const bool ended =
        m_process.state() == QProcess::NotRunning || m_process.waitForFinished(timeoutMs);
    collect();
    return ended;
}

QByteArray AppProcess::standardOutput()
{
    collect();
    return m_stdout;
}

QByteArray AppProcess::standardError()
{
    collect();
    return m_stderr;
}

bool AppProcess::stop(int timeoutMs)
{
    if (m_process.state() == QProcess::NotRunning)
        return true;
    m_process.terminate();
    if (waitForExit(timeoutMs))
        return true;
    m_process.kill();
    return waitForExit(timeoutMs);
}

bool AppProcess::kill(int timeoutMs)
{
    if (m_process.state() == QProcess::NotRunning)
        return true;
    m_process.kill();
    return waitForExit(timeoutMs);
}
