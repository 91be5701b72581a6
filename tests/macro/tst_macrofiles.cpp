#include "core/devicestate.h"
#include "core/postmsg.h"
#include "macro/eventitem.h"
#include "macro/macro.h"
#include "macro/model/keyvocabulary.h"
#include "macro/model/macroname.h"
#include "tests/macro/macrobench.h"
#include "tests/support/modaldriver.h"
#include "tests/support/screens.h"
#include "tests/support/testmain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QSpinBox>
#include <QToolButton>

namespace {

const QByteArray Recorded = "3\n0x04 1 0\n10ms\n0x04 1 1\n";

void setLanguage(int language)
{
    DeviceState::instance()->CurrentLanguage = language;
    emit PostMsg::GetInstance()->SigAllLanguage(language);
}

QAbstractButton *button(Macro &page, const char *name)
{
    return page.findChild<QAbstractButton *>(QLatin1String(name));
}

// Answers the name dialog with `name` and OK.
ModalAction *nameAnswer(const QString &name)
{
    return new ModalAction(QStringLiteral("QuestionDialog"), [name](QWidget *dialog) {
        child<QLineEdit>(dialog, "lineEdit")->setText(name);
        child<QToolButton>(dialog, "NewHong")->click();
    });
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString repeatMode(Macro &page)
{
    for (const char *box : {"ReUntilLoose", "ReUntilClick", "ReUntil", "ReNumber"}) {
        if (child<QCheckBox>(&page, box)->isChecked())
            return QStringLiteral("%1/%2").arg(box).arg(
                child<QSpinBox>(&page, "NumberEdit")->value());
    }
    return QString();
}

} // namespace

// Macros as files: the list, loading, saving and the actions on whole macros.
class TestMacroFiles : public QObject
{
    Q_OBJECT
private:
    DeviceState *state = DeviceState::instance();

private slots:
    void initTestCase() { FillMacroTexts(); }
    void init()
    {
        state->MacroRecording = 0;
        setLanguage(0);
        clearMacroFolder();
    }

    // A macro is a file <name>.ini whose name the program accepts; nothing else is listed, and
    // every macro is, "xml" in its name or not.
    void listFromTheFolder()
    {
        for (const char *file : {"a.ini", "B.ini", "c.xml", "notes.txt", "myxmlmacro.ini",
                                 "x.ini.bak", "two.ini.ini", "..ini", ".ini"})
            writeMacro(QLatin1String(file), "1\n");
        QDir().mkpath(MacroFolder() + QStringLiteral("/folder.ini"));
        QFile::link(MacroFolder() + QStringLiteral("/a.ini"),
                    MacroFolder() + QStringLiteral("/link.ini"));
        Macro page;
        QCOMPARE(macroNames(page), (QStringList{"a", "B", "myxmlmacro", "two.ini"}));
        QCOMPARE(child<QListWidget>(&page, "listWidgetHong")->currentRow(), -1);
    }

    // A macro made with "xml" in its name is there after the next start, and saving it writes
    // its own file only.
    void xmlNameSurvivesARestart()
    {
        {
            Macro page;
            page.show();
            QScopedPointer<ModalAction> user(nameAnswer(QStringLiteral("myxml")));
            button(page, "NewHong")->click();
            QVERIFY(user->done());
            button(page, "Save")->click();
        }
        Macro restarted;
        QCOMPARE(macroNames(restarted), QStringList{"myxml"});
        QCOMPARE(macroFiles(), QStringList{"myxml.ini"});
    }

