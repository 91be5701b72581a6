#include "core/devicestate.h"
#include "core/postmsg.h"
#include "core/record/flashdatamap.h"
#include "macro/macro.h"
#include "macro/model/macroevents.h"
#include "macro/model/macrofile.h"
#include "macro/model/macroname.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/linksupport/linkfixture.h"
#include "tests/macro/macrobench.h"
#include "tests/macro/macrobuildercases.h"
#include "tests/support/records.h"
#include "tests/support/testmain.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QListWidget>
#include <QSignalSpy>

#include <cstring>

namespace {

constexpr int Slot = 3;
const QByteArray Greeting = "255\n0x02 0 0\n40ms\n0x0B 1 0\n12ms\n0x0B 1 1\n33ms\n0x02 0 1\n"
                            "5ms\n0x01 4 0\n20ms\n0x01 4 1\n";
const QString GreetingEvents =
    QStringLiteral("+LShift 40ms +H 12ms -H 33ms -LShift 5ms +#0x01/4 20ms -#0x01/4");

bool sameMacro(const MacroRecord &a, const MacroRecord &b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

// The macro page and the button page through the hub: a macro's record written to the mouse,
// and a mouse's macro taken back as a macro file.
class TestMacroExchange : public QObject
{
    Q_OBJECT
private:
    DeviceState *state = DeviceState::instance();

    // The virtual mouse selected, read and writable, as the device page leaves it; the button
    // in `Slot` holds a macro function (category 6) with a repeat of 3.
    void selectMouse()
    {
        QVERIFY(LinkFixture::selectReceiverWithServer());
        state->CurrentFlashData.with([](FlashDataMap &record) {
            record.ButtonFunctions[Slot] = {6, std::uint8_t(Slot), 3};
        });
        state->WriteEnabled = 1;
        state->CurrentLanguage = 0;
        emit PostMsg::GetInstance()->SigAllLanguage(0);
        SimulationControl::clearLog();
    }

private slots:
    void initTestCase()
    {
        FillMacroTexts();
        SimulationControl::setStateFolder(QDir::home().filePath(QStringLiteral("devices")));
    }
    void init()
    {
        clearMacroFolder();
        selectMouse();
    }
    void cleanup() { UsbServer_Exit(); }

    // A saved macro reaches the mouse as the button page asks for it, survives the mouse's
    // restart, and comes back from the mouse's record with the same events.
    void recordToTheMouseAndBack()
    {
        writeMacro(QStringLiteral("Greeting.ini"), Greeting);
        MacroEvents shown;
        {
            Macro page;
            page.show();
            clickMacro(page, QStringLiteral("Greeting"));
            QCOMPARE(NotationOf(page.ShownEvents()), GreetingEvents);
            shown = page.ShownEvents();
            emit PostMsg::GetInstance()->SigMacroDownLoadData(QStringLiteral("Greeting"), Slot);
        }
        const MacroRecord expected = BuildMacroRecord(QStringLiteral("Greeting"), shown);
        QCOMPARE(DescribeRecord(expected),
                 QStringLiteral("Greeting/8 n=6: +0x02/0@40 +0x0B/1@12 -0x0B/1@33 -0x02/0@5 "
                                "+0x01/4@20 -0x01/4@0"));
        QCOMPARE(LinkFixture::calls(QStringLiteral("ProtocolDataUpdate")), 1);

        SimulationControl::restartBus();
        const FlashDataMap stored = LinkFixture::storedRecord();
        QVERIFY(sameMacro(stored.Macros[Slot], expected));
        QCOMPARE(stored.ButtonFunctions[Slot].Category, std::uint8_t(6));
        QCOMPARE(stored.ButtonFunctions[Slot].Param, std::uint8_t(3));

        // A fresh macro folder: the button page writes the mouse's macro where there is no
        // file, and the page lists it.
        clearMacroFolder();
        Macro page;
        page.show();
        bool written = false;
        QVERIFY(TakeOverMacroRecord(stored.Macros[Slot], 3, &written));
        QVERIFY(written);
        QSignalSpy added(PostMsg::GetInstance(), &PostMsg::SigAddMacroButton);
        emit PostMsg::GetInstance()->SigButtonToMacro(stored, Slot);
        QCOMPARE(added.size(), 1);
        QCOMPARE(macroNames(page), QStringList{"Greeting"});
        QCOMPARE(child<QListWidget>(&page, "listWidgetHong")->currentRow(), -1);
        QCOMPARE(macroFile(QStringLiteral("Greeting.ini")), "3\n" + Greeting.mid(4));
        clickMacro(page, QStringLiteral("Greeting"));
        QCOMPARE(NotationOf(page.ShownEvents()), GreetingEvents);
    }

    // Only the macro shown, only while writes are enabled, only a slot of the record.
    void requestsNotAnswered_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("slot");
        QTest::addColumn<bool>("writeEnabled");
        QTest::addColumn<bool>("selected");
        QTest::newRow("another macro") << "Other" << Slot << true << true;
        QTest::newRow("writes not enabled") << "Greeting" << Slot << false << true;
        QTest::newRow("no macro selected") << "Greeting" << Slot << true << false;
        QTest::newRow("slot 16") << "Greeting" << 16 << true << true;
        QTest::newRow("slot -1") << "Greeting" << -1 << true << true;
    }
    void requestsNotAnswered()
    {
        QFETCH(QString, name);
        QFETCH(int, slot);
        QFETCH(bool, writeEnabled);
        QFETCH(bool, selected);
        writeMacro(QStringLiteral("Greeting.ini"), Greeting);
        Macro page;
        page.show();
        if (selected)
            clickMacro(page, QStringLiteral("Greeting"));
        state->WriteEnabled = writeEnabled ? 1 : 0;
        const FlashDataMap before = LinkFixture::storedRecord();
        emit PostMsg::GetInstance()->SigMacroDownLoadData(name, slot);
        QCOMPARE(LinkFixture::calls(QStringLiteral("ProtocolDataUpdate")), 0);
        COMPARE_RECORDS(LinkFixture::storedRecord(), before);
    }

    // A NUL in the requested name is no part of it.
    void nulInTheRequestedName()
    {
        writeMacro(QStringLiteral("Greeting.ini"), Greeting);
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("Greeting"));
        emit PostMsg::GetInstance()->SigMacroDownLoadData(
            QStringLiteral("Gree") + QChar(0) + QStringLiteral("ting"), Slot);
        QCOMPARE(LinkFixture::calls(QStringLiteral("ProtocolDataUpdate")), 1);
    }

