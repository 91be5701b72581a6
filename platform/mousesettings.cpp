#include "platform/mousesettings.h"

#include <QMutex>
#include <QMutexLocker>
#include <QProcess>
#include <QStandardPaths>

namespace {

struct Command
{
    const char *program;
    const char *argument;
};

// GNOME, KDE Plasma (the program kept a version suffix in older releases), Xfce, Cinnamon, MATE
// and LXQt; an empty argument means the program opens the mouse panel by itself.
constexpr Command commands[] = {
    {"gnome-control-center", "mouse"}, {"systemsettings", "kcm_mouse"},
    {"systemsettings5", "kcm_mouse"},  {"xfce4-mouse-settings", ""},
    {"cinnamon-settings", "mouse"},    {"mate-mouse-properties", ""},
    {"lxqt-config-input", ""},
};

QMutex runnerMutex;
MouseSettings::Runner customRunner;

bool startDetached(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

} // namespace

bool MouseSettings::open()
{
    Runner run;
    {
        QMutexLocker lock(&runnerMutex);
        run = customRunner ? customRunner : Runner(startDetached);
    }
    for (const Command &command : commands) {
        const QString program = QStandardPaths::findExecutable(QLatin1String(command.program));
        if (program.isEmpty())
            continue;
        QStringList arguments;
        if (*command.argument)
            arguments << QLatin1String(command.argument);
        if (run(program, arguments))
            return true;
    }
    return false;
}

void MouseSettings::setRunner(Runner runner)
{
    QMutexLocker lock(&runnerMutex);
    customRunner = std::move(runner);
}
