#include "buttons/model/keyrecords.h"
#include "buttons/page/buttoninterface.h"
#include "buttons/page/ui_buttoninterface.h"
#include "core/configini.h"
#include "core/devicelink.h"
#include "core/devicestate.h"
#include "core/languageloader.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "macro/macro.h"
#include "macro/model/macroname.h"
#include "platform/appdir.h"
#include "platform/devicelib/simulationcontrol.h"
#include "shell/widgets/elidingtoolbutton.h"
#include "tests/buttons/page/pagewidgets.h"
#include "tests/buttons/simulatedmouse.h"
#include "tests/support/picturecheck.h"
#include "tests/support/screens.h"
#include "tests/support/testmain.h"
#include "tests/support/workerthread.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPointer>
#include <QProxyStyle>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QToolButton>
#include <QToolTip>

namespace {

const QString Mouse = QStringLiteral("Mouse1");

constexpr auto &state = State;

// A record naming a function of every category, slots 0 to 11 in category order.
FlashDataMap everyCategory(FlashDataMap record)
{
    for (int slot = 0; slot < 16; ++slot)
        record.ButtonFunctions[slot] = {FunctionCategory::Disabled, 0, 0};
    record.ButtonFunctions[1] = {FunctionCategory::MouseButton, MouseButtonCode::Right, 0};
    record.ButtonFunctions[2] = {FunctionCategory::DpiControl, DpiControlCode::Up, 0};
    // Slot 3 is the fifth row, slot 4 the fourth.
    record.ButtonFunctions[3] = {FunctionCategory::HorizontalWheel, HorizontalWheelCode::Left, 0};
    record.ButtonFunctions[4] = {FunctionCategory::FireKey, 40, 2};
    record.ButtonFunctions[5] = {FunctionCategory::KeySequence, 0, 0};
    record.KeyRecords[5] = MakeConsumerKeyRecord(0x01, 0x83);
    record.ButtonFunctions[6] = {FunctionCategory::Macro, 5, 3};
    record.Macros[6] = MacroRecord{};
    record.Macros[6].setName("Fast", 4);
    record.Macros[6].EventCount = 2;
    for (int i = 0; i < 2; ++i) {
        KeyEvent &event = record.Macros[6].Events[i];
        event.Action = std::uint8_t(i);
        event.Kind = KeyEventKind::Keyboard;
        event.setCode(0x04);
        event.setDelay(25);
    }
    record.ButtonFunctions[7] = {FunctionCategory::ReportRateSwitch, 0, 0};
    record.ButtonFunctions[8] = {FunctionCategory::Lighting, LightingToggleCode::LightStrip, 0};
    record.ButtonFunctions[9] = {FunctionCategory::ProfileSwitch, 0, 0};
    record.ButtonFunctions[10] = {FunctionCategory::DpiLock, 15, 0};
    record.ButtonFunctions[11] = {FunctionCategory::VerticalWheel, VerticalWheelCode::Down, 0};
    // Slot 0 (the first row) holds a key combination: three presses stored, then the releases.
    record.ButtonFunctions[0] = {FunctionCategory::KeySequence, 0, 0};
    record.KeyRecords[0] = ParseKeyCombination(QStringLiteral("Ctrl+Alt+Del"));
    return record;
}

// The model file with Drive1's KeyNumber replaced, read into the program's one store.
void useKeyNumber(const QTemporaryDir &dir, int keyNumber)
{
    QFile shipped(AppDir::filePath(QStringLiteral("usersetting/Config.ini")));
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    QByteArray text = shipped.readAll();
    const int at = text.indexOf("KeyNumber=12");
    QVERIFY(at > 0);
    text.replace(at, 12, "KeyNumber=" + QByteArray::number(keyNumber));
    const QString path = dir.filePath(QStringLiteral("Config.ini"));
    QFile fixture(path);
    QVERIFY(fixture.open(QIODevice::WriteOnly | QIODevice::Truncate));
    fixture.write(text);
    fixture.close();
    ConfigIni::resetForTests(path);
}

void press(QWidget &page, const QPoint &at, Qt::MouseButton button = Qt::LeftButton)
{
    QMouseEvent event(QEvent::MouseButtonPress, at, page.mapToGlobal(at), button, button,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&page, &event);
}

// As long a name as the macro-name dialog takes.
const QString LongMacroName = QStringLiteral("Quick reload and melee combo 1");

// Saved macros of these names, each with its repeat line only.
void saveMacros(const QStringList &names)
{
    QVERIFY(QDir().mkpath(MacroFolder()));
    for (const QString &name : names) {
        QFile file(QDir(MacroFolder()).filePath(name + QStringLiteral(".ini")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("1\n");
    }
}

// The tip shown once the pointer rests on `widget`, empty when none shows.
QString tipOf(QWidget *widget)
{
    const QPoint centre = widget->rect().center();
    QHelpEvent rest(QEvent::ToolTip, centre, widget->mapToGlobal(centre));
    QCoreApplication::sendEvent(widget, &rest);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

// A widget with the page's stack slots, to see which of the form's own steps reach them.
class StackProbe : public QWidget
{
    Q_OBJECT
public:
    int changes = 0;
private slots:
    void on_stackedWidget_currentChanged(int) { ++changes; }
    void on_stackedWidget_2_currentChanged(int) { ++changes; }
};

// Holds back every polish while it lives, as the main window does for its hidden device page
// while it is built, and delivers the held polishes in order on release().
class HeldPolish : public QObject
{
public:
    HeldPolish() { qApp->installEventFilter(this); }
    ~HeldPolish() override { qApp->removeEventFilter(this); }
    void release()
    {
        qApp->removeEventFilter(this);
        for (const QPointer<QObject> &target : qAsConst(held)) {
            QEvent polish(QEvent::Polish);
            if (target)
                QCoreApplication::sendEvent(target, &polish);
        }
        held.clear();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Polish)
            return false;
        held.append(watched);
        return true;
    }

private:
    QList<QPointer<QObject>> held;
};

// The application's style, noting the widgets it styles (a style sheet's style passes every
// widget it styles on to it); the former style comes back when it goes.
class CountingStyle : public QProxyStyle
{
public:
    explicit CountingStyle(const QString &base) : QProxyStyle(QStyleFactory::create(base)) {}
    using QProxyStyle::polish;
    void polish(QWidget *widget) override
    {
        styled.append(widget);
        QProxyStyle::polish(widget);
    }
    QList<QPointer<QWidget>> styled;
};

class AppStyle
{
public:
    AppStyle() : former(qApp->style()->objectName()), counting(new CountingStyle(former))
    {
        QApplication::setStyle(counting);
    }
    ~AppStyle() { QApplication::setStyle(QStyleFactory::create(former)); }
    const QString former;
    CountingStyle *const counting;
};

} // namespace

// The button page as the user meets it: its form, the rows filled from the simulated mouse's
// record, its texts and its navigation.
class TestButtonPage : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;
    QByteArray mousePath;

    bool selectMouse() { return SimulatedMouse::select(mousePath); }

    static bool fillFromDevice(const FlashDataMap &record)
    {
        return runOnWorkerThread(
            [record] { emit PostMsg::GetInstance()->SigUpDataLightUIButton(record); });
    }

private slots:
    void initTestCase()
    {
        mousePath = SimulatedMouse::start(dir.filePath(QStringLiteral("devices")));
        ReloadLanguageFilesForTest(AppDir::filePath(QStringLiteral("Language")));
    }
    void cleanupTestCase() { DeviceLink::StopServer(); }

    void init()
    {
        SimulatedMouse::resetForTest();
        // No cache of an earlier run: without the mouse, a language change keeps the factory texts
        // unless the test writes a cache itself.
        state().DeviceCacheName.set(QStringLiteral("no-such-cache"));
        QDir(MacroFolder()).removeRecursively();
    }

    void formConnectsAfterItsFirstPages()
    {
        StackProbe probe;
        Ui_Buttoninterface form;
        form.setupUi(&probe);
        QCOMPARE(form.stackedWidget->currentIndex(), 1);
        QCOMPARE(form.stackedWidget_2->currentIndex(), int(Ui_Buttoninterface::DebouncePage));
        QCOMPARE(probe.changes, 0);
        form.stackedWidget->setCurrentIndex(0);
        QCOMPARE(probe.changes, 1);
        QCOMPARE(form.stackedWidget_2->widget(3), form.page_8);
        QCOMPARE(form.stackedWidget_2->widget(7), form.page_10);
        QVERIFY(form.FireKey->isCheckable());
        QVERIFY(!form.Number1->isCheckable());
    }

    void constructionShowsFiveRows()
    {
        Buttoninterface page;
        page.show();
        const char *rows[] = {"FireKey",  "RightKey",  "BackKey",  "StartPause",
                              "TopMusic", "BackMusic", "Button7",  "Button8",
                              "Button9",  "Button10",  "Button11", "Button12"};
        for (int i = 0; i < 12; ++i) {
            QCOMPARE(toolButton(page, rows[i])->isVisible(), i < 5);
            QCOMPARE(
                toolButton(page, qPrintable(QStringLiteral("Number%1").arg(i + 1)))->isVisible(),
                i < 5);
        }
        QVERIFY(!toolButton(page, "DPI_3")->isVisibleTo(&page));
        QVERIFY(!toolButton(page, "DPI_9")->isVisibleTo(&page));
        QCOMPARE(child<QStackedWidget>(page, "stackedWidget")->currentIndex(), 0);
        const QList<QButtonGroup *> groups = page.findChildren<QButtonGroup *>();
        QCOMPARE(groups.size(), 4);
        for (QButtonGroup *group : groups)
            QVERIFY(group->exclusive());
        // Not the first row: it is the only one with the left click, which the page guards.
        toolButton(page, "BackKey")->click();
        toolButton(page, "RightKey")->click();
        QVERIFY(!toolButton(page, "BackKey")->isChecked());
        QVERIFY(page.Model().ButtonCategories.isEmpty());
        QCOMPARE(missingPictures(&page), QStringList());
    }

    void deviceRecordLabelsEveryCategory()
    {
        Macro macroPage;
        Buttoninterface page;
        page.SlotAllLanguage(0);
        QVERIFY(selectMouse());
        state().WriteEnabled = 1;
        FlashDataMap record = everyCategory(state().CurrentFlashData.get());
        record.DebounceTime = 11;
        record.SleepTime = 6;
        QDir(MacroFolder()).removeRecursively();
        QSignalSpy sleep(PostMsg::GetInstance(), &PostMsg::SigLightToFrom);
        QVERIFY(fillFromDevice(record));

        QCOMPARE(text(page, "FireKey"), QStringLiteral("Ctrl+Alt+Del"));
        QCOMPARE(text(page, "RightKey"), text(page, "RightKey_3"));
        QCOMPARE(text(page, "BackKey"), text(page, "VolumeUp_9"));
        QCOMPARE(text(page, "StartPause"), text(page, "DPI_6"));
        QCOMPARE(text(page, "TopMusic"), text(page, "VolumeUp_2"));
        QCOMPARE(text(page, "BackMusic"), text(page, "Player"));
        QCOMPARE(text(page, "Button7"), ButtoninterfaceTexts.text(0, 48, QString()) + "Fast");
        QCOMPARE(text(page, "Button8"), text(page, "DPI_2"));
        QCOMPARE(text(page, "Button9"), text(page, "VolumeUp_6"));
        QCOMPARE(text(page, "Button10"), text(page, "DPI_3"));
        QCOMPARE(text(page, "Button11"),
                 text(page, "DPI_4") + "-" + QString::number(page.CodeToDpi(15)));
        QCOMPARE(text(page, "Button12"), text(page, "VolumeDown_14"));
        QCOMPARE(state().ButtonUiUpdated.load(), quint8(1));
        QCOMPARE(state().ButtonFilling.load(), quint8(0));
        QCOMPARE(sleep.size(), 1);
        QCOMPARE(sleep.at(0).at(0).toInt(), 60);
        QCOMPARE(page.Model().ButtonCategories.size(), 12);
        QCOMPARE(page.Model().ButtonParams.at(4), 2);

        // The new debounce time is the one write: the rest of the filling writes nothing.
        const QVector<QByteArray> sent = SimulationControl::receivedRecords();
        QCOMPARE(sent.size(), 1);
        QCOMPARE(int(std::uint8_t(sent.at(0).at(6))), 11);
        QCOMPARE(int(state().CurrentFlashData.get().DebounceTime), 11);

        // The macro file holds the stored repeat value, then the record's events.
        QFile macro(*MacroFilePath(QStringLiteral("Fast")));
        QVERIFY(macro.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = macro.readAll().split('\n');
        QVERIFY(lines.size() >= 4);
        QCOMPARE(lines.at(0), QByteArray("3"));
        QCOMPARE(lines.at(1), QByteArray("0x04 1 0"));

        // The same record again: nothing changed, nothing written.
        SimulationControl::clearLog();
        QVERIFY(fillFromDevice(record));
        QVERIFY(SimulationControl::receivedRecords().isEmpty());
        state().WriteEnabled = 0;
    }

    void refusedMacroNameTouchesNoFile()
    {
        Buttoninterface page;
        page.SlotAllLanguage(0);
        FlashDataMap record{};
        for (int slot = 0; slot < 12; ++slot)
            record.ButtonFunctions[slot] = {FunctionCategory::MouseButton, 1, 0};
        record.ButtonFunctions[1] = {FunctionCategory::Macro, 1, 9};
        record.Macros[1].setName("../x", 4);
        record.ButtonFunctions[2] = {FunctionCategory::Macro, 2, 9};
        QSignalSpy handedOn(PostMsg::GetInstance(), &PostMsg::SigButtonToMacro);
        const QString outside = QDir(MacroFolder()).absoluteFilePath(QStringLiteral("../x.ini"));
        const QString nameless = QDir(MacroFolder()).absoluteFilePath(QStringLiteral(".ini"));
        QVERIFY(fillFromDevice(record));
        QVERIFY(handedOn.isEmpty());
        QVERIFY(!QFile::exists(outside));
        QVERIFY(!QFile::exists(nameless));
        const QString prefix = ButtoninterfaceTexts.text(0, 48, QString());
        QCOMPARE(text(page, "RightKey"), prefix + "../x");
        QCOMPARE(text(page, "BackKey"), prefix);
    }

    void keyNumberIsClamped_data()
    {
        QTest::addColumn<int>("keyNumber");
        QTest::addColumn<int>("entries");
        QTest::newRow("0") << 0 << 0;
        QTest::newRow("3") << 3 << 3;
        QTest::newRow("20") << 20 << 16;
    }
    void keyNumberIsClamped()
    {
        QFETCH(int, keyNumber);
        QFETCH(int, entries);
        useKeyNumber(dir, keyNumber);
        Buttoninterface page;
        page.SlotAllLanguage(0);
        const QString fourth = text(page, "StartPause");
        FlashDataMap record{};
        for (int slot = 0; slot < 16; ++slot)
            record.ButtonFunctions[slot] = {FunctionCategory::MouseButton, MouseButtonCode::Right,
                                            0};
        QVERIFY(fillFromDevice(record));
        QCOMPARE(page.Model().ButtonCategories.size(), entries);
        // Rows past the count keep their text; assigning to them changes no model entry.
        QCOMPARE(text(page, "StartPause"), entries > 4 ? text(page, "RightKey_3") : fourth);
        page.SetButtonFunction(entries, 2, 2, 0);
        QCOMPARE(page.Model().ButtonCategories.size(), entries);
    }

    void formResetRestoresTheFactoryModel()
    {
        Buttoninterface page;
        page.SlotAllLanguage(0);
        const QString first = text(page, "FireKey");
        QSignalSpy sleep(PostMsg::GetInstance(), &PostMsg::SigLightToFrom);
        child<QStackedWidget>(page, "stackedWidget")->setCurrentIndex(1);
        QVERIFY(runOnWorkerThread([] { emit PostMsg::GetInstance()->SigFormReset(); }));
        QCOMPARE(page.Model().ButtonCategories, (QVector<int>{1, 1, 1, 1, 1, 2, 2, 2, 7, 7, 4, 0}));
        QCOMPARE(page.Model().ButtonCodes, (QVector<int>{1, 2, 4, 8, 16, 1, 2, 3, 0, 0, 10, 0}));
        QCOMPARE(page.Model().ButtonParams.at(10), 3);
        QCOMPARE(child<QComboBox>(page, "Debunce")->currentIndex(), 8);
        QCOMPARE(sleep.size(), 1);
        QCOMPARE(sleep.at(0).at(0).toInt(), 60);
        QCOMPARE(child<QStackedWidget>(page, "stackedWidget")->currentIndex(), 0);
        QCOMPARE(text(page, "FireKey"), first);
        QCOMPARE(state().ButtonFilling.load(), quint8(0));
    }

    // With the mouse answering, the rows follow its record, cached or not.
    void languageChangeRelabelsFromTheDevice()
    {
        Buttoninterface page;
        QVERIFY(selectMouse());
        FlashDataMap record = state().CurrentFlashData.get();
        record.ButtonFunctions[0] = {FunctionCategory::DpiControl, DpiControlCode::Cycle, 0};
        record.ButtonFunctions[4] = {FunctionCategory::Disabled, 0, 0};
        state().CurrentFlashData.set(record);
        state().DeviceOnline = 1;
        auto *profiles = child<QComboBox>(page, "ProjectChoose");
        // In place of the list the mouse's profile answer gave.
        profiles->clear();
        profiles->addItems({"a", "b", "c", "d"});
        profiles->setCurrentIndex(2);
        QSignalSpy profileChanged(profiles, SIGNAL(currentIndexChanged(int)));
        SimulationControl::clearLog();

        emit PostMsg::GetInstance()->SigAllLanguage(1);
        QCOMPARE(text(page, "FireKey"), ButtoninterfaceTexts.text(1, 9, QString()));
        QCOMPARE(text(page, "FireKey"), text(page, "VolumeUp_8"));
        QCOMPARE(text(page, "StartPause"), ButtoninterfaceTexts.text(1, 14, QString()));
        QCOMPARE(profiles->currentIndex(), 2);
        QCOMPARE(profiles->count(), 4);
        QCOMPARE(profiles->itemText(2), ButtoninterfaceTexts.text(1, 49, QString()) + "3");
        QVERIFY(profileChanged.isEmpty());
        QVERIFY(SimulationControl::receivedRecords().isEmpty());
        page.show();
        emit PostMsg::GetInstance()->SigMouseIndex(0);
        ZR35_SAVE_SCREEN(&page, QStringLiteral("buttonpage-uk"));
        toolButton(page, "StartPause")->setChecked(true);
        child<QStackedWidget>(page, "stackedWidget")->setCurrentIndex(1);
        child<QStackedWidget>(page, "stackedWidget_2")->setCurrentIndex(0);
        ZR35_SAVE_SCREEN(&page, QStringLiteral("buttonpage-uk-chooser"));
        child<QScrollArea>(page, "scrollArea_4")->verticalScrollBar()->setValue(200);
        child<QStackedWidget>(page, "stackedWidget_2")->setCurrentIndex(3);
        ZR35_SAVE_SCREEN(&page, QStringLiteral("buttonpage-uk-chooser-end"));
        child<QScrollArea>(page, "scrollArea_4")->verticalScrollBar()->setValue(0);
        child<QStackedWidget>(page, "stackedWidget")->setCurrentIndex(0);
        child<QStackedWidget>(page, "stackedWidget_2")->setCurrentIndex(4);

        emit PostMsg::GetInstance()->SigAllLanguage(0);
        QCOMPARE(text(page, "FireKey"), ButtoninterfaceTexts.text(0, 9, QString()));
        ZR35_SAVE_SCREEN(&page, QStringLiteral("buttonpage-en"));
        toolButton(page, "StartPause")->setChecked(true);
        child<QStackedWidget>(page, "stackedWidget")->setCurrentIndex(1);
        child<QStackedWidget>(page, "stackedWidget_2")->setCurrentIndex(0);
        ZR35_SAVE_SCREEN(&page, QStringLiteral("buttonpage-en-chooser"));
        state().DeviceOnline = 0;
    }

    // Something else installing a translator brings the form's own texts back; the profile
    // choice stays and is not announced.
    void languageChangeEventKeepsTheProfile()
    {
        Buttoninterface page;
        page.SlotAllLanguage(0);
        auto *profiles = child<QComboBox>(page, "ProjectChoose");
        profiles->addItems({"a", "b", "c", "d"});
        profiles->setCurrentIndex(2);
        QSignalSpy changed(profiles, SIGNAL(currentIndexChanged(int)));
        QEvent languageChange(QEvent::LanguageChange);
        QCoreApplication::sendEvent(&page, &languageChange);
        QCOMPARE(profiles->currentIndex(), 2);
        QVERIFY(changed.isEmpty());
        QCOMPARE(text(page, "Button7"), QStringLiteral("前进键"));
        QCOMPARE(text(page, "VolumeUp_21"), QStringLiteral("1200"));
    }

    void pressesOnThePage()
    {
        Buttoninterface page;
        auto *categories = child<QStackedWidget>(page, "stackedWidget");
        auto *options = child<QStackedWidget>(page, "stackedWidget_2");
        QToolButton *third = toolButton(page, "BackKey");

        // The chooser open on an option list: a press left of the bottom group closes it and
        // deselects the row.
        third->setChecked(true);
        categories->setCurrentIndex(1);
        options->setCurrentIndex(3);
        press(page, {100, 100});
        QCOMPARE(categories->currentIndex(), 0);
        QCOMPARE(options->currentIndex(), int(Ui_Buttoninterface::DebouncePage));
        QVERIFY(!third->isChecked());

        // Closed chooser: a press at the row list's place on the mouse picture deselects.
        third->setChecked(true);
        press(page, {300, 100});
        QVERIFY(!third->isChecked());

        // Left of the mouse picture, inside the row list's rectangle: nothing.
        third->setChecked(true);
        press(page, {160, 100});
        QVERIFY(third->isChecked());
        press(page, {300, 100}, Qt::RightButton);
        QVERIFY(third->isChecked());
    }

    void marksSelectRows()
    {
        Buttoninterface page;
        page.show();
        auto *categories = child<QStackedWidget>(page, "stackedWidget");
        auto *options = child<QStackedWidget>(page, "stackedWidget_2");
        toolButton(page, "FireKey")->setChecked(true);
        categories->setCurrentIndex(1);
        options->setCurrentIndex(0);
        toolButton(page, "Number3")->click();
        QVERIFY(toolButton(page, "BackKey")->isChecked());
        QVERIFY(!toolButton(page, "FireKey")->isChecked());
        // The chooser belonged to the first row: it closes.
        QCOMPARE(categories->currentIndex(), 0);
        QCOMPARE(options->currentIndex(), int(Ui_Buttoninterface::DebouncePage));
        QCOMPARE(
            child<QScrollArea>(page, "scrollArea_11")->verticalScrollBar()->sliderPosition(),
            qMin(40, child<QScrollArea>(page, "scrollArea_11")->verticalScrollBar()->maximum()));

        toolButton(page, "DPI_4")->click();
        QCOMPARE(options->currentWidget()->objectName(), QStringLiteral("page_8"));
    }

    void onePictureForEveryMouse()
    {
        Buttoninterface page;
        emit PostMsg::GetInstance()->SigMouseIndex(1);
        const QString sheet = child<QWidget>(page, "widget")->styleSheet();
        QVERIFY(sheet.contains(QStringLiteral("mouse0.png")));
        QCOMPARE(missingPictures(&page), QStringList());
    }

    void keyCombinationWrittenAndLabelled()
    {
        Buttoninterface page;
        QVERIFY(selectMouse());
        QVERIFY(fillFromDevice(state().CurrentFlashData.get()));
        page.SetKeyCombination(7, QStringLiteral("Ctrl+Shift+A+B"));
        QCOMPARE(text(page, "Button8"), QStringLiteral("Ctrl+Shift+A"));
        const FlashDataMap stored = state().CurrentFlashData.get();
        QCOMPARE(int(stored.ButtonFunctions[7].Category), int(FunctionCategory::KeySequence));
        QCOMPARE(int(stored.KeyRecords[7].Count), 6);
        QCOMPARE(page.Model().ButtonCategories.at(7), int(FunctionCategory::KeySequence));
        QCOMPARE(child<QStackedWidget>(page, "stackedWidget")->currentIndex(), 1);

        page.SetMultimediaKey(2, 0xEA);
        QCOMPARE(text(page, "BackKey"), text(page, "VolumeDown_4"));
        const QString before = text(page, "BackKey");
        page.SetMultimediaKey(2, 0x183);
        QCOMPARE(text(page, "BackKey"), before);
    }

    // The chooser's macro list lies on the dark page as the other option lists do, and a name
    // as long as the macro-name dialog allows can be read whole, from its first letter on, in
    // the list and on the row it is bound to.
    void macroListOnThePage()
    {
        const QString longName = LongMacroName;
        QCOMPARE(longName.size(), 30);
        saveMacros({longName, QStringLiteral("Short")});
        Buttoninterface page;
        page.SlotAllLanguage(0);
        QVERIFY(selectMouse());
        QVERIFY(fillFromDevice(state().CurrentFlashData.get()));
        page.show();
        emit PostMsg::GetInstance()->SigAddMacroButton();
        toolButton(page, "TopMusic")->setChecked(true);
        child<QStackedWidget>(page, "stackedWidget")->setCurrentIndex(1);
        auto *options = child<QStackedWidget>(page, "stackedWidget_2");
        auto *area = child<QScrollArea>(page, "scrollArea_7");
        // Below the buttons of either list: what shows there is the list's background.
        const QPoint belowButtons = area->viewport()->mapTo(&page, QPoint(100, 200));
        options->setCurrentWidget(child<QWidget>(page, "page_6"));
        const QColor otherList = page.grab().toImage().pixelColor(belowButtons);
        options->setCurrentWidget(child<QWidget>(page, "page_5"));
        ZR35_SAVE_SCREEN(&page, QStringLiteral("buttonpage-en-macros"));
        const QColor macroList = page.grab().toImage().pixelColor(belowButtons);
        QCOMPARE(macroList.name(), otherList.name());
        QVERIFY2(macroList.lightness() < 80, qPrintable(macroList.name()));

        const auto named = [&](const QString &name) {
            for (auto *button : area->findChildren<ElidingToolButton *>()) {
                if (button->isVisible() && button->text() == name)
                    return button;
            }
            return static_cast<ElidingToolButton *>(nullptr);
        };
        // Binding finds the macro by the button's text, which stays the whole name.
        ElidingToolButton *longButton = named(longName);
        QVERIFY(longButton);
        const QRect drawn(longButton->mapTo(area->viewport(), QPoint()), longButton->size());
        QVERIFY(area->viewport()->rect().contains(drawn));
        // Drawn from its first letter to its last, shortened in between, and shown whole when
        // pointed at, on a tip that the list's transparent sheet does not reach; a name that
        // fits is drawn as it is, with no tip.
        const QString shown = longButton->shownText();
        QVERIFY2(shown.startsWith(QLatin1String("Quick")) &&
                     shown.endsWith(QLatin1String("combo 1")) && shown.contains(QChar(0x2026)),
                 qPrintable(shown));
        ElidingToolButton *shortButton = named(QStringLiteral("Short"));
        QVERIFY(shortButton);
        QCOMPARE(shortButton->shownText(), QStringLiteral("Short"));
        QCOMPARE(tipOf(shortButton), QString());
        QCOMPARE(tipOf(longButton), longName);
        QWidget *tip = nullptr;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->inherits("QTipLabel") && window->isVisible())
                tip = window;
        }
        QVERIFY(tip);
        ZR35_SAVE_SCREEN(tip, QStringLiteral("buttonpage-en-macro-tip"));
        const QColor tipBackground = tip->grab().toImage().pixelColor(3, 3);
        QVERIFY2(tipBackground.alpha() == 255 && tipBackground.lightness() > 160,
                 qPrintable(tipBackground.name(QColor::HexArgb)));
        QToolTip::hideText();

        // Bound to the fifth row, whose label names the macro after the prefix.
        state().WriteEnabled = 1;
        longButton->click();
        state().WriteEnabled = 0;
        const QString prefix = ButtoninterfaceTexts.text(0, 48, QString());
        QCOMPARE(text(page, "TopMusic"), prefix + longName);
        auto *row = qobject_cast<ElidingToolButton *>(toolButton(page, "TopMusic"));
        QVERIFY(row);
        ZR35_SAVE_SCREEN(&page, QStringLiteral("buttonpage-en-macro-bound"));
        QVERIFY2(row->shownText().startsWith(prefix) && row->shownText().endsWith("combo 1"),
                 qPrintable(row->shownText()));
    }

