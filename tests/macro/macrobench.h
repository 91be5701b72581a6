#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class Macro;
class QListWidget;

// Fills the text tables the macro page and its notices read with two rows, English and
// Ukrainian, each entry naming itself ("en Macro 6", "uk Buttoninterface 4").
void FillMacroTexts();
QString fixtureText(int language, const QString &table, int entry);

template <typename T>
T *child(const QWidget *parent, const char *name)
{
    return parent->findChild<T *>(QLatin1String(name));
}

// Until the macro page lists the macro folder, a test puts a macro into the list and selects it.
void selectNewMacro(Macro &page, const QString &name = QStringLiteral("Recorded"));

// The event list as one line: "+A" a press, "-A" a release, "25ms" a delay.
QString events(const QListWidget *list);
QString events(const Macro &page);
// The same with what each row carries: "+A[0x04/1]", "-LCtrl[0x01/0]", "25ms[25]"; a key item
// without code shows "+name[]".
QString eventData(const QListWidget *list);
QString eventData(const Macro &page);