    // A name the list could not show is refused where it is entered, with the name notice; no
    // file is made or renamed.
    void refusedNames_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("name");
        for (const char *action : {"on_NewHong_clicked", "RenameMacro"}) {
            QTest::addRow("%s, dot", action) << action << ".";
            QTest::addRow("%s, dot dot", action) << action << "..";
        }
    }
    void refusedNames()
    {
        QFETCH(QString, action);
        QFETCH(QString, name);
        writeMacro(QStringLiteral("m.ini"), Recorded);
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("m"));
        QSignalSpy renamed(PostMsg::GetInstance(), &PostMsg::SigMacroRename);
        QScopedPointer<ModalAction> user(nameAnswer(name));
        QString told;
        ModalAction notice(QStringLiteral("SameMacro"), [&](QWidget *dialog) {
            told = child<QLabel>(dialog, "label")->text();
            child<QToolButton>(dialog, "NewHong")->click();
        });
        QMetaObject::invokeMethod(&page, qPrintable(action));
        QVERIFY(user->done());
        QVERIFY(notice.done());
        QCOMPARE(told, fixtureText(0, "Macro", 26));
        QCOMPARE(renamed.size(), 0);
        QCOMPARE(macroNames(page), QStringList{"m"});
        QCOMPARE(macroFiles(), QStringList{"m.ini"});
        QCOMPARE(macroFile(QStringLiteral("m.ini")), Recorded);
    }

    // A save, rename, new or delete the file system refuses says so, and the list then shows
    // what is on disk. The macro folder replaced by a file stands for a folder nothing can be
    // written into (the tests may run with every permission).
    void refusedWritesAreTold_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("disk"); // "no folder", "file gone" or "folder in its place"
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("save") << "on_Save_clicked"
                              << "no folder" << QStringList();
        QTest::newRow("new") << "on_NewHong_clicked"
                             << "no folder" << QStringList();
        QTest::newRow("rename") << "RenameMacro"
                                << "file gone" << QStringList{"keep"};
        QTest::newRow("delete") << "on_DeleteHong_clicked"
                                << "folder in its place" << QStringList{"keep"};
    }
    void refusedWritesAreTold()
    {
        QFETCH(QString, action);
        QFETCH(QString, disk);
        QFETCH(QStringList, listed);
        writeMacro(QStringLiteral("keep.ini"), Recorded);
        writeMacro(QStringLiteral("m.ini"), Recorded);
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("m"));
        child<QCheckBox>(&page, "ReUntil")->click();
        const QString folder = MacroFolder();
        if (disk == QLatin1String("no folder")) {
            QVERIFY(QDir(folder).removeRecursively());
            writeFile(folder, "not a folder");
        } else if (disk == QLatin1String("file gone")) {
            QVERIFY(QFile::remove(folder + QStringLiteral("/m.ini")));
        } else {
            QVERIFY(QFile::remove(folder + QStringLiteral("/m.ini")));
            QVERIFY(QDir().mkpath(folder + QStringLiteral("/m.ini/inside")));
        }
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot"));
        QScopedPointer<ModalAction> name(nameAnswer(QStringLiteral("other")));
        ModalDriver confirm(ModalDriver::named(QStringLiteral("DeleteConfirm")),
                            QStringLiteral("NewHong"));
        QString told;
        ModalAction notice(QStringLiteral("SameMacro"), [&](QWidget *dialog) {
            told = child<QLabel>(dialog, "label")->text();
            child<QToolButton>(dialog, "NewHong")->click();
        });
        QSignalSpy hub(PostMsg::GetInstance(), &PostMsg::SigUpDataMacro);
        QSignalSpy deleted(PostMsg::GetInstance(), &PostMsg::SigDeleteMacroButton);
        QMetaObject::invokeMethod(&page, qPrintable(action));
        QVERIFY(notice.done());
        QCOMPARE(told, fixtureText(0, "Macro", 27));
        QCOMPARE(macroNames(page), listed);
        QCOMPARE(hub.size(), 0);
        QCOMPARE(deleted.size(), 0);
        if (disk == QLatin1String("no folder")) {
            QVERIFY(QFile::remove(folder));
            QVERIFY(QDir().mkpath(folder));
        }
    }

    void load_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("repeat"); // before: ReNumber with the count 7
        QTest::addColumn<QString>("events");
        QTest::newRow("recorded") << Recorded << "ReNumber/3"
                                  << "+A 10ms -A";
        QTest::newRow("count 0") << QByteArray("0\n") << "ReNumber/1"
                                 << "";
        QTest::newRow("count 300") << QByteArray("300\n") << "ReNumber/1"
                                   << "";
        QTest::newRow("not a number") << QByteArray("x\n0x05 1 0\n") << "ReNumber/1"
                                      << "+B";
        QTest::newRow("while held") << QByteArray("254\n") << "ReUntilLoose/7"
                                    << "";
        QTest::newRow("until pressed again") << QByteArray("255\n") << "ReUntilClick/7"
                                             << "";
        QTest::newRow("until another button") << QByteArray("253\n") << "ReUntil/7"
                                              << "";
        QTest::newRow("new macro, empty") << QByteArray() << "ReNumber/7"
                                          << "";
        QTest::newRow("carriage returns")
            << QByteArray("2\r\n0x01 0 0\r\n5ms\r\n0x01 0 1\r\n") << "ReNumber/2"
            << "+LCtrl 5ms -LCtrl";
        QTest::newRow("last line without line feed")
            << QByteArray("1\n0x04 1 0\n15ms") << "ReNumber/1"
            << "+A 15ms";
    }
    void load()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, repeat);
        QFETCH(QString, events);
        writeMacro(QStringLiteral("m.ini"), file);
        Macro page;
        page.show();
        child<QSpinBox>(&page, "NumberEdit")->setValue(7);
        clickMacro(page, QStringLiteral("m"));
        QCOMPARE(repeatMode(page), repeat);
        QCOMPARE(::events(page), events);
        // Showing a file is no change of it.
        QVERIFY(!button(page, "Save")->isEnabled());
        // A repeat change afterwards is one.
        child<QCheckBox>(&page, repeat.startsWith(QLatin1String("ReUntilClick")) ? "ReUntil"
                                                                                 : "ReUntilClick")
            ->click();
        QVERIFY(button(page, "Save")->isEnabled());
    }

    // Lines that do not read are skipped with a notice; the file stays until saved.
    void unreadableLines()
    {
        const QByteArray file = "1\n0x04 1 0\nabc\n0x04 1 1\n0x04 1 2\n";
        writeMacro(QStringLiteral("m.ini"), file);
        Macro page;
        page.show();
        QString told;
        ModalAction notice(QStringLiteral("SameMacro"), [&](QWidget *dialog) {
            told = child<QLabel>(dialog, "label")->text();
            child<QToolButton>(dialog, "NewHong")->click();
        });
        clickMacro(page, QStringLiteral("m"));
        QTRY_VERIFY(notice.done());
        QCOMPARE(told, fixtureText(0, "Macro", 25));
        QCOMPARE(::events(page), QStringLiteral("+A -A"));
        QCOMPARE(macroFile(QStringLiteral("m.ini")), file);
    }

    // The keyboard moves through the list as clicks do, so the events shown are always those
    // of the current macro.
    void keyboardSelects()
    {
        writeMacro(QStringLiteral("a.ini"), Recorded);
        writeMacro(QStringLiteral("b.ini"), "1\n0x05 1 0\n");
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("a"));
        QCOMPARE(::events(page), QStringLiteral("+A 10ms -A"));
        QTest::keyClick(child<QListWidget>(&page, "listWidgetHong"), Qt::Key_Down);
        QCOMPARE(::events(page), QStringLiteral("+B"));
    }

    // Choosing another macro drops what was not saved, without a question.
    void unsavedEditsDropped()
    {
        writeMacro(QStringLiteral("a.ini"), Recorded);
        writeMacro(QStringLiteral("b.ini"), "1\n");
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("a"));
        child<QListWidget>(&page, "listWidgetKey")->setCurrentRow(1);
        button(page, "DeleteKey")->click();
        QVERIFY(button(page, "Save")->isEnabled());
        clickMacro(page, QStringLiteral("b"));
        QVERIFY(!button(page, "Save")->isEnabled());
        clickMacro(page, QStringLiteral("a"));
        QCOMPARE(::events(page), QStringLiteral("+A 10ms -A"));
        QCOMPARE(macroFile(QStringLiteral("a.ini")), Recorded);
    }

    void save_data()
    {
        QTest::addColumn<QString>("repeatBox");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("until pressed again")
            << "ReUntilClick" << QByteArray("255\n0x04 1 0\n10ms\n0x04 1 1\n");
        QTest::newRow("while held")
            << "ReUntilLoose" << QByteArray("254\n0x04 1 0\n10ms\n0x04 1 1\n");
        QTest::newRow("until another button")
            << "ReUntil" << QByteArray("253\n0x04 1 0\n10ms\n0x04 1 1\n");
    }
    void save()
    {
        QFETCH(QString, repeatBox);
        QFETCH(QByteArray, file);
        writeMacro(QStringLiteral("m.ini"), Recorded);
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("m"));
        page.findChild<QCheckBox *>(repeatBox)->click();
        button(page, "Save")->click();
        QCOMPARE(macroFile(QStringLiteral("m.ini")), file);
        QVERIFY(!button(page, "Save")->isEnabled());
        QCOMPARE(macroFiles(), QStringList{"m.ini"});
    }

    // The button page reads the file on these signals: each comes after the file is written.
    void signalsFollowTheCommit_data()
    {
        QTest::addColumn<bool>("editEvents");
        QTest::addColumn<bool>("editRepeat");
        QTest::addColumn<QList<int>>("signalled");
        QTest::newRow("repeat only") << false << true << QList<int>{1};
        QTest::newRow("events and repeat") << true << true << QList<int>{0, 1};
        QTest::newRow("events only") << true << false << QList<int>{0};
        QTest::newRow("nothing changed") << false << false << QList<int>{};
    }
    void signalsFollowTheCommit()
    {
        QFETCH(bool, editEvents);
        QFETCH(bool, editRepeat);
        QFETCH(QList<int>, signalled);
        writeMacro(QStringLiteral("m.ini"), Recorded);
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("m"));
        if (editEvents) {
            child<QListWidget>(&page, "listWidgetKey")->setCurrentRow(1);
            button(page, "DeleteKey")->click(); // three items: the list empties
        }
        if (editRepeat)
            child<QSpinBox>(&page, "NumberEdit")->setValue(9);
        const QByteArray expected = (editRepeat ? QByteArray("9\n") : QByteArray("3\n")) +
                                    (editEvents ? QByteArray() : Recorded.mid(2));
        QList<int> seen;
        QList<QByteArray> fileAtSignal;
        const QMetaObject::Connection watch =
            connect(PostMsg::GetInstance(), &PostMsg::SigUpDataMacro, this,
                    [&](const QString &name, int what) {
                        QCOMPARE(name, QStringLiteral("m"));
                        seen << what;
                        fileAtSignal << macroFile(QStringLiteral("m.ini"));
                    });
        // Save is clicked even when it is inactive: the file is written all the same.
        QMetaObject::invokeMethod(&page, "on_Save_clicked");
        disconnect(watch);
        QCOMPARE(seen, signalled);
        for (const QByteArray &bytes : fileAtSignal)
            QCOMPARE(bytes, expected);
        QCOMPARE(macroFile(QStringLiteral("m.ini")), expected);
        // Saved: a second save tells nothing.
        QSignalSpy again(PostMsg::GetInstance(), &PostMsg::SigUpDataMacro);
        QMetaObject::invokeMethod(&page, "on_Save_clicked");
        QCOMPARE(again.size(), 0);
    }

    // A mouse-button event is written by its code, whatever language names it now.
    void mouseButtonSavedAfterALanguageSwitch()
    {
        writeMacro(QStringLiteral("m.ini"), "1\n");
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("m"));
        emit child<QComboBox>(&page, "ChooseEvent")->activated(5); // a right-button click
        setLanguage(1);
        button(page, "Save")->click();
        QCOMPARE(macroFile(QStringLiteral("m.ini")), QByteArray("1\n0x02 4 0\n10ms\n0x02 4 1\n"));
        clickMacro(page, QStringLiteral("m"));
        QCOMPARE(eventData(page), QStringLiteral("+%1[0x02/4] 10ms[10] -%1[0x02/4]")
                                      .arg(fixtureText(1, "Buttoninterface", 5)));
    }

    void newMacro()
    {
        writeMacro(QStringLiteral("a.ini"), Recorded);
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("a"));
        child<QSpinBox>(&page, "NumberEdit")->setValue(4);
        QScopedPointer<ModalAction> user(nameAnswer(QStringLiteral("Fresh")));
        button(page, "NewHong")->click();
        QVERIFY(user->done());
        QCOMPARE(macroNames(page), (QStringList{"a", "Fresh"}));
        QCOMPARE(child<QListWidget>(&page, "listWidgetHong")->currentItem()->text(),
                 QStringLiteral("Fresh"));
        QCOMPARE(macroFile(QStringLiteral("Fresh.ini")), QByteArray());
        QCOMPARE(::events(page), QString());
        QCOMPARE(repeatMode(page), QStringLiteral("ReNumber/1"));
        QVERIFY(button(page, "Save")->isEnabled());
        button(page, "Save")->click();
        QCOMPARE(macroFile(QStringLiteral("Fresh.ini")), QByteArray("1\n"));
    }

    // A name in the list, or a file the list hides, is taken: nothing is added or emptied.
    void newMacroNameTaken_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("listed") << "a";
        QTest::newRow("xml in the name") << "myxml";
    }
    void newMacroNameTaken()
    {
        QFETCH(QString, name);
        writeMacro(QStringLiteral("a.ini"), Recorded);
        writeMacro(QStringLiteral("myxml.ini"), Recorded);
        Macro page;
        page.show();
        QScopedPointer<ModalAction> user(nameAnswer(name));
        ModalDriver notice(ModalDriver::named(QStringLiteral("SameMacro")),
                           QStringLiteral("NewHong"));
        button(page, "NewHong")->click();
        QVERIFY(user->done());
        QVERIFY2(notice.fired(), qPrintable(notice.failure()));
        QCOMPARE(macroNames(page), (QStringList{"a", "myxml"}));
        QCOMPARE(macroFile(QStringLiteral("a.ini")), Recorded);
        QCOMPARE(macroFile(QStringLiteral("myxml.ini")), Recorded);
    }

    void newMacroCancelled()
    {
        Macro page;
        page.show();
        ModalDriver cancel(ModalDriver::named(QStringLiteral("QuestionDialog")),
                           QStringLiteral("NewHong_2"));
        button(page, "NewHong")->click();
        QVERIFY(cancel.fired());
        QVERIFY(macroNames(page).isEmpty());
        QVERIFY(macroFiles().isEmpty());
    }

    void rename()
    {
        writeMacro(QStringLiteral("old.ini"), Recorded);
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("old"));
        QSignalSpy renamed(PostMsg::GetInstance(), &PostMsg::SigMacroRename);
        // The field starts from the current name, selected so that typing replaces it.
        QString offered;
        QString selected;
        QScopedPointer<ModalAction> user(
            new ModalAction(QStringLiteral("QuestionDialog"), [&](QWidget *dialog) {
                auto *field = child<QLineEdit>(dialog, "lineEdit");
                offered = field->text();
                selected = field->selectedText();
                ZR35_SAVE_SCREEN(dialog, QStringLiteral("macro-rename"));
                field->setText(QStringLiteral("new"));
                child<QToolButton>(dialog, "NewHong")->click();
            }));
        QMetaObject::invokeMethod(&page, "RenameMacro");
        QVERIFY(user->done());
        QCOMPARE(offered, QStringLiteral("old"));
        QCOMPARE(selected, QStringLiteral("old"));
        QCOMPARE(renamed.size(), 1);
        QCOMPARE(renamed.at(0).at(0).toString(), QStringLiteral("old"));
        QCOMPARE(renamed.at(0).at(1).toString(), QStringLiteral("new"));
        QCOMPARE(macroNames(page), QStringList{"new"});
        QCOMPARE(macroFiles(), QStringList{"new.ini"});
        QCOMPARE(macroFile(QStringLiteral("new.ini")), Recorded);
    }

    // A rename the file system refuses tells the button page nothing; the list shows the folder.
    void renameRefused()
    {
        writeMacro(QStringLiteral("old.ini"), Recorded);
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("old"));
        QVERIFY(QFile::remove(MacroFolder() + QStringLiteral("/old.ini")));
        QSignalSpy renamed(PostMsg::GetInstance(), &PostMsg::SigMacroRename);
        QScopedPointer<ModalAction> user(nameAnswer(QStringLiteral("new")));
        ModalDriver notice(ModalDriver::named(QStringLiteral("SameMacro")),
                           QStringLiteral("NewHong"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot rename"));
        QMetaObject::invokeMethod(&page, "RenameMacro");
        QVERIFY(user->done());
        QVERIFY2(notice.fired(), qPrintable(notice.failure()));
        QCOMPARE(renamed.size(), 0);
        QVERIFY(macroNames(page).isEmpty());
        QVERIFY(macroFiles().isEmpty());
    }

    void remove_data()
    {
        QTest::addColumn<QString>("fileState"); // "there", "gone" or "stays"
        QTest::addColumn<bool>("removed");
        QTest::newRow("file removed") << "there" << true;
        QTest::newRow("file already gone") << "gone" << true;
        QTest::newRow("file cannot be removed") << "stays" << false;
    }
    void remove()
    {
        QFETCH(QString, fileState);
        QFETCH(bool, removed);
        writeMacro(QStringLiteral("keep.ini"), Recorded);
        writeMacro(QStringLiteral("m.ini"), Recorded);
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("m"));
        if (fileState == QLatin1String("gone"))
            QVERIFY(QFile::remove(MacroFolder() + QStringLiteral("/m.ini")));
        if (fileState == QLatin1String("stays")) {
            // A folder in the file's place: no removal of a file takes it.
            QVERIFY(QFile::remove(MacroFolder() + QStringLiteral("/m.ini")));
            QVERIFY(QDir().mkpath(MacroFolder() + QStringLiteral("/m.ini/inside")));
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot remove"));
        }
        QSignalSpy deleted(PostMsg::GetInstance(), &PostMsg::SigDeleteMacroButton);
        ModalDriver confirm(ModalDriver::named(QStringLiteral("DeleteConfirm")),
                            QStringLiteral("NewHong"));
        ModalAction notice(QStringLiteral("SameMacro"),
                           [](QWidget *dialog) { child<QToolButton>(dialog, "NewHong")->click(); });
        button(page, "DeleteHong")->click();
        QVERIFY(confirm.fired());
        QCOMPARE(notice.done(), !removed);
        if (!removed) {
            // The folder in the file's place is no macro: the list shows what is on disk.
            QCOMPARE(deleted.size(), 0);
            QCOMPARE(macroNames(page), QStringList{"keep"});
            return;
        }
        QCOMPARE(deleted.size(), 1);
        QCOMPARE(deleted.at(0).at(0).toString(), fixtureText(0, "Macro", 19) + QStringLiteral("m"));
        QCOMPARE(macroNames(page), QStringList{"keep"});
        QCOMPARE(macroFiles(), QStringList{"keep.ini"});
        QCOMPARE(child<QListWidget>(&page, "listWidgetHong")->currentRow(), -1);
        QCOMPARE(::events(page), QString());
    }

    void removeNotConfirmed()
    {
        writeMacro(QStringLiteral("m.ini"), Recorded);
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("m"));
        QSignalSpy deleted(PostMsg::GetInstance(), &PostMsg::SigDeleteMacroButton);
        ModalDriver close(ModalDriver::named(QStringLiteral("DeleteConfirm")),
                          QStringLiteral("CloseButton"));
        button(page, "DeleteHong")->click();
        QVERIFY(close.fired());
        QCOMPARE(deleted.size(), 0);
        QCOMPARE(macroFile(QStringLiteral("m.ini")), Recorded);
    }

    // While a recording runs, new, delete, save and changing an event ask to stop first.
    void editingWhileRecording_data()
    {
        QTest::addColumn<QString>("slot");
        for (const char *slot : {"on_NewHong_clicked", "on_DeleteHong_clicked", "on_Save_clicked",
                                 "on_Amend_clicked", "on_DeleteKey_clicked"})
            QTest::newRow(slot) << QString::fromLatin1(slot);
    }
    void editingWhileRecording()
    {
        QFETCH(QString, slot);
        writeMacro(QStringLiteral("m.ini"), Recorded);
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("m"));
        child<QListWidget>(&page, "listWidgetKey")->setCurrentRow(0);
        button(page, "StartRecord")->click();
        QSignalSpy changed(PostMsg::GetInstance(), &PostMsg::SigUpDataMacro);
        ModalDriver notice(ModalDriver::named(QStringLiteral("ExeIsRun")),
                           QStringLiteral("NewHong"));
        QMetaObject::invokeMethod(&page, qPrintable(slot));
        QVERIFY2(notice.fired(), qPrintable(notice.failure()));
        button(page, "StopRecord")->click();
        QCOMPARE(changed.size(), 0);
        QCOMPARE(macroNames(page), QStringList{"m"});
        QCOMPARE(macroFile(QStringLiteral("m.ini")), Recorded);
    }
};

ZR35_TEST_MAIN(TestMacroFiles)
#include "tst_macrofiles.moc"
