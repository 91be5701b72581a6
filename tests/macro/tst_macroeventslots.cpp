#include "core/devicestate.h"
#include "core/postmsg.h"
#include "macro/eventitem.h"
#include "macro/macro.h"
#include "macro/model/macroname.h"
#include "platform/desktop/filedialogs.h"
#include "platform/desktop/keyhook.h"
#include "tests/macro/macrobench.h"
#include "tests/support/modaldriver.h"
#include "tests/support/testmain.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSpinBox>
#include <QToolButton>

namespace {

constexpr int VkB = 0x42;
constexpr int VkLCtrl = 0xA2;

void setLanguage(int language)
{
    DeviceState::instance()->CurrentLanguage = language;
    emit PostMsg::GetInstance()->SigAllLanguage(language);
}

QListWidget *eventList(Macro &page)
{
    return child<QListWidget>(&page, "listWidgetKey");
}

// Fills the shown event list: "+A" a press, "-A" a release, "25ms" a delay.
void fill(Macro &page, const QStringList &rows, int current)
{
    QListWidget *list = eventList(page);
    list->clear();
    for (const QString &row : rows) {
        if (row.endsWith(QLatin1String("ms")))
            list->addItem(EventItem::Delay(row.chopped(2).toDouble()));
        else
            list->addItem(EventItem::Key(row.mid(1), row.startsWith(QLatin1Char('+'))));
    }
    list->setCurrentRow(current);
}

QStringList keyItems(int count)
{
    QStringList rows;
    for (int i = 0; i < count; ++i)
        rows << QStringLiteral("+A") << QStringLiteral("1ms");
    return rows;
}

bool saveActive(Macro &page)
{
    return child<QToolButton>(&page, "Save")->isEnabled();
}

// Opens the macro list's context menu at `position` as a right click does, reads its actions and
// picks the one at `choose` (none for -1).
QStringList runMenu(Macro &page, const QPoint &position, int choose)
{
    QStringList texts;
    QTimer::singleShot(0, &page, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *action : menu->actions())
            texts << action->text();
        if (choose < 0) {
            menu->close();
            return;
        }
        menu->setActiveAction(menu->actions().at(choose));
        QTest::keyClick(menu, Qt::Key_Return);
    });
    emit child<QListWidget>(&page, "listWidgetHong")->customContextMenuRequested(position);
    return texts;
}

} // namespace

