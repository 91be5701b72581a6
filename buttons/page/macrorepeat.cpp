#include "buttons/page/macrorepeat.h"

#include "macro/macroname.h"

#include <QDir>
#include <QSaveFile>

bool WriteMacroRepeat(const QString &name, int repeat)
{
    const std::optional<QString> path = MacroFilePath(name);
    if (!path)
        return false;
    QDir().mkpath(MacroFolder());
    QSaveFile file(*path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QByteArray::number(repeat) + '\n');
    return file.commit();
}
