#include "buttons/model/keysequencedefault.h"
#include "buttons/model/macrorepeat.h"
#include "buttons/options/macrolist.h"
#include "buttons/page/buttoninterface.h"
#include "core/configini.h"
#include "core/devicelink.h"
#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "core/languageloader.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "macro/macro.h"
#include "macro/macrosync.h"
#include "macro/model/macroname.h"
#include "platform/appdir.h"
#include "platform/devicelib/simulationcontrol.h"
#include "shell/widgets/myconmbobox.h"
#include "tests/buttons/page/pagewidgets.h"
#include "tests/buttons/simulatedmouse.h"
#include "tests/support/modaldriver.h"
#include "tests/support/screens.h"
#include "tests/support/testmain.h"
#include "tests/support/workerthread.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QToolButton>

#include <cstddef>
#include <cstring>

namespace {

const QString Mouse = QStringLiteral("Mouse1");
constexpr int MacroPrefixText = 48;

constexpr auto &state = State;

QString prefix()
{
    return ButtoninterfaceTexts.text(0, MacroPrefixText, QString());
}

// Replaces the macro folder's files by `files` (name and content).
void macroFiles(const QList<QPair<QString, QByteArray>> &files)
{
    QDir folder(MacroFolder());
    folder.removeRecursively();
    QDir().mkpath(MacroFolder());
    for (const auto &file : files) {
        QFile out(folder.filePath(file.first));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(file.second);
    }
}

QByteArray storedTriple(int slot)
{
    return SimulationControl::storedRecord(Mouse).mid(
        int(offsetof(FlashDataMap, ButtonFunctions)) + 3 * slot, 3);
}

QByteArray triple(int category, int code, int param)
{
    return QByteArray() + char(category) + char(code) + char(param);
}

QByteArray storedMacro(int slot)
{
    return SimulationControl::storedRecord(Mouse).mid(
        int(offsetof(FlashDataMap, Macros) + sizeof(MacroRecord) * std::size_t(slot)),
        int(sizeof(MacroRecord)));
}

QByteArray storedKeys(int slot)
{
    return SimulationControl::storedRecord(Mouse).mid(
        int(offsetof(FlashDataMap, KeyRecords) + sizeof(KeyRecord) * std::size_t(slot)),
        int(sizeof(KeyRecord)));
}

QByteArray macroFile(const QString &name)
{
    QFile file(QDir(MacroFolder()).filePath(name + QStringLiteral(".ini")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList macroFiles()
{
    return QDir(MacroFolder()).entryList(QDir::Files);
}

QByteArray bytesOf(const MacroRecord &record)
{
    return QByteArray(reinterpret_cast<const char *>(&record), int(sizeof record));
}

QStringList buttonTexts(const Buttoninterface &page)
{
    QStringList texts;
    const auto *panel = page.findChild<QWidget *>(QStringLiteral("MacroButtonPanel"));
    for (const QToolButton *button : panel->findChildren<QToolButton *>())
        texts << (button->isEnabled() ? button->text() : QStringLiteral("-"));
    return texts;
}

QToolButton *macroButton(const Buttoninterface &page, const QString &name)
{
    const auto *panel = page.findChild<QWidget *>(QStringLiteral("MacroButtonPanel"));
    for (QToolButton *button : panel->findChildren<QToolButton *>()) {
        if (button->isEnabled() && button->text() == name)
            return button;
    }
    qFatal("no macro button %s", qPrintable(name));
    return nullptr;
}

const QByteArray TwoEvents = "255\n0x04 1 0\n10ms\n0x04 1 1\n";

} // namespace

// Saved macros as the button page offers them, binds them to rows, and keeps the bound rows in
// step with the macro page, against the simulated mouse.
class TestMacroBinding : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;
    QByteArray mousePath;

    // A page showing the mouse's record, in English.
    bool showMouse(Buttoninterface &page)
    {
        page.SlotAllLanguage(0);
        if (!SimulatedMouse::select(mousePath))
            return false;
        // Slot 3 back on its factory function: a row showing a macro opens with its button
        // checked, and a click would uncheck it.
        if (!WriteButtonFunction(3, FunctionCategory::MouseButton, 8, 0))
            return false;
        page.SlotUpDataButtonUIB(state().CurrentFlashData.get());
        SimulationControl::clearLog();
        return true;
    }

    // The macro Greeting (TwoEvents) bound to the fifth row, slot 3, of a page showing the mouse.
    bool bindGreeting(Buttoninterface &page)
    {
        if (!showMouse(page))
            return false;
        // Written after the fill, which writes the files of macros the mouse holds.
        macroFiles({{QStringLiteral("Greeting.ini"), TwoEvents}});
        emit PostMsg::GetInstance()->SigAddMacroButton();
        toolButton(page, "TopMusic")->click();
        toolButton(page, "DPI_10")->click();
        macroButton(page, QStringLiteral("Greeting"))->click();
        return storedTriple(3) == triple(6, 3, 255);
    }

private slots:
    void initTestCase()
    {
        mousePath = SimulatedMouse::start(dir.filePath(QStringLiteral("devices")));
        ReloadLanguageFilesForTest(AppDir::filePath(QStringLiteral("Language")));
        QVERIFY(!prefix().isEmpty());
    }
    void cleanupTestCase() { DeviceLink::StopServer(); }

    void init()
    {
        SimulatedMouse::resetForTest();
        // A binding is written as soon as it is chosen, as on the device page.
        state().WriteEnabled = 1;
        macroFiles({});
        MacroSync::Clear();
    }

    // The record is what the macro page would build from the same events: a pause belongs to
    // the key before it, so a trailing one adds no event; the record holds 70 at most.
    void recordFromFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<int>("events");
        QByteArray seventyOne = "1\n";
        for (int i = 0; i < 71; ++i)
            seventyOne += "0x05 1 0\n";
        QTest::newRow("two events") << "ab" << TwoEvents << true << 2;
        QTest::newRow("trailing pause") << "ab" << TwoEvents + "10ms\n" << true << 2;
        QTest::newRow("CRLF") << "ab" << QByteArray(TwoEvents).replace("\n", "\r\n") << true << 2;
        QTest::newRow("repeat only") << "ab" << QByteArray("3\n") << true << 0;
        QTest::newRow("empty") << "ab" << QByteArray() << true << 0;
        QTest::newRow("71 keys") << "ab" << seventyOne << true << 70;
        QTest::newRow("modifiers and buttons")
            << "ab" << QByteArray("1\n0x02 0 0\n0x10 0 1\n0x10 4 0\n0x08 4 0\n") << true << 4;
        QTest::newRow("40-byte name") << QString(40, QLatin1Char('n')) << TwoEvents << false << 0;
    }
    void recordFromFile()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, file);
        QFETCH(bool, loaded);
        QFETCH(int, events);
        macroFiles({{name + QStringLiteral(".ini"), file}});
        MacroRecord record;
        std::memset(&record, 0x5A, sizeof record);
        QCOMPARE(LoadMacroRecord(name, &record), loaded);
        QCOMPARE(int(record.EventCount), events);
        if (!loaded) {
            QCOMPARE(bytesOf(record), QByteArray(int(sizeof record), '\0'));
            return;
        }
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(record.Name), record.NameLength),
                 name.toUtf8());
        if (QTest::currentDataTag() == QLatin1String("two events")) {
            QCOMPARE(int(record.Events[0].Action), 0);
            QCOMPARE(int(record.Events[0].Kind), 1);
            QCOMPARE(int(record.Events[0].code()), 4);
            QCOMPARE(int(record.Events[0].delay()), 10);
            QCOMPARE(int(record.Events[1].Action), 1);
            QCOMPARE(int(record.Events[1].delay()), 0);
        }
        if (QTest::currentDataTag() == QLatin1String("modifiers and buttons")) {
            QCOMPARE(int(record.Events[1].Kind), 0);
            QCOMPARE(int(record.Events[1].code()), 0x10);
            QCOMPARE(int(record.Events[1].Action), 1);
            QCOMPARE(int(record.Events[3].Kind), 4);
            QCOMPARE(int(record.Events[3].code()), 0x08);
        }
    }

    // Before the device may be written to, no record is built, even from a readable file.
    void noRecordBeforeWritesAreEnabled()
    {
        macroFiles({{QStringLiteral("ab.ini"), TwoEvents}});
        state().WriteEnabled = 0;
        MacroRecord record;
        std::memset(&record, 0x5A, sizeof record);
        QVERIFY(!LoadMacroRecord(QStringLiteral("ab"), &record));
        QCOMPARE(bytesOf(record), QByteArray(int(sizeof record), '\0'));
    }

    void repeatLine_data()
    {
        QTest::addColumn<QByteArray>("file"); // empty: no file at all
        QTest::addColumn<QString>("repeat");
        QTest::newRow("until pressed") << QByteArray("254 x\n0x04 1 0\n") << "254";
        QTest::newRow("no file") << QByteArray() << "0";
        QTest::newRow("no number") << QByteArray("abc\n") << "abc";
        QTest::newRow("blank line") << QByteArray("\n0x04 1 0\n") << "";
    }
    void repeatLine()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, repeat);
        if (!file.isEmpty())
            macroFiles({{QStringLiteral("ab.ini"), file}});
        QCOMPARE(ReadMacroRepeat(QStringLiteral("ab")), repeat);
    }

    void macroList_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("firstBuild");
        QTest::addColumn<QStringList>("rebuild");
        QTest::newRow("by name, any case") << QStringList{"c.ini", "B.ini", "a.ini"}
                                           << QStringList{"a", "B", "c", "-", "-", "-", "-"}
                                           << QStringList{"a", "B", "c", "-", "-", "-", "-"};
        QTest::newRow("list file")
            << QStringList{"list.xml", "m.ini"} << QStringList{"m", "-", "-", "-", "-", "-", "-"}
            << QStringList{"m", "-", "-", "-", "-", "-", "-"};
        // The macro page's rule: <name>.ini files only, "xml" in a name or not.
        QTest::newRow("two xml") << QStringList{"a.xml", "b.xml", "m.ini"}
                                 << QStringList{"m", "-", "-", "-", "-", "-", "-"}
                                 << QStringList{"m", "-", "-", "-", "-", "-", "-"};
        QTest::newRow("not macros") << QStringList{"notes.txt", "x.ini.bak", "myxml.ini"}
                                    << QStringList{"myxml", "-", "-", "-", "-", "-", "-"}
                                    << QStringList{"myxml", "-", "-", "-", "-", "-", "-"};
        QTest::newRow("seven") << QStringList{"1.ini", "2.ini", "3.ini", "4.ini",
                                              "5.ini", "6.ini", "7.ini"}
                               << QStringList{"1", "2", "3", "4", "5", "6", "7"}
                               << QStringList{"1", "2", "3", "4", "5", "6", "7"};
        QTest::newRow("none") << QStringList{} << QStringList{} << QStringList{};
    }
    void macroList()
    {
        QFETCH(QStringList, files);
        QFETCH(QStringList, firstBuild);
        QFETCH(QStringList, rebuild);
        QList<QPair<QString, QByteArray>> content;
        for (const QString &file : files)
            content.append({file, QByteArray("1\n")});
        macroFiles(content);
        Buttoninterface page;
        QCOMPARE(buttonTexts(page), firstBuild);
        emit PostMsg::GetInstance()->SigAddMacroButton();
        QCOMPARE(buttonTexts(page), rebuild);
        if (QTest::currentDataTag() == QLatin1String("by name, any case")) {
            page.SlotAllLanguage(0);
            page.resize(883, 630);
            page.show();
            toolButton(page, "TopMusic")->click();
            toolButton(page, "DPI_10")->click();
            QCOMPARE(currentPage(page, "stackedWidget_2"), QStringLiteral("page_5"));
            saveScreen(&page, QStringLiteral("buttons-macro-panel"));
        }
    }

    // The fifth row holds slot 3: the mouse stores {6, 3, repeat} there and the file's record.
    void bindingStoresTheMacro_data()
    {
        QTest::addColumn<QByteArray>("repeatLine");
        QTest::addColumn<int>("param");
        QTest::newRow("until pressed again") << QByteArray("255\n") << 255;
        QTest::newRow("no repeat line") << QByteArray() << 0;
        QTest::newRow("no number") << QByteArray("abc\n") << 0;
    }
    void bindingStoresTheMacro()
    {
        QFETCH(QByteArray, repeatLine);
        QFETCH(int, param);
        const QByteArray events = "0x04 1 0\n10ms\n0x04 1 1\n";
        Buttoninterface page;
        page.show();
        QVERIFY(showMouse(page));
        // Written after the fill, which rewrites the files of the macros the mouse holds.
        macroFiles({{QStringLiteral("Fast.ini"), repeatLine + (repeatLine.isEmpty() ? "" : events)},
                    {QStringLiteral("Slow.ini"), TwoEvents}});
        emit PostMsg::GetInstance()->SigAddMacroButton();
        toolButton(page, "TopMusic")->click();
        toolButton(page, "DPI_10")->click();
        macroButton(page, QStringLiteral("Fast"))->click();

        MacroRecord expected;
        QVERIFY(LoadMacroRecord(QStringLiteral("Fast"), &expected));
        QCOMPARE(storedTriple(3), triple(6, 3, param));
        QCOMPARE(storedMacro(3), bytesOf(expected));
        QCOMPARE(SimulationControl::receivedRecords().size(), 1);
        QCOMPARE(text(page, "TopMusic"), prefix() + QStringLiteral("Fast"));
        QCOMPARE(page.Model().ButtonCategories.at(3), 6);
        QCOMPARE(page.Model().ButtonParams.at(3), param);
        QCOMPARE(currentPage(page, "stackedWidget"), QStringLiteral("page"));
        QCOMPARE(currentPage(page, "stackedWidget_2"), QStringLiteral("page_9"));

        // The row shows its macro checked when opened again.
        toolButton(page, "TopMusic")->click();
        QVERIFY(macroButton(page, QStringLiteral("Fast"))->isChecked());
    }

    // Asleep: the offline notice, the row and the mouse as they were, the chooser closed.
    void offlineBindingChangesNothing()
    {
        macroFiles({{QStringLiteral("Fast.ini"), TwoEvents}});
        Buttoninterface page;
        QVERIFY(showMouse(page));
        const QString label = text(page, "TopMusic");
        toolButton(page, "TopMusic")->click();
        toolButton(page, "DPI_10")->click();
        const QByteArray before = SimulationControl::storedRecord(Mouse);
        QVERIFY(SimulationControl::setOnline(Mouse, false));
        QSignalSpy offline(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo);
        macroButton(page, QStringLiteral("Fast"))->click();
        QCOMPARE(offline.size(), 1);
        QCOMPARE(text(page, "TopMusic"), label);
        QCOMPARE(SimulationControl::storedRecord(Mouse), before);
        QCOMPARE(currentPage(page, "stackedWidget"), QStringLiteral("page"));
    }

    // Deleting a macro gives its rows their factory function back (or the model's key
    // sequence), frees their key records, and sends the record once more at the end.
    void deleteRestoresDefaults_data()
    {
        QTest::addColumn<QString>("config"); // the model's KeyParam4 line, or the shipped one
        QTest::addColumn<QByteArray>("slot3");
        QTest::newRow("factory functions") << QString() << triple(1, 8, 0);
        QTest::newRow("multimedia default")
            << QStringLiteral("KeyParam4=0x05, 0x00, E9") << triple(5, 0, 0);
        QTest::newRow("combination default")
            << QStringLiteral("KeyParam4=0x05,0x00,0x00,Ctrl+V") << triple(5, 0, 0);
        QTest::newRow("unusable default")
            << QStringLiteral("KeyParam4=0x05,0x00") << triple(5, 0, 0);
    }
    void deleteRestoresDefaults()
    {
        QFETCH(QString, config);
        QFETCH(QByteArray, slot3);
        if (!config.isEmpty()) {
            QFile original(AppDir::filePath(QStringLiteral("usersetting/Config.ini")));
            QVERIFY(original.open(QIODevice::ReadOnly));
            QByteArray ini = original.readAll();
            QVERIFY(ini.contains("KeyParam4=0x01,0x08,0x00"));
            ini.replace("KeyParam4=0x01,0x08,0x00", config.toUtf8());
            QFile copy(dir.filePath(QStringLiteral("Config.ini")));
            QVERIFY(copy.open(QIODevice::WriteOnly));
            copy.write(ini);
            copy.close();
            ConfigIni::resetForTests(copy.fileName());
            QCOMPARE(ConfigIni::instance()
                         ->valueList(QStringLiteral("Drive1"), QStringLiteral("KeyParam4"))
                         .value(0),
                     QStringLiteral("0x05"));
        }
        Buttoninterface page;
        QVERIFY(showMouse(page));
        // Keys stored in both slots first, so that their freeing shows.
        page.SetKeyCombination(3, QStringLiteral("Ctrl+C"));
        page.SetKeyCombination(7, QStringLiteral("Ctrl+V"));
        QVERIFY(storedKeys(3) != QByteArray(int(sizeof(KeyRecord)), '\0'));
        const QString bound = prefix() + QStringLiteral("Gone");
        toolButton(page, "TopMusic")->setText(bound);
        toolButton(page, "Button8")->setText(bound);
        toolButton(page, "FireKey")->setText(prefix() + QStringLiteral("Gone2"));
        SimulationControl::clearLog();

        emit PostMsg::GetInstance()->SigDeleteMacroButton(bound);

        QCOMPARE(storedTriple(3), slot3);
        QCOMPARE(storedTriple(7), triple(2, 3, 0));
        QCOMPARE(storedKeys(7), QByteArray(int(sizeof(KeyRecord)), '\0'));
        const QString tag = QLatin1String(QTest::currentDataTag());
        const bool keysKept = tag.endsWith(QLatin1String("multimedia default")) ||
                              tag.endsWith(QLatin1String("combination default"));
        if (keysKept)
            QVERIFY(storedKeys(3).at(0) != char(0));
        else
            QCOMPARE(storedKeys(3), QByteArray(int(sizeof(KeyRecord)), '\0'));
        if (tag == QLatin1String("combination default"))
            QCOMPARE(text(page, "TopMusic"), QStringLiteral("Ctrl+V"));
        // A default the page cannot use assigns nothing: the row keeps its label.
        QCOMPARE(text(page, "TopMusic") == bound, tag == QLatin1String("unusable default"));
        QCOMPARE(text(page, "FireKey"), prefix() + QStringLiteral("Gone2"));
        QVERIFY(!toolButton(page, "TopMusic")->group()->checkedButton());
        // One send per row that got a function, then the last one.
        QCOMPARE(SimulationControl::receivedRecords().size(),
                 tag == QLatin1String("unusable default") ? 2 : 3);
        QCOMPARE(SimulationControl::receivedRecords().last(),
                 SimulationControl::storedRecord(Mouse));
    }

    // Only a full label binds: a row named like the macro but without the prefix is another
    // function and survives delete, rename and update.
    void onlyTheFullLabelBinds()
    {
        macroFiles({{QStringLiteral("DPI+.ini"), TwoEvents}});
        Buttoninterface page;
        QVERIFY(showMouse(page));
        toolButton(page, "BackKey")->setText(QStringLiteral("DPI+"));
        const QByteArray before = SimulationControl::storedRecord(Mouse);
        PostMsg *hub = PostMsg::GetInstance();
        QSignalSpy downloads(hub, &PostMsg::SigMacroDownLoadData);
        emit hub->SigMacroRename(QStringLiteral("DPI+"), QStringLiteral("Other"));
        emit hub->SigUpDataMacro(QStringLiteral("DPI+"), 1);
        emit hub->SigDeleteMacroButton(prefix() + QStringLiteral("DPI+"));
        QCOMPARE(text(page, "BackKey"), QStringLiteral("DPI+"));
        QCOMPARE(SimulationControl::storedRecord(Mouse), before);
        QCOMPARE(downloads.size(), 0);
    }

    // A rename relabels the row and renames the stored macro; a repeat change rewrites the
    // stored function's repeat with the record unchanged; a changed macro asks the macro page for
    // its record, once per bound row.
    void boundRowsFollowTheMacro()
    {
        macroFiles({{QStringLiteral("abcdef.ini"), TwoEvents}});
        Buttoninterface page;
        QVERIFY(showMouse(page));
        toolButton(page, "RightKey")->click();
        toolButton(page, "DPI_10")->click();
        macroButton(page, QStringLiteral("abcdef"))->click();
        QCOMPARE(storedTriple(1), triple(6, 1, 255));

        PostMsg *hub = PostMsg::GetInstance();
        QVERIFY(QDir(MacroFolder()).rename(QStringLiteral("abcdef.ini"), QStringLiteral("xy.ini")));
        emit hub->SigMacroRename(QStringLiteral("abcdef"), QStringLiteral("xy"));
        QCOMPARE(text(page, "RightKey"), prefix() + QStringLiteral("xy"));
        const QByteArray macro = storedMacro(1);
        QCOMPARE(int(macro.at(0)), 2);
        QCOMPARE(macro.mid(1, 30), QByteArray("xy") + QByteArray(28, '\0'));

        macroFiles({{QStringLiteral("xy.ini"), QByteArray(TwoEvents).replace("255", "3")}});
        emit hub->SigUpDataMacro(QStringLiteral("xy"), 1);
        QCOMPARE(storedTriple(1), triple(6, 1, 3));
        QCOMPARE(storedMacro(1), macro);

        QSignalSpy downloads(hub, &PostMsg::SigMacroDownLoadData);
        QElapsedTimer waited;
        waited.start();
        emit hub->SigUpDataMacro(QStringLiteral("xy"), 0);
        QVERIFY(waited.elapsed() >= 1400);
        QCOMPARE(downloads.size(), 1);
        QCOMPARE(downloads.at(0).at(1).toInt(), 1);
        emit hub->SigUpDataMacro(QStringLiteral("xy"), 2);
        QCOMPARE(downloads.size(), 1);
    }

    // A saved macro reaches its bound rows through the macro page, which builds the same record
    // a binding built from the file.
    void updateThroughTheMacroPageStoresTheSameRecord()
    {
        Buttoninterface page;
        QVERIFY(showMouse(page));
        const QByteArray file = "255\n0x02 0 0\n40ms\n0x0B 1 0\n12ms\n0x0B 1 1\n10ms\n";
        macroFiles({{QStringLiteral("Greeting.ini"), file}});
        emit PostMsg::GetInstance()->SigAddMacroButton();
        toolButton(page, "TopMusic")->click();
        toolButton(page, "DPI_10")->click();
        macroButton(page, QStringLiteral("Greeting"))->click();
        const QByteArray bound = storedMacro(3);
        QCOMPARE(int(bound.at(31)), 3);

        Macro macroPage;
        macroPage.show();
        auto *list = child<QListWidget>(macroPage, "listWidgetHong");
        const QList<QListWidgetItem *> items =
            list->findItems(QStringLiteral("Greeting"), Qt::MatchExactly);
        QCOMPARE(items.size(), 1);
        list->setCurrentItem(items.first());
        // Cleared on the mouse, so that only the macro page's write can bring it back.
        DeviceLink::WriteRecord([](FlashDataMap &record) { record.Macros[3] = MacroRecord{}; });
        QVERIFY(storedMacro(3) != bound);
        emit PostMsg::GetInstance()->SigUpDataMacro(QStringLiteral("Greeting"), 0);
        QCOMPARE(storedMacro(3), bound);
        QCOMPARE(storedTriple(3), triple(6, 3, 255));
    }

    // What the user does to a bound macro, with the mouse asleep or awake, is what the mouse and
    // the macro folder hold once it has answered again: a refill never writes the mouse's older
    // copy over the user's file, nor brings back a macro the user deleted or renamed.
    void userActionSurvivesTheRefill_data()
    {
        QTest::addColumn<QString>("action"); // "save", "rename" or "delete"
        QTest::addColumn<bool>("asleep");
        for (const char *action : {"save", "rename", "delete"}) {
            QTest::addRow("%s, mouse asleep", action) << action << true;
            QTest::addRow("%s, mouse awake", action) << action << false;
        }
    }
    void userActionSurvivesTheRefill()
    {
        QFETCH(QString, action);
        QFETCH(bool, asleep);
        const QByteArray saved = "253\n0x04 1 0\n10ms\n0x04 1 1\n10ms\n0x01 4 0\n10ms\n0x01 4 1\n";
        Buttoninterface page;
        page.show();
        QVERIFY(bindGreeting(page));
        const QByteArray boundBefore = storedMacro(3);
        QCOMPARE(storedTriple(3), triple(6, 3, 255));

        Macro macroPage;
        macroPage.show();
        auto *list = child<QListWidget>(macroPage, "listWidgetHong");
        list->setCurrentItem(list->findItems(QStringLiteral("Greeting"), Qt::MatchExactly).first());
        QVERIFY(SimulationControl::setOnline(Mouse, !asleep));
        QSignalSpy offline(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo);
        QString name = QStringLiteral("Greeting");
        if (action == QLatin1String("save")) {
            // Repeat until another button, and a left click added after the events.
            child<QCheckBox>(macroPage, "ReUntil")->click();
            child<QListWidget>(macroPage, "listWidgetKey")->setCurrentRow(2);
            emit child<QComboBox>(macroPage, "ChooseEvent")->activated(4);
            toolButton(macroPage, "Save")->click();
            QCOMPARE(macroFile(name), saved);
        } else if (action == QLatin1String("rename")) {
            name = QStringLiteral("Hello");
            ModalDriver answer(
                [](QWidget *modal) {
                    if (!modal->inherits("QuestionDialog"))
                        return false;
                    modal->findChild<QLineEdit *>(QStringLiteral("lineEdit"))
                        ->setText(QStringLiteral("Hello"));
                    return true;
                },
                QStringLiteral("NewHong"));
            QMetaObject::invokeMethod(&macroPage, "RenameMacro");
            QVERIFY(answer.fired());
        } else {
            ModalDriver confirm(ModalDriver::named(QStringLiteral("DeleteConfirm")),
                                QStringLiteral("NewHong"));
            toolButton(macroPage, "DeleteHong")->click();
            QVERIFY(confirm.fired());
        }
        QCOMPARE(offline.isEmpty(), !asleep);
        if (asleep)
            QCOMPARE(storedMacro(3), boundBefore);
        // A language change refills the rows from the record the page holds.
        page.SlotAllLanguage(0);

        // The mouse answers again and is read whole: the refill, then the user's doing sent.
        QVERIFY(SimulationControl::setOnline(Mouse, true));
        offline.clear();
        QVERIFY(SimulatedMouse::select(mousePath));
        if (action == QLatin1String("delete")) {
            QTRY_COMPARE(storedTriple(3), triple(1, 8, 0));
            QVERIFY(!macroFiles().contains(QStringLiteral("Greeting.ini")));
        } else {
            MacroRecord expected;
            QVERIFY(LoadMacroRecord(name, &expected));
            QTRY_COMPARE(storedMacro(3), bytesOf(expected));
            QCOMPARE(storedTriple(3), triple(6, 3, action == QLatin1String("save") ? 253 : 255));
            QCOMPARE(text(page, "TopMusic"), prefix() + name);
            QVERIFY(macroFiles().contains(name + QStringLiteral(".ini")));
            QCOMPARE(name == QLatin1String("Hello"),
                     !macroFiles().contains(QStringLiteral("Greeting.ini")));
            QCOMPARE(macroFile(name), action == QLatin1String("save") ? saved : TwoEvents);
        }
        QVERIFY(offline.isEmpty());
        // Once taken, nothing is left to send: a further read sends nothing.
        SimulationControl::clearLog();
        QVERIFY(SimulatedMouse::select(mousePath));
        QTest::qWait(0);
        QCOMPARE(SimulationControl::receivedRecords().size(), 0);
    }

    // A macro still asleep when the mouse is read again is sent when it answers; a send it does
    // not take shows the offline notice and waits for the next answer.
    void refusedSendWaits()
    {
        Buttoninterface page;
        page.show();
        QVERIFY(bindGreeting(page));
        macroFiles({{QStringLiteral("Greeting.ini"), QByteArray(TwoEvents).replace("255", "3")}});
        MacroSync::Changed(QStringLiteral("Greeting"));
        // The mouse answers the read, then takes no record.
        SimulationControl::setNoAnswer(QStringLiteral("ProtocolDataUpdate"), -1);
        QSignalSpy offline(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo);
        QVERIFY(SimulatedMouse::select(mousePath));
        QTRY_COMPARE(offline.size(), 1);
        QCOMPARE(storedTriple(3), triple(6, 3, 255));
        QVERIFY(MacroSync::IsChanged(QStringLiteral("Greeting")));
        SimulationControl::setNoAnswer(QStringLiteral("ProtocolDataUpdate"), 0);
        QVERIFY(SimulatedMouse::select(mousePath));
        QTRY_COMPARE(storedTriple(3), triple(6, 3, 3));
        QCOMPARE(macroFile(QStringLiteral("Greeting")), QByteArray(TwoEvents).replace("255", "3"));
    }

    // A macro file longer than the mouse holds is not bound cut short: the limit notice, nothing
    // sent, the row as it was.
    void tooLongMacroIsNotBound()
    {
        QByteArray file = "1\n";
        for (int i = 0; i < 71; ++i)
            file += "0x05 1 0\n";
        Buttoninterface page;
        page.show();
        QVERIFY(showMouse(page));
        macroFiles({{QStringLiteral("Long.ini"), file}});
        emit PostMsg::GetInstance()->SigAddMacroButton();
        const QString label = text(page, "TopMusic");
        const QByteArray before = SimulationControl::storedRecord(Mouse);
        toolButton(page, "TopMusic")->click();
        toolButton(page, "DPI_10")->click();
        ModalDriver notice(ModalDriver::named(QStringLiteral("KeyNumberLimit")),
                           QStringLiteral("NewHong"));
        macroButton(page, QStringLiteral("Long"))->click();
        QVERIFY2(notice.fired(), qPrintable(notice.failure()));
        QCOMPARE(SimulationControl::receivedRecords().size(), 0);
        QCOMPARE(SimulationControl::storedRecord(Mouse), before);
        QCOMPARE(text(page, "TopMusic"), label);
    }

    void keySequenceDefaults_data()
    {
        QTest::addColumn<QStringList>("value");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("usage");
        QTest::addColumn<QString>("combination");
        QTest::newRow("none") << QStringList{} << int(KeySequenceDefault::None) << 0 << "";
        QTest::newRow("other category")
            << QStringList{"0x01", "0x00", "E9"} << int(KeySequenceDefault::None) << 0 << "";
        QTest::newRow("multimedia") << QStringList{"0x05", "0x00", "E9"}
                                    << int(KeySequenceDefault::Multimedia) << 0xE9 << "";
        QTest::newRow("multimedia 0x") << QStringList{"0x05", "0x00", "0xea"}
                                       << int(KeySequenceDefault::Multimedia) << 0xEA << "";
        QTest::newRow("combination") << QStringList{"0x05", "0x00", "0x00", "Ctrl+V"}
                                     << int(KeySequenceDefault::Combination) << 0 << "Ctrl+V";
        QTest::newRow("two elements")
            << QStringList{"0x05", "0x00"} << int(KeySequenceDefault::Unusable) << 0 << "";
    }
    void keySequenceDefaults()
    {
        QFETCH(QStringList, value);
        QFETCH(int, kind);
        QFETCH(int, usage);
        QFETCH(QString, combination);
        const KeySequenceDefault parsed = ParseKeySequenceDefault(value);
        QCOMPARE(int(parsed.What), kind);
        QCOMPARE(parsed.UsageByte, usage);
        QCOMPARE(parsed.Text, combination);
    }

    // The device's profile answer comes from its event thread, which waits for the page.
    void profilesFollowTheDevice()
    {
        Buttoninterface page;
        auto *box = child<QComboBox>(page, "ProjectChoose");
        QVERIFY(
            runOnWorkerThread([] { emit PostMsg::GetInstance()->SigUpDataConfigUI(4, 2, true); }));
        QCOMPARE(box->count(), 4);
        QCOMPARE(box->currentIndex(), 2);
        QVERIFY(box->isEnabled());
        QVERIFY(
            runOnWorkerThread([] { emit PostMsg::GetInstance()->SigUpDataConfigUI(0, 3, false); }));
        QCOMPARE(box->count(), 1);
        QCOMPARE(box->currentIndex(), 0);
        QVERIFY(!box->isEnabled());
    }

    // Online the pick reaches the device; asleep the profile shown before the press comes back.
    void profilePick()
    {
        Buttoninterface page;
        QVERIFY(showMouse(page));
        auto *box = child<QComboBox>(page, "ProjectChoose");
        QVERIFY(QMetaObject::invokeMethod(&page, "SlotUpDataConfigUI", Q_ARG(int, 4), Q_ARG(int, 0),
                                          Q_ARG(bool, true)));
        QVERIFY(QMetaObject::invokeMethod(&page, "on_ProjectChoose_activated", Q_ARG(int, 1)));
        QCOMPARE(SimulationControl::profile(Mouse), 1);

        QVERIFY(SimulationControl::setOnline(Mouse, false));
        QSignalSpy offline(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo);
        box->setCurrentIndex(3);
        QVERIFY(QMetaObject::invokeMethod(&page, "on_ProjectChoose_activated", Q_ARG(int, 3)));
        QCOMPARE(box->currentIndex(), 0); // pressIndex: nothing was pressed
        QCOMPARE(offline.size(), 1);
        QCOMPARE(SimulationControl::profile(Mouse), 1);

        // Awake, but the switch does not reach the mouse: the box goes back to the profile the
        // mouse is on and the offline notice tells the user, as when it is asleep.
        QVERIFY(SimulationControl::setOnline(Mouse, true));
        SimulationControl::setNoAnswer(QStringLiteral("UsbServer_SetCurrentConfig"), 1);
        static_cast<MyConmboBox *>(box)->pressIndex = 1;
        box->setCurrentIndex(2);
        QVERIFY(QMetaObject::invokeMethod(&page, "on_ProjectChoose_activated", Q_ARG(int, 2)));
        QCOMPARE(box->currentIndex(), 1);
        QCOMPARE(offline.size(), 2);
        QCOMPARE(SimulationControl::profile(Mouse), 1);
        QCOMPARE(int(DeviceState::instance()->RereadWhenOnline.load()), 1);
        DeviceState::instance()->KeepOfflineNotice = 0;
    }
};

ZR35_TEST_MAIN(TestMacroBinding)
#include "tst_macrobinding.moc"
