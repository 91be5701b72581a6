#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "core/postmsg.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "sensor/sensordpi.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/myslider.h"
#include "tests/linksupport/linkfixture.h"
#include "tests/sensor/dpieditorhost.h"
#include "tests/support/records.h"
#include "tests/support/testmain.h"

#include <QColorDialog>
#include <QLabel>
#include <QSignalSpy>
#include <QSpinBox>
#include <QToolButton>

#include <memory>

using namespace DpiEditorHost;

// Choosing the current DPI level (level buttons, colour bars, the marker drag) and a level's
// colour, against the simulated mouse of the first shipped model (eight levels, level 1 current:
// 400, 800, 1600, 2400, 3200, 6400, 10000, 12000).
class TestDpiSelection : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<SensorDPI> editor;
    std::unique_ptr<QSignalSpy> offline;
    FlashDataMap factory{};

    void fill()
    {
        editor = filledEditor();
        QVERIFY(editor);
    }

private slots:
    void init()
    {
        QVERIFY(selectShippedMouse());
        factory = LinkFixture::storedRecord();
        offline.reset(new QSignalSpy(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo));
        fill();
    }
    void cleanup()
    {
        editor.reset();
        offline.reset();
        UsbServer_Exit();
    }

    void clickingABarSelectsItsLevel()
    {
        QTest::mouseClick(levelBar(editor.get(), 2), Qt::LeftButton);

        QCOMPARE(levelButton(editor.get(), 0)->geometry(), QRect(15, 99, 54, 56));
        QCOMPARE(levelBar(editor.get(), 0)->geometry(), QRect(17, 141, 50, 12));
        QVERIFY(!levelButton(editor.get(), 0)->isChecked());
        QCOMPARE(levelButton(editor.get(), 2)->geometry(), QRect(190, 92, 68, 70));
        QCOMPARE(levelBar(editor.get(), 2)->geometry(), QRect(191, 147, 66, 14));
        QVERIFY(levelButton(editor.get(), 2)->styleSheet().contains(QLatin1String("MaxA.png")));
        QCOMPARE(editor->GetCurrentLevel(), 2);
        QCOMPARE(marker(editor.get())->pos(), QPoint(209, 154));
        // The level's value is shown, not written: one send, the current stage.
        QCOMPARE(slider(editor.get())->value(), 1600);
        QCOMPARE(valueBox(editor.get())->value(), 1600);
        QCOMPARE(sends(), 1);
        FlashDataMap expected = factory;
        expected.CurrentDpiStage = 2;
        COMPARE_RECORDS(LinkFixture::storedRecord(), expected);
        QColorDialog *dialog = editor->findChild<QColorDialog *>();
        QVERIFY(dialog && dialog->isVisible());
        dialog->hide();
    }

    void clickingALevelButtonSelectsIt()
    {
        QTest::mouseClick(levelButton(editor.get(), 5), Qt::LeftButton);
        QVERIFY(levelBar(editor.get(), 5)->isChecked());
        QCOMPARE(slider(editor.get())->value(), 6400);
        QCOMPARE(sends(), 1);
        QCOMPARE(int(LinkFixture::storedRecord().CurrentDpiStage), 5);
        QVERIFY(editor->findChild<QColorDialog *>()->isHidden());

        // Clicking the selected level again writes nothing.
        QTest::mouseClick(levelButton(editor.get(), 5), Qt::LeftButton);
        QCOMPARE(sends(), 1);
    }

    void acceptedColourIsWrittenAndShown()
    {
        QTest::mouseClick(levelBar(editor.get(), 2), Qt::LeftButton);
        SimulationControl::clearLog();
        QColorDialog *dialog = editor->findChild<QColorDialog *>();
        dialog->setCurrentColor(QColor(10, 16, 255));
        dialog->accept();

        QCOMPARE(editor->GetLevelColor(2), QStringLiteral("10,16,255"));
        const QString style = levelBar(editor.get(), 2)->styleSheet();
        QVERIFY(style.contains(QLatin1String("rgb(10,16,255)")));
        QVERIFY(style.contains(QLatin1String("MaxB.png")));
        QCOMPARE(sends(), 1);
        FlashDataMap expected = factory;
        expected.CurrentDpiStage = 2;
        expected.DpiStages[2].Red = 10;
        expected.DpiStages[2].Green = 16;
        expected.DpiStages[2].Blue = 255;
        SimulationControl::restartBus();
        COMPARE_RECORDS(LinkFixture::storedRecord(), expected);
    }

    void colourOfflineIsShownOnly()
    {
        QTest::mouseClick(levelButton(editor.get(), 1), Qt::LeftButton);
        QVERIFY(SimulationControl::setOnline(Mouse, false));
        const FlashDataMap before = LinkFixture::storedRecord();
        QColorDialog *dialog = editor->findChild<QColorDialog *>();
        dialog->setCurrentColor(QColor(1, 2, 3));
        dialog->accept();
        QCOMPARE(editor->GetLevelColor(1), QStringLiteral("1,2,3"));
        QCOMPARE(offline->count(), 1);
        QCOMPARE(offline->first().at(0).toInt(), 0);
        COMPARE_RECORDS(LinkFixture::storedRecord(), before);
    }

    void markerDrop_data()
    {
        QTest::addColumn<int>("levels");
        QTest::addColumn<int>("releaseX");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("writes");
        QTest::newRow("d 103 selects the next level") << 8 << 130 << 1 << 2;
        QTest::newRow("d 133 goes back") << 8 << 160 << 0 << 0;
        QTest::newRow("three levels on") << 8 << 300 << 3 << 2;
        QTest::newRow("left of the first level") << 8 << 10 << 0 << 0;
        QTest::newRow("right of the last level") << 8 << 710 << 0 << 0;
        QTest::newRow("beyond the levels in use writes the current again") << 3 << 300 << 0 << 1;
        QTest::newRow("the last level in use") << 3 << 210 << 2 << 2;
    }
    void markerDrop()
    {
        QFETCH(int, levels);
        QFETCH(int, releaseX);
        QFETCH(int, level);
        QFETCH(int, writes);
        if (levels != 8) {
            QVERIFY(WriteDpiStageCount(levels));
            fill();
        }
        dragMarker(editor.get(), releaseX);
        QCOMPARE(editor->GetCurrentLevel(), level);
        QCOMPARE(marker(editor.get())->pos(), QPoint(DpiLevels::Table[level].MarkX, 154));
        QVERIFY(levelButton(editor.get(), level)->isChecked());
        QCOMPARE(sends(), writes);
        SimulationControl::restartBus();
        QCOMPARE(int(LinkFixture::storedRecord().CurrentDpiStage), level);
        QCOMPARE(offline->count(), 0);
    }

    void leavingThePanelEndsTheDrag()
    {
        const QPoint start = marker(editor.get())->geometry().center();
        press(editor.get(), start);
        moveTo(editor.get(), QPoint(130, start.y()));
        // The marker follows the mouse, keeping where it was taken hold of.
        QCOMPARE(marker(editor.get())->pos(), QPoint(130, start.y()) - (start - QPoint(27, 154)));
        moveTo(editor.get(), QPoint(130, 200));
        QCOMPARE(marker(editor.get())->pos(), QPoint(27, 154));
        // The drag is over: the marker no longer follows, and the release does nothing.
        moveTo(editor.get(), QPoint(130, start.y()));
        release(editor.get(), QPoint(130, start.y()));
        QCOMPARE(marker(editor.get())->pos(), QPoint(27, 154));
        QCOMPARE(editor->GetCurrentLevel(), 0);
        QCOMPARE(sends(), 0);
    }

    void clickOnThePanelIsNoDrag()
    {
        press(editor.get(), QPoint(400, 30));
        release(editor.get(), QPoint(400, 30));
        QCOMPARE(marker(editor.get())->pos(), QPoint(27, 154));
        QCOMPARE(sends(), 0);
    }

    // One notice, and the device keeps its stage; the editor shows its new place until the next
    // fill.
    void dragOfflineIsReportedOnce()
    {
        QVERIFY(SimulationControl::setOnline(Mouse, false));
        dragMarker(editor.get(), 130);
        QCOMPARE(offline->count(), 1);
        QCOMPARE(sends(), 0);
        COMPARE_RECORDS(LinkFixture::storedRecord(), factory);
        QVERIFY(levelButton(editor.get(), 0)->isChecked());
    }

    void clickOfflineIsReportedOnce()
    {
        QVERIFY(SimulationControl::setOnline(Mouse, false));
        QTest::mouseClick(levelBar(editor.get(), 3), Qt::LeftButton);
        QCOMPARE(offline->count(), 1);
        COMPARE_RECORDS(LinkFixture::storedRecord(), factory);
        editor->findChild<QColorDialog *>()->hide();
    }

    // The device switched its level itself: shown with writes disabled, nothing sent back.
    void reportedLevelIsShownOnly()
    {
        showReportedStage(editor.get(), 4);
        QVERIFY(levelButton(editor.get(), 4)->isChecked());
        QCOMPARE(editor->GetCurrentLevel(), 4);
        QCOMPARE(marker(editor.get())->pos(), QPoint(391, 154));
        QCOMPARE(slider(editor.get())->value(), 3200);
        QCOMPARE(sends(), 0);
    }

    void fillingWritesNothing()
    {
        state().SensorFilling = 1;
        QTest::mouseClick(levelButton(editor.get(), 6), Qt::LeftButton);
        dragMarker(editor.get(), 130);
        state().SensorFilling = 0;
        // The click selected level 7 on screen only; the drag went from the current level 1.
        QVERIFY(levelButton(editor.get(), 1)->isChecked());
        QCOMPARE(editor->GetCurrentLevel(), 1);
        QCOMPARE(sends(), 0);
    }
};

ZR35_TEST_MAIN(TestDpiSelection)
#include "tst_dpiselection.moc"
