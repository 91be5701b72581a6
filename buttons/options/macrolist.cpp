#include "buttons/options/macrolist.h"

#include <QDir>

QStringList MacroListEntries(const QString &folder)
{
    QStringList entries =
        QDir(folder).entryList(QDir::Files | QDir::NoSymLinks, QDir::Name | QDir::IgnoreCase);
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.at(i).contains(QLatin1String("xml"))) {
            entries.removeAt(i);
            break;
        }
    }
    return entries;
}

QString MacroNameOfEntry(const QString &fileName)
{
    QString name = fileName;
    return name.remove(QLatin1String(".ini"));
}

int MacroPlaceholderCount(int entries)
{
    return entries >= 1 && entries < MacroPanelRows ? MacroPanelRows - entries : 0;
}
