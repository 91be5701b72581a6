#include "buttons/model/macrorepeat.h"

#include "core/devicestate.h"
#include "macro/model/macroevents.h"
#include "macro/model/macrofile.h"
#include "macro/model/macroname.h"
#include "platform/wholefile.h"

#include <QStringList>

bool LoadMacroRecord(const QString &name, MacroRecord *record)
{
    *record = MacroRecord{};
    if (DeviceState::instance()->WriteEnabled.load() == 0)
        return false;
    const std::optional<QString> path = MacroFilePath(name);
    MacroFileContent content;
    if (!path || !ReadMacroFile(*path, &content))
        return false;
    *record = BuildMacroRecord(name, content.events);
    return true;
}

QString ReadMacroRepeat(const QString &name)
{
    const std::optional<QString> path = MacroFilePath(name);
    MacroFileContent content;
    if (!path || !ReadMacroFile(*path, &content) || !content.hasRepeat)
        return QStringLiteral("0");
    const QStringList parts = content.repeat.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return parts.isEmpty() ? QString() : parts.first();
}

int MacroFileKeyEvents(const QString &name)
{
    const std::optional<QString> path = MacroFilePath(name);
    MacroFileContent content;
    if (!path || !ReadMacroFile(*path, &content))
        return 0;
    return KeyEventCount(content.events);
}
