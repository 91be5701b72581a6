#include "core/devicestate.h"
#include "core/postmsg.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "sensor/model/dpicodec.h"
#include "sensor/sensordpi.h"
#include "shell/widgets/myslider.h"
#include "tests/linksupport/linkfixture.h"
#include "tests/sensor/dpieditorhost.h"
#include "tests/support/records.h"
#include "tests/support/testmain.h"

#include <QSignalSpy>
#include <QSpinBox>
#include <QToolButton>

#include <functional>
#include <memory>

using namespace DpiEditorHost;

namespace {

const DpiRanges &ranges()
{
    return SensorModel::instance().DpiRangeTable;
}

// What a press at x makes of the slider's value: the slider jumps to the pressed point.
int jumpValue(MySlider *slider, int x)
{
    const double share = double(x) / double(slider->width());
    return slider->minimum() + int(share * double(slider->maximum() - slider->minimum()));
}

void clickSlider(MySlider *slider, int x)
{
    const QPoint at(x, slider->height() / 2);
    press(slider, at);
    release(slider, at);
}

void dragHandle(MySlider *slider, int dx)
{
    const QPoint start = sliderHandleCentre(slider);
    press(slider, start);
    moveTo(slider, start + QPoint(dx / 2, 0));
    moveTo(slider, start + QPoint(dx, 0));
    release(slider, start + QPoint(dx, 0));
}

using Action = std::function<void(SensorDPI *)>;

} // namespace

Q_DECLARE_METATYPE(Action)