    // The page is built hidden behind the home page, whose window holds back the page's polish
    // until it has painted: building it styles none of its widgets (their sheets are only kept,
    // their pictures not decoded), and once polished it looks as a page built and drawn at once.
    // A full macro list is built with it. Last: it replaces the application's style for a while.
    void builtHiddenIsStyledOnlyWhenPolished()
    {
        saveMacros({LongMacroName, "b", "c", "d", "e", "f", "g"});
        AppStyle style;
        QImage drawnAtOnce;
        {
            Buttoninterface page;
            drawnAtOnce = page.grab().toImage();
        }
        HeldPolish polish;
        style.counting->styled.clear();
        Buttoninterface page;
        // The popup lists of the combo boxes are windows of their own, which the toolkit sets up
        // as the boxes take them.
        QStringList styledByBuilding;
        for (const QPointer<QWidget> &widget : qAsConst(style.counting->styled)) {
            if (widget && widget->window() == &page)
                styledByBuilding << widget->objectName();
        }
        QCOMPARE(styledByBuilding, QStringList());
        polish.release();
        const QImage drawnLater = page.grab().toImage();
        // Every widget the page draws has been styled by then; a hidden one (a row the mouse
        // lacks, a stack's page behind, a drop-down list) is styled when it first shows.
        QSet<const QWidget *> styled;
        for (const QPointer<QWidget> &widget : qAsConst(style.counting->styled))
            styled.insert(widget.data());
        QStringList drawnUnstyled;
        for (const QWidget *widget : page.findChildren<QWidget *>()) {
            if (widget->isVisibleTo(&page) && !styled.contains(widget))
                drawnUnstyled << widget->objectName();
        }
        QCOMPARE(drawnUnstyled, QStringList());
        QCOMPARE(drawnLater, drawnAtOnce);
    }
};

ZR35_TEST_MAIN(TestButtonPage)
#include "tst_buttonpage.moc"
