#include "buttons/model/keyrecords.h"
#include "buttons/page/buttoninterface.h"
#include "core/devicelink.h"
#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "core/languageloader.h"
#include "core/postmsg.h"
#include "core/record/recordcodes.h"
#include "platform/appdir.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/buttons/page/pagewidgets.h"
#include "tests/buttons/simulatedmouse.h"
#include "tests/support/modaldriver.h"
#include "tests/support/screens.h"
#include "tests/support/testmain.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QToolButton>

namespace {

const QString Mouse = QStringLiteral("Mouse1");

constexpr auto &state = State;

QScrollBar *bar(const QWidget &page, const char *area)
{
    return child<QScrollArea>(page, area)->verticalScrollBar();
}

// The names of the checked buttons among `names`.
QStringList checkedOf(const QWidget &page, const QStringList &names)
{
    QStringList checked;
    for (const QString &name : names) {
        if (toolButton(page, qPrintable(name))->isChecked())
            checked << name;
    }
    return checked;
}

const QStringList Rows = {"FireKey", "RightKey", "BackKey", "StartPause", "TopMusic", "BackMusic",
                          "Button7", "Button8",  "Button9", "Button10",   "Button11", "Button12"};
const QStringList Categories = {"LeftKey_3", "RightKey_3", "MidKey", "BackKey_2", "ForWardKey",
                                "DPI_2",     "DPI_3",      "DPI_4",  "DPI_5",     "DPI_6",
                                "DPI_7",     "DPI_8",      "DPI_9",  "DPI_10",    "DPI_11",
                                "DPI_12",    "DPI_13"};

// The three bytes the mouse stores for slot `slot`.
QByteArray storedTriple(int slot)
{
    return SimulationControl::storedRecord(Mouse).mid(0x4A + 3 * slot, 3);
}

QByteArray triple(int category, int code, int param)
{
    return QByteArray() + char(category) + char(code) + char(param);
}

void sendMouse(QWidget *button, QEvent::Type type)
{
    QMouseEvent event(type, QPointF(5, 5), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(button, &event);
}

} // namespace

// The button page's options and row selectors as the user meets them: rows clicked, options
// picked, dialogs answered, against the simulated mouse.
class TestButtonOptions : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;
    QByteArray mousePath;

    bool selectMouse() { return SimulatedMouse::select(mousePath); }

    // Stores `function` (and `keys`) in slot `slot` of the mouse, then shows the record on the
    // page as a read of the mouse would.
    static void store(Buttoninterface &page, int slot, ButtonFunction function,
                      const KeyRecord *keys = nullptr)
    {
        if (keys)
            QVERIFY(WriteButtonKeyRecord(slot, &function, keys));
        else
            QVERIFY(WriteButtonFunction(slot, function.Category, function.Code, function.Param));
        page.SlotUpDataButtonUIB(state().CurrentFlashData.get());
        SimulationControl::clearLog();
    }

private slots:
    void initTestCase()
    {
        mousePath = SimulatedMouse::start(dir.filePath(QStringLiteral("devices")));
        ReloadLanguageFilesForTest(AppDir::filePath(QStringLiteral("Language")));
    }
    void cleanupTestCase() { DeviceLink::StopServer(); }

    void init() { SimulatedMouse::resetForTest(); }

