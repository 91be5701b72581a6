#include "tests/macro/macrobench.h"

#include "core/languagetables.h"
#include "macro/eventitem.h"
#include "macro/macro.h"
#include "macro/model/keyvocabulary.h"
#include "macro/model/macroname.h"

#include "platform/desktop/keyhook.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QtTest>

namespace {
struct Named
{
    TextTable *table;
    const char *name;
    int entries;
};
const Named Tables[] = {
    {&MacroTexts, "Macro", 26},        {&ButtoninterfaceTexts, "Buttoninterface", 53},
    {&QuestionTexts, "Question", 4},   {&MakeMacroTexts, "MakeMacro", 1},
    {&SameMacroTexts, "SameMacro", 1}, {&MaxThreeTexts, "MaxThree", 1},
    {&LimitTexts, "Limit", 1},         {&GroupKeyTexts, "groupKey", 1},
    {&AddKeyTexts, "AddKey", 1},       {&AddDelayTimeTexts, "AddDelayTime", 1},
    {&FireKeyTexts, "FireKey", 3}};

QString keyText(const QListWidgetItem *item)
{
    return (EventItem::IsRelease(item) ? QStringLiteral("-") : QStringLiteral("+")) + item->text();
}
} // namespace

QString fixtureText(int language, const QString &table, int entry)
{
    return QStringLiteral("%1 %2 %3")
        .arg(language == 0 ? QStringLiteral("en") : QStringLiteral("uk"), table)
        .arg(entry);
}

void FillMacroTexts()
{
    for (const Named &t : Tables) {
        t.table->clear();
        for (int language = 0; language < 2; ++language) {
            QStringList row;
            for (int entry = 0; entry < t.entries; ++entry)
                row << fixtureText(language, QLatin1String(t.name), entry);
            t.table->appendRow(row);
        }
    }
}

void selectNewMacro(Macro &page, const QString &name)
{
    auto *macros = child<QListWidget>(&page, "listWidgetHong");
    macros->addItem(name);
    macros->setCurrentRow(macros->count() - 1);
}

QString events(const QListWidget *list)
{
    QStringList parts;
    for (int row = 0; row < list->count(); ++row) {
        const QListWidgetItem *item = list->item(row);
        parts << (EventItem::IsDelay(item) ? item->text() : keyText(item));
    }
    return parts.join(QLatin1Char(' '));
}

QString events(const Macro &page)
{
    return events(child<QListWidget>(&page, "listWidgetKey"));
}

QString eventData(const QListWidget *list)
{
    QStringList parts;
    for (int row = 0; row < list->count(); ++row) {
        const QListWidgetItem *item = list->item(row);
        if (EventItem::IsDelay(item)) {
            parts << QStringLiteral("%1[%2]").arg(item->text(),
                                                  item->data(EventItem::DelayRole).toString());
            continue;
        }
        const QVariant code = item->data(EventItem::CodeRole);
        const QVariant kind = item->data(EventItem::KindRole);
        parts << keyText(item) +
                     (code.isValid() && kind.isValid()
                          ? QStringLiteral("[%1/%2]").arg(CodeText(code.toInt())).arg(kind.toInt())
                          : QStringLiteral("[]"));
    }
    return parts.join(QLatin1Char(' '));
}

QString eventData(const Macro &page)
{
    return eventData(child<QListWidget>(&page, "listWidgetKey"));
}

ModalAction::ModalAction(const QString &objectName, std::function<void(QWidget *)> action,
                         int timeoutMs)
    : m_name(objectName), m_action(std::move(action))
{
    m_poll.setInterval(10);
    connect(&m_poll, &QTimer::timeout, this, [this] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !(modal->objectName() == m_name || modal->inherits(qPrintable(m_name))))
            return;
        m_poll.stop();
        m_limit.stop();
        m_done = true;
        m_action(modal);
    });
    m_limit.setSingleShot(true);
    connect(&m_limit, &QTimer::timeout, this, [this] {
        m_poll.stop();
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    m_poll.start();
    m_limit.start(timeoutMs);
}

void pressKey(int virtualKey)
{
    KeyHook::inject(virtualKey, KeyHook::KeyDown);
}

void releaseKey(int virtualKey)
{
    KeyHook::inject(virtualKey, KeyHook::KeyUp);
}

void typeKey(int virtualKey)
{
    pressKey(virtualKey);
    releaseKey(virtualKey);
}

void clearMacroFolder()
{
    QDir folder(MacroFolder());
    folder.removeRecursively();
    QDir().mkpath(MacroFolder());
}

void writeMacro(const QString &fileName, const QByteArray &content)
{
    QFile file(MacroFolder() + QLatin1Char('/') + fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), qint64(content.size()));
}

QByteArray macroFile(const QString &fileName)
{
    QFile file(MacroFolder() + QLatin1Char('/') + fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList macroFiles()
{
    return QDir(MacroFolder())
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

QStringList macroNames(const Macro &page)
{
    const auto *list = child<QListWidget>(&page, "listWidgetHong");
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        names << list->item(row)->text();
    return names;
}

void clickMacro(Macro &page, const QString &name)
{
    auto *list = child<QListWidget>(&page, "listWidgetHong");
    const QList<QListWidgetItem *> items = list->findItems(name, Qt::MatchExactly);
    QVERIFY2(items.size() == 1, qPrintable(name));
    const QRect rect = list->visualItemRect(items.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
}