// Editing the events by hand, the macro list's menu and the page's own mouse and key handling.
class TestMacroEventSlots : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { FillMacroTexts(); }
    void init()
    {
        DeviceState::instance()->MacroRecording = 0;
        setLanguage(0);
        clearMacroFolder();
        writeMacro(QStringLiteral("m.ini"), "1\n");
    }

    void insertKey_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("events");
        QTest::newRow("press") << 1 << "NewHong"
                               << "+A 10ms -A +B 10ms";
        QTest::newRow("release") << 2 << "NewHong"
                                 << "+A 10ms -A -B 10ms";
        QTest::newRow("cancelled") << 1 << "NewHong_2"
                                   << "+A 10ms -A";
        QTest::newRow("closed") << 2 << "CloseButton"
                                << "+A 10ms -A";
    }
    void insertKey()
    {
        QFETCH(int, choice);
        QFETCH(QString, button);
        QFETCH(QString, events);
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("m"));
        fill(page, {"+A", "10ms", "-A"}, -1);
        ModalAction user(QStringLiteral("addKey"), [&](QWidget *dialog) {
            typeKey(VkB);
            dialog->findChild<QToolButton *>(button)->click();
        });
        emit child<QComboBox>(&page, "ChooseEvent")->activated(choice);
        QVERIFY(user.done());
        QCOMPARE(::events(page), events);
        QCOMPARE(saveActive(page), button == QLatin1String("NewHong"));
    }

    // The key confirmed before any key was typed is the key of the empty name.
    void insertEmptyKey()
    {
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("m"));
        ModalDriver ok(ModalDriver::named(QStringLiteral("addKey")), QStringLiteral("NewHong"));
        emit child<QComboBox>(&page, "ChooseEvent")->activated(1);
        QVERIFY(ok.fired());
        QCOMPARE(eventData(page), QStringLiteral("+[0x00/1] 10ms[10]"));
    }

    void insertDelay_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("events");
        QTest::newRow("on a delay") << 1 << "+A 250ms -A";
        QTest::newRow("no event selected") << -1 << "+A 10ms -A";
    }
    void insertDelay()
    {
        QFETCH(int, current);
        QFETCH(QString, events);
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("m"));
        fill(page, {"+A", "10ms", "-A"}, current);
        ModalAction user(QStringLiteral("AddDelayTime"), [](QWidget *dialog) {
            child<QSpinBox>(dialog, "spinBox")->setValue(250);
            child<QToolButton>(dialog, "NewHong")->click();
        });
        emit child<QComboBox>(&page, "ChooseEvent")->activated(3);
        QVERIFY(user.done());
        QCOMPARE(::events(page), events);
    }

    void insertClick_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("entry");
        QTest::newRow("left") << 4 << "0x01" << 4;
        QTest::newRow("right") << 5 << "0x02" << 5;
        QTest::newRow("middle") << 6 << "0x04" << 6;
        QTest::newRow("forward") << 7 << "0x10" << 7;
        QTest::newRow("back") << 8 << "0x08" << 8;
    }
    void insertClick()
    {
        QFETCH(int, choice);
        QFETCH(QString, code);
        QFETCH(int, entry);
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("m"));
        emit child<QComboBox>(&page, "ChooseEvent")->activated(choice);
        const QString name = fixtureText(0, QStringLiteral("Buttoninterface"), entry);
        QCOMPARE(eventData(page), QStringLiteral("+%1[%2/4] 10ms[10] -%1[%2/4]").arg(name, code));
        QVERIFY(saveActive(page));
    }

    // Without a selected macro the dialogs still ask, and nothing is inserted.
    void insertWithoutAMacro()
    {
        Macro page;
        page.show();
        ModalAction key(QStringLiteral("addKey"), [](QWidget *dialog) {
            typeKey(VkB);
            child<QToolButton>(dialog, "NewHong")->click();
        });
        emit child<QComboBox>(&page, "ChooseEvent")->activated(1);
        QVERIFY(key.done());
        emit child<QComboBox>(&page, "ChooseEvent")->activated(4);
        QCOMPARE(eventList(page)->count(), 0);
        QVERIFY(!saveActive(page));
    }

    // A device record holds 70 key events: an insertion past them is refused with the notice.
    void seventyKeyItems_data()
    {
        QTest::addColumn<int>("keys");
        QTest::addColumn<int>("choice");
        QTest::addColumn<bool>("inserted");
        QTest::newRow("69 and a key") << 69 << 1 << true;
        QTest::newRow("70 and a key") << 70 << 1 << false;
        QTest::newRow("68 and a click") << 68 << 4 << true;
        QTest::newRow("69 and a click") << 69 << 4 << false;
    }
    void seventyKeyItems()
    {
        QFETCH(int, keys);
        QFETCH(int, choice);
        QFETCH(bool, inserted);
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("m"));
        fill(page, keyItems(keys), -1);
        const int before = eventList(page)->count();
        ModalDriver notice(ModalDriver::named(QStringLiteral("KeyNumberLimit")),
                           QStringLiteral("NewHong"), inserted ? 300 : 5000);
        ModalDriver key(ModalDriver::named(QStringLiteral("addKey")), QStringLiteral("NewHong"),
                        inserted ? 5000 : 300);
        emit child<QComboBox>(&page, "ChooseEvent")->activated(choice);
        QCOMPARE(notice.fired(), !inserted);
        QCOMPARE(key.fired(), inserted && choice == 1);
        QCOMPARE(eventList(page)->count() > before, inserted);
    }

    void amend_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("events");
        QTest::newRow("a press") << 0 << "+LCtrl[0x01/0] 10ms[10] -A[0x04/1]";
        QTest::newRow("a release") << 2 << "+A[0x04/1] 10ms[10] -LCtrl[0x01/0]";
        QTest::newRow("a delay") << 1 << "+A[0x04/1] 777ms[777] -A[0x04/1]";
    }
    void amend()
    {
        QFETCH(int, current);
        QFETCH(QString, events);
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("m"));
        fill(page, {"+A", "10ms", "-A"}, current);
        ModalAction key(QStringLiteral("addKey"), [](QWidget *dialog) {
            typeKey(VkLCtrl);
            child<QToolButton>(dialog, "NewHong")->click();
        });
        ModalAction delay(QStringLiteral("AddDelayTime"), [](QWidget *dialog) {
            child<QSpinBox>(dialog, "spinBox")->setValue(777);
            child<QToolButton>(dialog, "NewHong")->click();
        });
        child<QToolButton>(&page, "Amend")->click();
        QCOMPARE(eventData(page), events);
        QVERIFY(saveActive(page));
        // Saved from what the items carry.
        child<QToolButton>(&page, "Save")->click();
        clickMacro(page, QStringLiteral("m"));
        QCOMPARE(eventData(page), events);
    }

    void amendCancelled()
    {
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("m"));
        fill(page, {"+A", "10ms", "-A"}, 0);
        ModalDriver cancel(ModalDriver::named(QStringLiteral("addKey")),
                           QStringLiteral("NewHong_2"));
        child<QToolButton>(&page, "Amend")->click();
        QVERIFY(cancel.fired());
        QCOMPARE(::events(page), QStringLiteral("+A 10ms -A"));
        QVERIFY(!saveActive(page));
    }

    void deleteEvent_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("events");
        const QStringList five{"+A", "10ms", "-A", "10ms", "+B"};
        QTest::newRow("a delay: it and the key before") << five << 1 << "-A 10ms +B";
        QTest::newRow("the first key: it and its delay") << five << 0 << "-A 10ms +B";
        QTest::newRow("a key inside: it and its delay") << five << 2 << "+A 10ms +B";
        QTest::newRow("the last: it and the one before") << five << 4 << "+A 10ms -A";
        QTest::newRow("a delay first") << QStringList{"5ms", "+A", "10ms", "-A"} << 0 << "10ms -A";
        QTest::newRow("nothing selected") << five << -1 << "+A 10ms -A 10ms +B";
        QTest::newRow("three items, none selected") << QStringList{"+A", "10ms", "-A"} << -1 << "";
    }
    void deleteEvent()
    {
        QFETCH(QStringList, rows);
        QFETCH(int, current);
        QFETCH(QString, events);
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("m"));
        fill(page, rows, current);
        child<QToolButton>(&page, "DeleteKey")->click();
        QCOMPARE(::events(page), events);
        QCOMPARE(saveActive(page), current >= 0 || rows.size() <= 3);
    }

    void fixedDelayLimit_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("value");
        QTest::newRow("65534") << "65534" << 65534;
        QTest::newRow("65535") << "65535" << 65535;
        QTest::newRow("70000") << "70000" << 65535;
        QTest::newRow("99999") << "99999" << 65535;
    }
    void fixedDelayLimit()
    {
        QFETCH(QString, typed);
        QFETCH(int, value);
        Macro page;
        page.show();
        auto *box = child<QSpinBox>(&page, "DelayTime");
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, typed);
        QCOMPARE(box->value(), value);
    }

    void menuOverAMacro()
    {
        writeMacro(QStringLiteral("n.ini"), "1\n0x05 1 0\n");
        Macro page;
        page.show();
        auto *list = child<QListWidget>(&page, "listWidgetHong");
        const QPoint onN = list->visualItemRect(list->item(1)).center();
        // The press of the right button makes the macro under it current and shows it.
        QTest::mousePress(list->viewport(), Qt::RightButton, Qt::NoModifier, onN);
        QTest::mouseRelease(list->viewport(), Qt::RightButton, Qt::NoModifier, onN);
        QCOMPARE(::events(page), QStringLiteral("+B"));
        const QStringList texts = runMenu(page, onN, -1);
        QCOMPARE(texts, (QStringList{fixtureText(0, "Macro", 20), fixtureText(0, "Macro", 21),
                                     fixtureText(0, "Macro", 22)}));

        // Export.
        const QString exported = QDir::home().filePath(QStringLiteral("n-export.ini"));
        FileDialogs::setHandler([&](const FileDialogs::Request &) { return exported; });
        runMenu(page, onN, 0);
        FileDialogs::setHandler({});
        QVERIFY(QFile::exists(exported));
        // Rename.
        ModalAction name(QStringLiteral("QuestionDialog"), [](QWidget *dialog) {
            child<QLineEdit>(dialog, "lineEdit")->setText(QStringLiteral("renamed"));
            child<QToolButton>(dialog, "NewHong")->click();
        });
        runMenu(page, onN, 1);
        QVERIFY(name.done());
        QCOMPARE(macroNames(page), (QStringList{"m", "renamed"}));
        // Delete.
        ModalDriver confirm(ModalDriver::named(QStringLiteral("DeleteConfirm")),
                            QStringLiteral("NewHong"));
        runMenu(page, onN, 2);
        QVERIFY(confirm.fired());
        QCOMPARE(macroNames(page), QStringList{"m"});
        QCOMPARE(macroFiles(), QStringList{"m.ini"});
    }

    void menuOverEmptySpace()
    {
        Macro page;
        page.show();
        const QPoint empty(20, 300);
        QCOMPARE(runMenu(page, empty, -1),
                 (QStringList{fixtureText(0, "Macro", 23), fixtureText(0, "Macro", 24)}));
        // New.
        ModalAction name(QStringLiteral("QuestionDialog"), [](QWidget *dialog) {
            child<QLineEdit>(dialog, "lineEdit")->setText(QStringLiteral("fresh"));
            child<QToolButton>(dialog, "NewHong")->click();
        });
        runMenu(page, empty, 0);
        QVERIFY(name.done());
        QCOMPARE(macroNames(page), (QStringList{"m", "fresh"}));
        // Import, of what the export of "m" under another name gives.
        writeMacro(QStringLiteral("m.ini"), "4\n0x06 1 0\n");
        clickMacro(page, QStringLiteral("m"));
        const QString exported = QDir::home().filePath(QStringLiteral("m-export.ini"));
        FileDialogs::setHandler([&](const FileDialogs::Request &) { return exported; });
        QMetaObject::invokeMethod(&page, "ExPortMacro");
        QVERIFY(QFile::remove(MacroFolder() + QStringLiteral("/m.ini")));
        delete child<QListWidget>(&page, "listWidgetHong")->takeItem(0);
        runMenu(page, empty, 1);
        FileDialogs::setHandler({});
        QCOMPARE(macroNames(page), (QStringList{"fresh", "m"}));
        QCOMPARE(macroFile(QStringLiteral("m.ini")), QByteArray("4\n0x06 1 0\n"));
    }

    void escapeAndF12DoNothing()
    {
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("m"));
        fill(page, {"+A", "10ms", "-A"}, 1);
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_F12})
            QTest::keyClick(&page, key);
        QCOMPARE(::events(page), QStringLiteral("+A 10ms -A"));
        QVERIFY(page.isVisible());
    }

    // A click beside the number boxes ends their editing; a click on one leaves it.
    void clickBesideTheNumberBoxes()
    {
        Macro page;
        page.show();
        page.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&page));
        auto *count = child<QSpinBox>(&page, "NumberEdit");
        count->setFocus();
        QVERIFY(count->hasFocus());
        QTest::mouseClick(&page, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        QVERIFY(!count->hasFocus());
        QVERIFY(page.hasFocus());
    }
};

ZR35_TEST_MAIN(TestMacroEventSlots)
#include "tst_macroeventslots.moc"