// The value of the selected level: the slider, its value box and the step buttons, against the
// simulated mouse of the first shipped model (ranges 50..12000 by 50 and 12100..24000 by 100;
// level 1 current at 400).
class TestDpiValue : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<SensorDPI> editor;
    std::unique_ptr<QSignalSpy> offline;

    void fill()
    {
        editor = filledEditor();
        QVERIFY(editor);
    }

    // The level's stage as the mouse holds it, read back as a DPI value.
    static int storedDpi(int level)
    {
        return stageDpi(LinkFixture::storedRecord().DpiStages[level]);
    }

    // What one user action leaves: its value shown on the level and in the box, and in the
    // mouse, written once.
    void verifyWrittenOnce(int level, int value)
    {
        QTRY_COMPARE(sends(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(sends(), 1);
        QCOMPARE(levelButton(editor.get(), level)->text(), QString::number(value));
        QCOMPARE(valueBox(editor.get())->value(), value);
        QCOMPARE(storedDpi(level), value);
        const DpiEncoding encoding = EncodeDpi(value, SensorModel::instance());
        const DpiStage stage = LinkFixture::storedRecord().DpiStages[level];
        QCOMPARE(int(stage.CodeX), encoding.CodeX);
        QCOMPARE(int(stage.CodeY), encoding.CodeX);
        QCOMPARE(int(stage.Flags), encoding.Flags);
    }

private slots:
    void init()
    {
        QVERIFY(selectShippedMouse());
        offline.reset(new QSignalSpy(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo));
        fill();
    }
    void cleanup()
    {
        editor.reset();
        offline.reset();
        state().ImportBusy = 0;
        state().SensorFilling = 0;
        UsbServer_Exit();
    }

    void eachUserActionIsWrittenOnce_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<int>("expected"); // -1: the snapped value the slider took
        QTest::newRow("drag") << Action([](SensorDPI *e) { dragHandle(slider(e), 200); }) << -1;
        QTest::newRow("click on the groove")
            << Action([](SensorDPI *e) { clickSlider(slider(e), 300); }) << -1;
        // A wheel notch moves three lines at most one page step: 50 in the first range.
        QTest::newRow("wheel") << Action([](SensorDPI *e) { wheelUp(slider(e)); }) << 450;
        QTest::newRow("key") << Action([](SensorDPI *e) {
            QTest::keyClick(slider(e), Qt::Key_Right);
        }) << 450;
        QTest::newRow("plus") << Action([](SensorDPI *e) {
            QTest::mouseClick(plusButton(e), Qt::LeftButton);
        }) << 450;
        QTest::newRow("minus") << Action([](SensorDPI *e) {
            QTest::mouseClick(minusButton(e), Qt::LeftButton);
        }) << 350;
    }
    void eachUserActionIsWrittenOnce()
    {
        QFETCH(Action, action);
        QFETCH(int, expected);
        action(editor.get());
        if (expected < 0) {
            QTRY_COMPARE(sends(), 1);
            expected = SnapDpi(slider(editor.get())->value(), ranges());
            QVERIFY(expected != 400);
        }
        verifyWrittenOnce(0, expected);
        QCOMPARE(offline->count(), 0);
        SimulationControl::restartBus();
        QCOMPARE(storedDpi(0), expected);
    }

    void releasedValueSnapsToTheRanges_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<int>("pageStep");
        QTest::newRow("first range") << 1234 << 50;
        QTest::newRow("in the gap: the second range's minimum") << 12050 << 100;
        QTest::newRow("second range") << 20020 << 100;
    }
    void releasedValueSnapsToTheRanges()
    {
        QFETCH(int, target);
        QFETCH(int, pageStep);
        MySlider *s = slider(editor.get());
        const int x = sliderX(s, target);
        const int raw = jumpValue(s, x);
        clickSlider(s, x);
        const int snapped = SnapDpi(raw, ranges());
        verifyWrittenOnce(0, snapped);
        // The handle stays where it was released.
        QCOMPARE(s->value(), raw);
        QCOMPARE(s->pageStep(), pageStep);
        if (target == 12050)
            QCOMPARE(snapped, 12100);
    }

    void stepsOverTheGap()
    {
        QTest::mouseClick(levelButton(editor.get(), 7), Qt::LeftButton); // 12000
        SimulationControl::clearLog();
        QTest::mouseClick(plusButton(editor.get()), Qt::LeftButton);
        verifyWrittenOnce(7, 12100);
        QCOMPARE(int(LinkFixture::storedRecord().DpiStages[7].Flags), 0x22);
        SimulationControl::clearLog();
        QTest::mouseClick(minusButton(editor.get()), Qt::LeftButton);
        verifyWrittenOnce(7, 12000);
        QCOMPARE(int(LinkFixture::storedRecord().DpiStages[7].Flags), 0x00);
    }

    void plusAtTheTopChangesNothing()
    {
        SetDPIValue(0, 24000);
        fill();
        QCOMPARE(valueBox(editor.get())->value(), 24000);
        QTest::mouseClick(plusButton(editor.get()), Qt::LeftButton);
        QCoreApplication::processEvents();
        QCOMPARE(sends(), 0);
        QCOMPARE(levelButton(editor.get(), 0)->text(), QStringLiteral("24000"));
    }

    // After a fill, and after selecting a level whose value the slider already shows, the
    // user's next change is written like any other.
    void firstChangeAfterASelectionIsWritten()
    {
        wheelUp(slider(editor.get()));
        verifyWrittenOnce(0, 450);

        QTest::mouseClick(plusButton(editor.get()), Qt::LeftButton);
        QTest::mouseClick(plusButton(editor.get()), Qt::LeftButton);
        QCOMPARE(storedDpi(0), 550);
        // Level 2 as a fill would show it with the value the slider stands at.
        editor->SetLevelText(1, QStringLiteral("550"));
        QTest::mouseClick(levelButton(editor.get(), 1), Qt::LeftButton);
        QCOMPARE(slider(editor.get())->value(), 550);
        SimulationControl::clearLog();
        wheelUp(slider(editor.get()));
        verifyWrittenOnce(1, 600);
    }

    void programMovesAreNotWritten()
    {
        editor->SetSliderValue(800);
        editor->SetSliderMaximum(300);
        editor->SetSliderMinimum(350);
        QCoreApplication::processEvents();
        QCOMPARE(sends(), 0);
        QCOMPARE(levelButton(editor.get(), 0)->text(), QStringLiteral("400"));
        QCOMPARE(valueBox(editor.get())->value(), 400);
    }

    void noLevelCheckedIsShownOnly()
    {
        SensorDPI fresh;
        fresh.SetSliderMinimum(50);
        fresh.SetSliderMaximum(24000);
        fresh.SetSliderValue(1000);
        fresh.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fresh));
        wheelUp(slider(&fresh));
        QTest::mouseClick(plusButton(&fresh), Qt::LeftButton);
        QCOMPARE(valueBox(&fresh)->value(), 1100);
        QCOMPARE(levelButton(&fresh, 1)->text(), QStringLiteral("200"));
        QCOMPARE(sends(), 0);
    }

    void offlineIsReportedOnce_data()
    {
        QTest::addColumn<Action>("action");
        QTest::newRow("wheel") << Action([](SensorDPI *e) { wheelUp(slider(e)); });
        QTest::newRow("click") << Action([](SensorDPI *e) { clickSlider(slider(e), 300); });
        QTest::newRow("plus") << Action(
            [](SensorDPI *e) { QTest::mouseClick(plusButton(e), Qt::LeftButton); });
    }
    void offlineIsReportedOnce()
    {
        QFETCH(Action, action);
        QVERIFY(SimulationControl::setOnline(Mouse, false));
        const FlashDataMap before = LinkFixture::storedRecord();
        action(editor.get());
        QTRY_COMPARE(offline->count(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(offline->count(), 1);
        QCOMPARE(offline->first().at(0).toInt(), 0);
        QCOMPARE(sends(), 0);
        COMPARE_RECORDS(LinkFixture::storedRecord(), before);
        QCOMPARE(levelButton(editor.get(), 0)->text(), QStringLiteral("400"));
    }

    void shownButNotWritten_data()
    {
        QTest::addColumn<int>("flag"); // 0 ImportBusy, 1 SensorFilling, 2 WriteEnabled clear
        QTest::newRow("import or reset running") << 0;
        QTest::newRow("page filling") << 1;
        QTest::newRow("writes disabled") << 2;
    }
    void shownButNotWritten()
    {
        QFETCH(int, flag);
        state().ImportBusy = flag == 0;
        state().SensorFilling = flag == 1;
        state().WriteEnabled = flag != 2;
        wheelUp(slider(editor.get()));
        QCOMPARE(levelButton(editor.get(), 0)->text(), QStringLiteral("450"));
        QCOMPARE(valueBox(editor.get())->value(), 450);
        QCOMPARE(sends(), 0);
        QCOMPARE(offline->count(), 0);
        state().WriteEnabled = 1;
    }
};

ZR35_TEST_MAIN(TestDpiValue)
#include "tst_dpivalue.moc"