    void offlineMouseIsReported()
    {
        writeMacro(QStringLiteral("Greeting.ini"), Greeting);
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("Greeting"));
        QVERIFY(SimulationControl::setOnline(QStringLiteral("M1"), false));
        const FlashDataMap before = state->CurrentFlashData.get();
        QSignalSpy offline(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo);
        emit PostMsg::GetInstance()->SigMacroDownLoadData(QStringLiteral("Greeting"), Slot);
        QCOMPARE(offline.size(), 1);
        COMPARE_RECORDS(state->CurrentFlashData.get(), before);
    }

    // A refill (the mouse waking, a reconnect) while the user edits a macro: the list, the
    // selection, the edit not saved yet and the macro's file stay as they are, whether the
    // mouse's macro is the one shown, another listed one, or a new one whose file the button page
    // has just written (it joins the list after the selected macro).
    void fillKeepsTheEdit_data()
    {
        QTest::addColumn<QString>("mouseMacro");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("the macro shown") << "a" << QStringList{"a", "b"};
        QTest::newRow("another listed macro") << "b" << QStringList{"a", "b"};
        QTest::newRow("a new macro") << "new" << QStringList{"a", "new", "b"};
        QTest::newRow("a new macro without a file") << "gone" << QStringList{"a", "b"};
    }
    void fillKeepsTheEdit()
    {
        QFETCH(QString, mouseMacro);
        QFETCH(QStringList, listed);
        writeMacro(QStringLiteral("a.ini"), "1\n0x05 1 0\n");
        writeMacro(QStringLiteral("b.ini"), "2\n0x06 1 0\n");
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("a"));
        auto *events = child<QListWidget>(&page, "listWidgetKey");
        events->setCurrentRow(0);
        emit child<QComboBox>(&page, "ChooseEvent")->activated(4); // a left click, unsaved
        const QString edited = ::events(page);
        const int row = events->currentRow();
        QVERIFY(child<QAbstractButton>(&page, "Save")->isEnabled());
        FlashDataMap record{};
        record.Macros[Slot] = BuildMacroRecord(mouseMacro, EventsOf(QStringLiteral("+A 20ms -A")));
        if (mouseMacro == QLatin1String("new")) {
            bool written = false;
            QVERIFY(TakeOverMacroRecord(record.Macros[Slot], 7, &written));
            QVERIFY(written);
        }
        QSignalSpy added(PostMsg::GetInstance(), &PostMsg::SigAddMacroButton);
        emit PostMsg::GetInstance()->SigButtonToMacro(record, Slot);
        QCOMPARE(added.size(), mouseMacro == QLatin1String("new") ? 1 : 0);
        QCOMPARE(macroNames(page), listed);
        QCOMPARE(child<QListWidget>(&page, "listWidgetHong")->currentItem()->text(),
                 QStringLiteral("a"));
        QCOMPARE(::events(page), edited);
        QCOMPARE(events->currentRow(), row);
        QVERIFY(child<QAbstractButton>(&page, "Save")->isEnabled());
        QCOMPARE(macroFile(QStringLiteral("a.ini")), QByteArray("1\n0x05 1 0\n"));
        QCOMPARE(macroFile(QStringLiteral("b.ini")), QByteArray("2\n0x06 1 0\n"));
    }

    // A macro taken over while a recording runs joins the list; the recording goes on into the
    // macro it started in.
    void takeOverWhileRecording()
    {
        writeMacro(QStringLiteral("a.ini"), "1\n");
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("a"));
        page.findChild<QAbstractButton *>(QStringLiteral("StartRecord"))->click();
        pressKey(0x41);
        FlashDataMap record{};
        record.Macros[Slot] = BuildMacroRecord(QStringLiteral("dev"), EventsOf("+B"));
        bool written = false;
        QVERIFY(TakeOverMacroRecord(record.Macros[Slot], 2, &written));
        emit PostMsg::GetInstance()->SigButtonToMacro(record, Slot);
        releaseKey(0x41);
        page.findChild<QAbstractButton *>(QStringLiteral("StopRecord"))->click();
        QCOMPARE(macroNames(page), (QStringList{"a", "dev"}));
        QCOMPARE(child<QListWidget>(&page, "listWidgetHong")->currentItem()->text(),
                 QStringLiteral("a"));
        QCOMPARE(NotationOf(page.ShownEvents()).section(QLatin1Char(' '), 0, 0),
                 QStringLiteral("+A"));
        QCOMPARE(page.ShownEvents().size(), 3);
        QCOMPARE(macroFile(QStringLiteral("dev.ini")), QByteArray("2\n0x05 1 0\n"));
    }

    // A device name no macro file can have adds nothing, and says so.
    void takeOverRefused_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("up a folder") << QByteArray("../x");
        QTest::newRow("dot dot") << QByteArray("..");
        QTest::newRow("control character") << QByteArray("a\x01");
    }
    void takeOverRefused()
    {
        QFETCH(QByteArray, name);
        writeMacro(QStringLiteral("a.ini"), "1\n");
        Macro page;
        page.show();
        FlashDataMap record{};
        record.Macros[Slot].setName(name.constData(), size_t(name.size()));
        record.Macros[Slot].EventCount = 1;
        QSignalSpy added(PostMsg::GetInstance(), &PostMsg::SigAddMacroButton);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("not taken over"));
        emit PostMsg::GetInstance()->SigButtonToMacro(record, Slot);
        QCOMPARE(added.size(), 0);
        QCOMPARE(macroNames(page), QStringList{"a"});
        QCOMPARE(macroFiles(), QStringList{"a.ini"});
        QVERIFY(!QFile::exists(QDir(MacroFolder()).filePath(QStringLiteral("../x.ini"))));
    }
};

ZR35_TEST_MAIN(TestMacroExchange)
#include "tst_macroexchange.moc"
