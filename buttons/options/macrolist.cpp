#include "buttons/options/macrolist.h"

#include "macro/model/macroname.h"

QStringList MacroListEntries(const QString &folder)
{
    return MacroNamesInFolder(folder);
}

int MacroPlaceholderCount(int entries)
{
    return entries >= 1 && entries < MacroPanelRows ? MacroPanelRows - entries : 0;
}
