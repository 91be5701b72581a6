#pragma once

#include "tests/support/child.h"

#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

class Macro;
class QListWidget;

// Fills the text tables the macro page and its notices read with two rows, English and
// Ukrainian, each entry naming itself ("en Macro 6", "uk Buttoninterface 4").
void FillMacroTexts();
QString fixtureText(int language, const QString &table, int entry);

// Until the macro page lists the macro folder, a test puts a macro into the list and selects it.
void selectNewMacro(Macro &page, const QString &name = QStringLiteral("Recorded"));

// The event list as one line: "+A" a press, "-A" a release, "25ms" a delay.
QString events(const QListWidget *list);
QString events(const Macro &page);
// The same with what each row carries: "+A[0x04/1]", "-LCtrl[0x01/0]", "25ms[25]"; a key item
// without code shows "+name[]".
QString eventData(const QListWidget *list);
QString eventData(const Macro &page);

// Does what a user does in the next modal dialog: made before the code under test runs exec(),
// it waits for the active modal widget to be the dialog `objectName` names (its class or object
// name) and runs `action` on it, once. When the time limit passes first, the dialog still open is
// rejected so the test does not hang, and done() stays false.
class ModalAction : public QObject
{
    Q_OBJECT
public:
    ModalAction(const QString &objectName, std::function<void(QWidget *dialog)> action,
                int timeoutMs = 5000);
    bool done() const { return m_done; }

private:
    QString m_name;
    std::function<void(QWidget *)> m_action;
    bool m_done = false;
    QTimer m_poll;
    QTimer m_limit;
};

// The macro folder of the test's user folder, made and emptied.
void clearMacroFolder();
void writeMacro(const QString &fileName, const QByteArray &content);
// A file's bytes, or "<missing>".
QByteArray macroFile(const QString &fileName);
QStringList macroFiles();
// The names the page's macro list shows, in order.
QStringList macroNames(const Macro &page);
// Clicks a macro of the list as a user does (the page must be shown).
void clickMacro(Macro &page, const QString &name);

// Gives the keyboard hooks a key as typed into the program's window: a press, or a release.
void pressKey(int virtualKey);
void releaseKey(int virtualKey);
void typeKey(int virtualKey);