    // A row opens the chooser on its button's stored function. The fourth and fifth rows hold
    // slots 4 and 3; browser back is the same scroll step on every row.
    void rowShowsItsStoredFunction_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QList<int>>("function");
        QTest::addColumn<int>("usage"); // a consumer key record; negative: the keyboard's
        QTest::addColumn<QString>("options");
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<int>("categoryStep");
        QTest::addColumn<int>("mediaStep");
        QTest::addColumn<int>("dpiStep");
        QTest::addColumn<int>("barWidth");
        // clang-format off
        QTest::newRow("a second left click") << "BackKey" << 2 << QList<int>{1, 1, 0} << 0 << "page_9"
            << QStringList{"LeftKey_3"} << 0 << -1 << 0 << 0;
        QTest::newRow("browser back, second row") << "RightKey" << 1 << QList<int>{5, 0, 0} << 0x224
            << "page_3" << QStringList{"DPI_12", "VolumeDown_10"} << 16 << 13 << -1 << 0;
        QTest::newRow("browser back, first row") << "FireKey" << 0 << QList<int>{5, 0, 0} << 0x224
            << "page_3" << QStringList{"DPI_12", "VolumeDown_10"} << 16 << 13 << -1 << 10;
        QTest::newRow("key combination") << "BackKey" << 2 << QList<int>{5, 0, 0} << -0x21
            << "page_9" << QStringList{"DPI_8"} << 8 << 0 << -1 << 0;
        QTest::newRow("fourth row is slot 4") << "StartPause" << 4 << QList<int>{11, 2, 0} << 0
            << "page_10" << QStringList{"DPI_13", "VolumeDown_14"} << 10 << -1 << 0 << 0;
        QTest::newRow("fifth row is slot 3") << "TopMusic" << 3 << QList<int>{2, 3, 0} << 0
            << "page_7" << QStringList{"DPI_7", "VolumeUp_10"} << 13 << -1 << 0 << 0;
        // A DPI lock's code is the sensor's; the table gives its DPI.
        QTest::newRow("DPI lock 1200") << "Button7" << 6 << QList<int>{10, 1200, 0} << 0
            << "page_8" << QStringList{"DPI_4", "VolumeUp_21"} << 15 << -1 << 11 << 10;
        QTest::newRow("lighting code 2") << "Button8" << 7 << QList<int>{8, 2, 0} << 0
            << "page_6" << QStringList{"DPI_9"} << 12 << -1 << 0 << 10;
        QTest::newRow("category 12") << "BackMusic" << 5 << QList<int>{12, 1, 0} << 0
            << "page_9" << QStringList{} << 0 << -1 << 0 << 0;
        // clang-format on
    }
    void rowShowsItsStoredFunction()
    {
        QFETCH(QString, row);
        QFETCH(int, slot);
        QFETCH(QList<int>, function);
        QFETCH(int, usage);
        QFETCH(QString, options);
        QFETCH(QStringList, checked);
        QFETCH(int, categoryStep);
        QFETCH(int, mediaStep);
        QFETCH(int, dpiStep);
        QFETCH(int, barWidth);

        Buttoninterface page;
        page.resize(page.sizeHint());
        page.show();
        QVERIFY(selectMouse());
        if (function[0] == FunctionCategory::DpiLock)
            function[1] = page.DpiToCode(function[1]);
        const ButtonFunction stored = {std::uint8_t(function[0]), std::uint8_t(function[1]),
                                       std::uint8_t(function[2])};
        KeyRecord keys =
            MakeConsumerKeyRecord(std::uint8_t(qAbs(usage) >> 8), std::uint8_t(qAbs(usage) & 0xFF));
        if (usage < 0)
            keys.Events[0].Kind = keys.Events[1].Kind = KeyEventKind::Keyboard;
        store(page, slot, stored, usage != 0 ? &keys : nullptr);
        // Scroll the lists away, so that a position left alone shows.
        for (const char *area : {"scrollArea_3", "scrollArea_4", "scrollArea_10"})
            bar(page, area)->setSliderPosition(1);

        toolButton(page, qPrintable(row))->click();

        QCOMPARE(currentPage(page, "stackedWidget"),
                 function[0] < 12 ? QStringLiteral("page_2") : QStringLiteral("page"));
        QCOMPARE(currentPage(page, "stackedWidget_2"), options);
        QStringList all = Categories;
        for (const char *option : {"VolumeDown_10", "VolumeDown_14", "VolumeUp_10", "VolumeUp_21"})
            all << QLatin1String(option);
        QCOMPARE(checkedOf(page, all), checked);
        QCOMPARE(bar(page, "scrollArea_11")->styleSheet(),
                 QStringLiteral("QScrollBar {width:%1px;}").arg(barWidth));
        // Each list ends where its steps put it, as far as the list reaches.
        auto at = [&](const char *area, int steps) {
            return steps < 0 ? 1 : qMin(15 * steps, bar(page, area)->maximum());
        };
        QCOMPARE(bar(page, "scrollArea_4")->sliderPosition(), at("scrollArea_4", categoryStep));
        QCOMPARE(bar(page, "scrollArea_3")->sliderPosition(), at("scrollArea_3", mediaStep));
        QCOMPARE(bar(page, "scrollArea_10")->sliderPosition(), at("scrollArea_10", dpiStep));
        // Showing writes nothing.
        QVERIFY(SimulationControl::receivedRecords().isEmpty());
    }

    // The last row with the left click cannot be reassigned: the notice shows, no row stays
    // selected and the chooser stays closed. A second left-click row, shown or not, lifts that.
    void lastLeftClickRowIsGuarded_data()
    {
        QTest::addColumn<QString>("second"); // another row labelled with the left click, or none
        QTest::addColumn<bool>("refused");
        QTest::newRow("the only one") << QString() << true;
        QTest::newRow("a second, shown") << "BackKey" << false;
        QTest::newRow("a second, hidden") << "Button9" << false;
    }
    void lastLeftClickRowIsGuarded()
    {
        QFETCH(QString, second);
        QFETCH(bool, refused);
        Buttoninterface page;
        page.show();
        QVERIFY(selectMouse());
        store(page, 0, {FunctionCategory::MouseButton, MouseButtonCode::Left, 0});
        store(page, 1, {FunctionCategory::MouseButton, MouseButtonCode::Right, 0});
        if (!second.isEmpty())
            toolButton(page, qPrintable(second))->setText(text(page, "LeftKey_3"));
        QVERIFY(!toolButton(page, "Button9")->isVisible());
        bar(page, "scrollArea_11")->setStyleSheet(QStringLiteral("QScrollBar {width:7px;}"));

        ModalDriver notice(ModalDriver::named(QStringLiteral("LeftButtonOnly")),
                           QStringLiteral("CloseButton"), refused ? 5000 : 300);
        toolButton(page, "FireKey")->click();
        QCOMPARE(notice.fired(), refused);
        QCOMPARE(checkedOf(page, Rows).isEmpty(), refused);
        QCOMPARE(currentPage(page, "stackedWidget"),
                 refused ? QStringLiteral("page") : QStringLiteral("page_2"));
        QCOMPARE(currentPage(page, "stackedWidget_2"), QStringLiteral("page_9"));
        QCOMPARE(bar(page, "scrollArea_11")->styleSheet(),
                 refused ? QStringLiteral("QScrollBar {width:7px;}")
                         : QStringLiteral("QScrollBar {width:10px;}"));
    }

    // A row clicked, a category opened, an option picked: the mouse stores the function, the row
    // shows the option and the chooser closes.
    void pickedOptionIsStored_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("category"); // opens the option's page, or none
        QTest::addColumn<QString>("option");
        QTest::addColumn<QByteArray>("function");
        QTest::addColumn<QString>("label"); // empty: the option's text
        QTest::newRow("middle click on the fourth row")
            << "StartPause" << 4 << QString() << "MidKey" << triple(1, 4, 0) << QString();
        QTest::newRow("wheel up on the fifth row")
            << "TopMusic" << 3 << "DPI_13"
            << "VolumeUp_14" << triple(11, 1, 0) << QString();
        // The code of 300 DPI is the sensor's (filled in below).
        QTest::newRow("DPI lock 300") << "RightKey" << 1 << "DPI_4"
                                      << "VolumeUp_13" << triple(10, 0, 0) << "-300";
        QTest::newRow("volume down") << "BackKey" << 2 << "DPI_12"
                                     << "VolumeDown_4" << triple(5, 0, 0) << QString();
    }
    void pickedOptionIsStored()
    {
        QFETCH(QString, row);
        QFETCH(int, slot);
        QFETCH(QString, category);
        QFETCH(QString, option);
        QFETCH(QByteArray, function);
        QFETCH(QString, label);
        Buttoninterface page;
        page.show();
        QVERIFY(selectMouse());
        page.SlotUpDataButtonUIB(state().CurrentFlashData.get());

        toolButton(page, qPrintable(row))->click();
        if (!category.isEmpty())
            toolButton(page, qPrintable(category))->click();
        toolButton(page, qPrintable(option))->click();

        if (function.at(0) == char(FunctionCategory::DpiLock))
            function[1] = char(page.DpiToCode(300));
        QCOMPARE(storedTriple(slot), function);
        QCOMPARE(SimulationControl::receivedRecords().size(), 1);
        QCOMPARE(text(page, qPrintable(row)),
                 label.isEmpty() ? text(page, qPrintable(option)) : text(page, "DPI_4") + label);
        QCOMPARE(page.Model().ButtonCategories.at(slot), int(function.at(0)));
        QCOMPARE(currentPage(page, "stackedWidget"), QStringLiteral("page"));
        QCOMPARE(currentPage(page, "stackedWidget_2"), QStringLiteral("page_9"));
        QCOMPARE(bar(page, "scrollArea_11")->styleSheet(),
                 QStringLiteral("QScrollBar {width:10px;}"));
    }

    void uncheckingClickChangesNothing()
    {
        Buttoninterface page;
        QVERIFY(selectMouse());
        page.SlotUpDataButtonUIB(state().CurrentFlashData.get());
        toolButton(page, "BackKey")->click();
        const QString label = text(page, "BackKey");
        QVERIFY(QMetaObject::invokeMethod(&page, "on_MidKey_clicked", Q_ARG(bool, false)));
        QVERIFY(QMetaObject::invokeMethod(&page, "on_Player_clicked", Q_ARG(bool, false)));
        QVERIFY(SimulationControl::receivedRecords().isEmpty());
        QCOMPARE(text(page, "BackKey"), label);
        QCOMPARE(currentPage(page, "stackedWidget"), QStringLiteral("page_2"));
    }

    // Asleep: one offline notice, the row and the mirror as they were, the chooser closed.
    void offlineMouseKeepsTheRow()
    {
        Buttoninterface page;
        QVERIFY(selectMouse());
        page.SlotUpDataButtonUIB(state().CurrentFlashData.get());
        toolButton(page, "RightKey")->click();
        toolButton(page, "DPI_12")->click();
        const QString label = text(page, "RightKey");
        const int category = page.Model().ButtonCategories.at(1);
        const QByteArray before = SimulationControl::storedRecord(Mouse);
        QVERIFY(SimulationControl::setOnline(Mouse, false));
        QSignalSpy offline(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo);
        toolButton(page, "Mute")->click();
        QCOMPARE(offline.size(), 1);
        QCOMPARE(offline.at(0).at(0).toInt(), 0);
        QCOMPARE(text(page, "RightKey"), label);
        QCOMPARE(page.Model().ButtonCategories.at(1), category);
        QCOMPARE(SimulationControl::storedRecord(Mouse), before);
        QCOMPARE(currentPage(page, "stackedWidget"), QStringLiteral("page"));
    }

    // A double click writes the fire key with the values last accepted (the dialog's own before
    // any) and then opens the dialog; cancelled, it changes nothing more.
    void fireKeyDoubleClickWritesFirst()
    {
        Buttoninterface page;
        QVERIFY(selectMouse());
        page.SlotUpDataButtonUIB(state().CurrentFlashData.get());
        toolButton(page, "BackKey")->click();
        ModalDriver cancel(ModalDriver::named(QStringLiteral("FireKey")),
                           QStringLiteral("NewHong_2"));
        sendMouse(toolButton(page, "DPI_6"), QEvent::MouseButtonDblClick);
        QVERIFY2(cancel.fired(), qPrintable(cancel.failure()));
        QCOMPARE(storedTriple(2), triple(4, 10, 3));
        QCOMPARE(SimulationControl::receivedRecords().size(), 1);
    }

    // The dialog starts from the row's stored fire key, or from 10 and 3 for a row showing
    // anything else; accepted, its values are written; cancelled, the chooser stays open.
    void fireKeyDialogPresetsAndWrites_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<int>("slot");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<int>("presetInterval");
        QTest::addColumn<int>("presetCount");
        QTest::newRow("fire-key row, accepted") << "TopMusic" << 3 << true << 40 << 2;
        QTest::newRow("other row, accepted") << "RightKey" << 1 << true << 10 << 3;
        QTest::newRow("fire-key row, cancelled") << "TopMusic" << 3 << false << 40 << 2;
    }
    void fireKeyDialogPresetsAndWrites()
    {
        QFETCH(QString, row);
        QFETCH(int, slot);
        QFETCH(bool, accept);
        QFETCH(int, presetInterval);
        QFETCH(int, presetCount);
        Buttoninterface page;
        QVERIFY(selectMouse());
        store(page, 3, {FunctionCategory::FireKey, 40, 2});
        QCOMPARE(text(page, "TopMusic"), text(page, "DPI_6"));
        toolButton(page, qPrintable(row))->click();
        const QByteArray before = storedTriple(slot);

        int interval = -1;
        int count = -1;
        ModalDriver dialog(
            [&](QWidget *modal) {
                if (!modal->inherits("FireKey"))
                    return false;
                interval = modal->findChild<QSpinBox *>(QStringLiteral("Time"))->value();
                count = modal->findChild<QSpinBox *>(QStringLiteral("Count"))->value();
                modal->findChild<QSpinBox *>(QStringLiteral("Time"))->setValue(100);
                modal->findChild<QSpinBox *>(QStringLiteral("Count"))->setValue(1);
                return true;
            },
            accept ? QStringLiteral("NewHong") : QStringLiteral("NewHong_2"));
        sendMouse(toolButton(page, "DPI_6"), QEvent::MouseButtonPress);
        QVERIFY2(dialog.fired(), qPrintable(dialog.failure()));
        QCOMPARE(interval, presetInterval);
        QCOMPARE(count, presetCount);
        QCOMPARE(storedTriple(slot), accept ? triple(4, 100, 1) : before);
        QCOMPARE(currentPage(page, "stackedWidget"),
                 accept ? QStringLiteral("page") : QStringLiteral("page_2"));
        QVERIFY(toolButton(page, "DPI_6")->isChecked());
    }

    // An accepted combination is written to the selected row, which shows its text; the category
    // list stays open. With no row selected nothing is written, and OK on an empty dialog is a
    // cancel: no dead key is written and the row keeps its label.
    void keyCombinationFromTheDialog_data()
    {
        QTest::addColumn<bool>("rowSelected");
        QTest::addColumn<bool>("typed");
        QTest::newRow("row selected") << true << true;
        QTest::newRow("no row") << false << true;
        QTest::newRow("nothing typed") << true << false;
    }
    void keyCombinationFromTheDialog()
    {
        QFETCH(bool, rowSelected);
        QFETCH(bool, typed);
        Buttoninterface page;
        page.show();
        QVERIFY(selectMouse());
        page.SlotUpDataButtonUIB(state().CurrentFlashData.get());
        const QString label = text(page, "StartPause");
        if (rowSelected)
            toolButton(page, "StartPause")->click();
        ModalDriver dialog(
            [typed](QWidget *modal) {
                if (!modal->inherits("GroupKey"))
                    return false;
                if (!typed)
                    return true;
                modal->findChild<QCheckBox *>(QStringLiteral("Ctrl"))->setChecked(true);
                modal->findChild<QLineEdit *>(QStringLiteral("lineEdit"))
                    ->setText(QStringLiteral("A"));
                return true;
            },
            QStringLiteral("NewHong"));
        sendMouse(toolButton(page, "DPI_8"), QEvent::MouseButtonPress);
        QVERIFY2(dialog.fired(), qPrintable(dialog.failure()));
        QCOMPARE(SimulationControl::receivedRecords().size(), rowSelected && typed ? 1 : 0);
        if (!typed)
            QCOMPARE(text(page, "StartPause"), label);
        if (rowSelected && typed) {
            QCOMPARE(storedTriple(4), triple(5, 0, 0));
            QCOMPARE(text(page, "StartPause"), QStringLiteral("Ctrl+A"));
        }
        QCOMPARE(currentPage(page, "stackedWidget"), QStringLiteral("page_2"));
        QCOMPARE(currentPage(page, "stackedWidget_2"), QStringLiteral("page_9"));
    }

    void macroCategoryWithoutMacrosAsksForOne()
    {
        Buttoninterface page;
        ModalDriver notice(ModalDriver::named(QStringLiteral("MakeMacro")),
                           QStringLiteral("NewHong"));
        toolButton(page, "DPI_10")->click();
        QVERIFY2(notice.fired(), qPrintable(notice.failure()));
        QCOMPARE(currentPage(page, "stackedWidget_2"), QStringLiteral("page_9"));
    }

    // The chooser open on a stored multimedia key, in both languages.
    void chooserScreens()
    {
        for (int language : {0, 1}) {
            Buttoninterface page;
            page.SlotAllLanguage(language);
            page.show();
            QVERIFY(selectMouse());
            const KeyRecord keys = MakeConsumerKeyRecord(0x02, 0x27);
            store(page, 1, {FunctionCategory::KeySequence, 0, 0}, &keys);
            store(page, 0, {FunctionCategory::DpiLock, 15, 0});
            toolButton(page, "RightKey")->click();
            ZR35_SAVE_SCREEN(&page, QStringLiteral("buttonoptions-multimedia-%1").arg(language));
            toolButton(page, "FireKey")->click();
            ZR35_SAVE_SCREEN(&page, QStringLiteral("buttonoptions-dpilock-%1").arg(language));
        }
    }
};

ZR35_TEST_MAIN(TestButtonOptions)
#include "tst_buttonoptions.moc"
