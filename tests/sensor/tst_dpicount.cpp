#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "core/postmsg.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "sensor/sensordpi.h"
#include "shell/widgets/myconmbobox.h"
#include "tests/linksupport/linkfixture.h"
#include "tests/sensor/dpieditorhost.h"
#include "tests/support/records.h"
#include "tests/support/screens.h"
#include "tests/support/testmain.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QSignalSpy>
#include <QToolButton>

#include <cstring>
#include <memory>

using namespace DpiEditorHost;

namespace {

// The user opens the count box and clicks entry `index` (index + 1 levels).
void chooseCount(SensorDPI *editor, int index)
{
    MyConmboBox *box = countBox(editor);
    box->showPopup();
    QAbstractItemView *list = box->view();
    QTRY_VERIFY(list->isVisible());
    // The list shows five rows at a time; the user scrolls to the others.
    list->scrollTo(list->model()->index(index, 0));
    const QRect item = list->visualRect(list->model()->index(index, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, item.center());
    QTRY_VERIFY(!list->isVisible());
}

bool sameStage(const DpiStage &a, const DpiStage &b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

// The number of DPI levels in use, against the simulated mouse of the first shipped model.
class TestDpiCount : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<SensorDPI> editor;
    std::unique_ptr<QSignalSpy> offline;
    FlashDataMap before{};

    // The mouse with `count` levels in use and `current` current, shown in a filled editor.
    void start(int count, int current)
    {
        QVERIFY(WriteDpiStageCount(count));
        QVERIFY(WriteCurrentDpiStage(current));
        before = LinkFixture::storedRecord();
        editor = filledEditor();
        QVERIFY(editor);
    }

    QStringList texts() const
    {
        QStringList list;
        for (int i = 0; i < DpiLevels::Count; ++i)
            list << levelButton(editor.get(), i)->text();
        return list;
    }

    QStringList colours() const
    {
        QStringList list;
        for (int i = 0; i < DpiLevels::Count; ++i)
            list << editor->GetLevelColor(i);
        return list;
    }

private slots:
    void init()
    {
        QVERIFY(selectShippedMouse());
        offline.reset(new QSignalSpy(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo));
    }
    void cleanup()
    {
        editor.reset();
        offline.reset();
        state().WriteEnabled = 1;
        state().SensorFilling = 0;
        UsbServer_Exit();
    }

    // Six levels with level 5 current, three chosen: levels 3 and 5 exchange, level 3 is the
    // current one, and the record is sent three times (the current stage, the exchange, the
    // count).
    void currentLevelBeyondTheNewCountIsExchanged()
    {
        start(6, 4);
        QStringList expectedTexts = texts();
        expectedTexts.swapItemsAt(2, 4);
        QStringList expectedColours = colours();
        expectedColours.swapItemsAt(2, 4);

        chooseCount(editor.get(), 2);

        QCOMPARE(texts(), expectedTexts);
        QCOMPARE(colours(), expectedColours);
        QVERIFY(levelButton(editor.get(), 2)->isChecked());
        QVERIFY(levelBar(editor.get(), 2)->styleSheet().contains(QLatin1String("MaxB.png")));
        QVERIFY(levelBar(editor.get(), 4)->styleSheet().contains(QLatin1String("MinB.png")));
        QCOMPARE(editor->GetCurrentLevel(), 2);
        QCOMPARE(editor->GetLevelCount(), 3);
        QCOMPARE(marker(editor.get())->pos(), QPoint(209, 154));
        for (int i = 0; i < DpiLevels::Count; ++i)
            QCOMPARE(levelButton(editor.get(), i)->isHidden(), i > 2);

        QCOMPARE(sends(), 3);
        SimulationControl::restartBus();
        const FlashDataMap after = LinkFixture::storedRecord();
        QVERIFY(sameStage(after.DpiStages[2], before.DpiStages[4]));
        QVERIFY(sameStage(after.DpiStages[4], before.DpiStages[2]));
        QCOMPARE(int(after.CurrentDpiStage), 2);
        QCOMPARE(int(after.DpiStageCount), 3);
        QCOMPARE(levelButton(editor.get(), 2)->text().toInt(), stageDpi(after.DpiStages[2]));
        QCOMPARE(offline->count(), 0);
    }

    void countAtOrAboveTheCurrentLevelOnlyChangesTheCount_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("index");
        QTest::newRow("level 2 current, five levels") << 1 << 4;
        QTest::newRow("level 3 current, three levels") << 2 << 2;
        QTest::newRow("level 4 current, eight levels") << 3 << 7;
    }
    void countAtOrAboveTheCurrentLevelOnlyChangesTheCount()
    {
        QFETCH(int, current);
        QFETCH(int, index);
        start(6, current);
        const QStringList shownTexts = texts();
        chooseCount(editor.get(), index);
        QCOMPARE(texts(), shownTexts);
        QCOMPARE(editor->GetCurrentLevel(), current);
        for (int i = 0; i < DpiLevels::Count; ++i)
            QCOMPARE(levelButton(editor.get(), i)->isHidden(), i > index);
        QCOMPARE(sends(), 1);
        FlashDataMap expected = before;
        expected.DpiStageCount = std::uint8_t(index + 1);
        SimulationControl::restartBus();
        COMPARE_RECORDS(LinkFixture::storedRecord(), expected);
    }

    // The open count list shows five rows, scrolls for the rest and marks the count in use.
    void countListShowsFiveRows()
    {
        start(6, 0);
        editor->show();
        MyConmboBox *box = countBox(editor.get());
        QVERIFY(box->count() > 5);
        box->showPopup();
        QAbstractItemView *list = box->view();
        QTRY_VERIFY(list->isVisible());
        ZR35_SAVE_SCREEN(list->window(), QStringLiteral("sensordpi-count-open"));
        const int row = list->visualRect(list->model()->index(0, 0)).height();
        QVERIFY(row > 0);
        QCOMPARE(list->viewport()->height() / row, 5);
        QCOMPARE(list->currentIndex().row(), 5);
        QVERIFY(list->visualRect(list->currentIndex()).intersects(list->viewport()->rect()));
        box->hidePopup();
    }

    // Asleep, the mouse keeps its count and so does the editor; the user is told once.
    void offlineChangesNothingAndReportsOnce()
    {
        start(6, 4);
        const QStringList shownTexts = texts();
        QVERIFY(SimulationControl::setOnline(Mouse, false));
        chooseCount(editor.get(), 2);
        QCOMPARE(offline->count(), 1);
        QCOMPARE(sends(), 0);
        COMPARE_RECORDS(LinkFixture::storedRecord(), before);
        QVERIFY(levelButton(editor.get(), 4)->isChecked());
        QVERIFY(!levelButton(editor.get(), 5)->isHidden());
        QCOMPARE(texts(), shownTexts);
        QCOMPARE(editor->GetLevelCount(), 6);
        QCOMPARE(countBox(editor.get())->currentIndex(), 5);
    }

    // Awake, but the sends get lost on their way: after the first no other is tried, the user is
    // told once, and the mouse's own record is read again to put the editor back.
    void refusedExchangeSendsNoCount()
    {
        start(6, 4);
        SimulationControl::setNoAnswer(QStringLiteral("ProtocolDataUpdate"), -1);
        chooseCount(editor.get(), 2);
        SimulationControl::setNoAnswer(QStringLiteral("ProtocolDataUpdate"), 0);
        QCOMPARE(offline->count(), 1);
        QCOMPARE(int(state().RereadWhenOnline.load()), 1);
        COMPARE_RECORDS(LinkFixture::storedRecord(), before);
        state().KeepOfflineNotice = 0;
    }

    void writesDisabledShowsOnly()
    {
        start(6, 4);
        state().WriteEnabled = 0;
        chooseCount(editor.get(), 2);
        QVERIFY(levelButton(editor.get(), 2)->isChecked());
        QCOMPARE(sends(), 0);
        QCOMPARE(offline->count(), 0);
    }

    void pageSettingTheCountChangesNothing()
    {
        start(6, 4);
        state().SensorFilling = 1;
        editor->SetCountIndex(2);
        state().SensorFilling = 0;
        QVERIFY(levelButton(editor.get(), 4)->isChecked());
        QVERIFY(!levelButton(editor.get(), 3)->isHidden());
        QCOMPARE(sends(), 0);

        // An emptied box reports no level.
        editor->BlockCountSignals(false);
        countBox(editor.get())->clear();
        QCOMPARE(sends(), 0);
        QCOMPARE(editor->GetLevelCount(), 6);
    }

    // A record whose current stage is beyond the eight levels: a count change and a marker drag
    // must not reach a ninth level.
    void stageBeyondTheLevels()
    {
        start(8, 0);
        FlashDataMap record = state().CurrentFlashData.get();
        record.CurrentDpiStage = 10;
        state().CurrentFlashData.set(record);
        fillFromDevice(editor.get());
        QCOMPARE(editor->GetCurrentLevel(), 10);

        chooseCount(editor.get(), 2);
        QCOMPARE(editor->GetCurrentLevel(), 10);
        QCOMPARE(int(LinkFixture::storedRecord().DpiStageCount), 3);

        dragMarker(editor.get(), 100);
        QCOMPARE(editor->GetCurrentLevel(), 10);
        QCOMPARE(sends(), 1);
    }
};

ZR35_TEST_MAIN(TestDpiCount)
#include "tst_dpicount.moc"
