#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "core/postmsg.h"
#include "platform/devicelib/calllog.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "sensor/sensordpib.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/myslider.h"
#include "tests/linksupport/linkfixture.h"
#include "tests/sensor/dpieditorhost.h"
#include "tests/sensor/sensorbench.h"
#include "tests/sensor/variantbench.h"
#include "tests/support/picturecheck.h"
#include "tests/support/records.h"
#include "tests/support/testmain.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QSignalSpy>
#include <QSpinBox>
#include <QToolButton>

#include <cstring>
#include <memory>

using DpiEditorHost::stageDpi;
using SensorBench::letGo;
using SensorBench::sends;
using SensorBench::stored;

namespace {

constexpr auto &state = State;

QString rowName(const char *stem, int level)
{
    return QLatin1String(stem) + QChar('A' + level);
}

MySlider *slider(const SensorDPIB *editor, int level)
{
    return editor->findChild<MySlider *>(rowName("horizontalSlider", level));
}

QSpinBox *valueBox(const SensorDPIB *editor, int level)
{
    return editor->findChild<QSpinBox *>(rowName("spinBox", level));
}

QCheckBox *levelBox(const SensorDPIB *editor, int level)
{
    return editor->findChild<QCheckBox *>(rowName("M", level));
}

QToolButton *colourButton(const SensorDPIB *editor, int level)
{
    return editor->findChild<QToolButton *>(QLatin1String(DpiLevels::Table[level].Name) +
                                            QLatin1String("ButtonA"));
}

int storedDpi(int level)
{
    return stageDpi(stored().DpiStages[level]);
}

// The records the mouse was sent since the log was cleared, in order.
QVector<FlashDataMap> sentRecords()
{
    QVector<FlashDataMap> records;
    for (const QByteArray &bytes : CallLog::updates()) {
        FlashDataMap record;
        if (bytes.size() < int(sizeof record))
            continue;
        std::memcpy(&record, bytes.constData(), sizeof record);
        records.append(record);
    }
    return records;
}

bool sameStage(const DpiStage &a, const DpiStage &b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Sets the mouse's count and current level as the user would have, then clears the log.
void storeLevels(int count, int current)
{
    QVERIFY(WriteDpiStageCount(count));
    QVERIFY(WriteCurrentDpiStage(current));
    SimulationControl::clearLog();
}

} // namespace

// The DPI editor with one slider per level, which no page builds, hosted as the sensor page
// hosts its own editor, against the simulated mouse of the first shipped model (ranges 50..12000
// by 50 and 12100..24000 by 100).
class TestVariantDpi : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<QSignalSpy> offline;

    std::unique_ptr<SensorDPIB> filledEditor()
    {
        std::unique_ptr<SensorDPIB> editor(new SensorDPIB);
        VariantBench::fillDpiEditor(editor.get(), state().CurrentFlashData.get());
        SimulationControl::clearLog();
        return editor;
    }

private slots:
    void init()
    {
        QVERIFY(SensorBench::selectMouse());
        offline.reset(new QSignalSpy(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo));
    }
    void cleanup()
    {
        state().SensorFilling = 0;
        state().ImportBusy = 0;
        offline.reset();
        UsbServer_Exit();
    }

    // Every change of the user's is written, the first after construction and the first after
    // the host selects a level as well.
    void everyUserChangeIsWritten()
    {
        SensorDPIB editor;
        QVERIFY(missingPictures(&editor).isEmpty());
        letGo(slider(&editor, 1), 800);
        QCOMPARE(storedDpi(1), 800);
        QCOMPARE(sends(), 1);
        editor.SelectLevelIfOnline(3);
        QVERIFY(levelBox(&editor, 3)->isChecked());
        SimulationControl::clearLog();
        letGo(slider(&editor, 3), 1600);
        QCOMPARE(storedDpi(3), 1600);
        QCOMPARE(sends(), 1);
        SimulationControl::restartBus();
        QCOMPARE(storedDpi(1), 800);
        QCOMPARE(storedDpi(3), 1600);
    }

    // The value is snapped to the model's ranges, shown as the mouse will hold it and written for
    // its level; the slider stays where the user let it go.
    void valueIsSnappedShownAndWritten_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("pageStep");
        QTest::newRow("first range") << 2 << 1234 << 1200 << 50;
        QTest::newRow("second range") << 4 << 12345 << 12300 << 100;
        QTest::newRow("in the gap") << 0 << 12050 << 12100 << 100;
    }
    void valueIsSnappedShownAndWritten()
    {
        QFETCH(int, level);
        QFETCH(int, value);
        QFETCH(int, shown);
        QFETCH(int, pageStep);
        std::unique_ptr<SensorDPIB> editor = filledEditor();
        letGo(slider(editor.get(), level), value);
        QCOMPARE(valueBox(editor.get(), level)->value(), shown);
        QCOMPARE(slider(editor.get(), level)->value(), value);
        QCOMPARE(slider(editor.get(), level)->pageStep(), pageStep);
        QCOMPARE(storedDpi(level), shown);
        QCOMPARE(sends(), 1);
    }

    // Filling the editor, and every host operation after it, writes nothing.
    void hostOperationsWriteNothing()
    {
        SensorDPIB editor;
        SimulationControl::clearLog();
        VariantBench::fillDpiEditor(&editor, state().CurrentFlashData.get());
        editor.SetSliderMinimum(100);
        editor.SetSliderMaximum(20000);
        editor.SetSliderValue(4000, 2);
        editor.SetLevelText(3, QStringLiteral("5000"));
        editor.SetValueDisplay(7000, 4);
        QCOMPARE(slider(&editor, 3)->value(), 5000);
        QCOMPARE(valueBox(&editor, 3)->value(), 5000);
        QCOMPARE(sends(), 0);
        QCOMPARE(offline->size(), 0);
    }

    void valueGuards_data()
    {
        QTest::addColumn<int>("guard"); // 0 writes disabled, 1 filling, 2 import, 3 offline
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("notices");
        QTest::newRow("writes disabled") << 0 << 1200 << 0;
        QTest::newRow("sensor page filling") << 1 << 1200 << 0;
        QTest::newRow("settings import") << 2 << 1200 << 0;
        // Offline: the value as the user let it go, one notice.
        QTest::newRow("offline") << 3 << 1234 << 1;
    }
    void valueGuards()
    {
        QFETCH(int, guard);
        QFETCH(int, shown);
        QFETCH(int, notices);
        std::unique_ptr<SensorDPIB> editor = filledEditor();
        const FlashDataMap before = stored();
        if (guard == 0)
            state().WriteEnabled = 0;
        else if (guard == 1)
            state().SensorFilling = 1;
        else if (guard == 2)
            state().ImportBusy = 1;
        else
            QVERIFY(SimulationControl::setOnline(QStringLiteral("M1"), false));
        letGo(slider(editor.get(), 1), 1234);
        QCOMPARE(valueBox(editor.get(), 1)->value(), shown);
        QCOMPARE(sends(), 0);
        QCOMPARE(offline->size(), notices);
        COMPARE_RECORDS(stored(), before);
    }

    void checkingALevelMakesItCurrent()
    {
        std::unique_ptr<SensorDPIB> editor = filledEditor();
        QTest::mouseClick(levelBox(editor.get(), 3), Qt::LeftButton, Qt::NoModifier, QPoint(8, 10));
        QCOMPARE(editor->GetCurrentLevel(), 3);
        QCOMPARE(int(stored().CurrentDpiStage), 3);
        QCOMPARE(sends(), 1);
        // Checked while the host fills the editor: shown only.
        state().SensorFilling = 1;
        editor->SelectLevel(1);
        QVERIFY(levelBox(editor.get(), 1)->isChecked());
        QCOMPARE(editor->GetCurrentLevel(), 3);
        QCOMPARE(sends(), 1);
    }

    void selectingALevelOfflineOnlyReports()
    {
        std::unique_ptr<SensorDPIB> editor = filledEditor();
        const int current = editor->GetCurrentLevel();
        QVERIFY(SimulationControl::setOnline(QStringLiteral("M1"), false));
        editor->SelectLevelIfOnline(4);
        QVERIFY(!levelBox(editor.get(), 4)->isChecked());
        QVERIFY(levelBox(editor.get(), current)->isChecked());
        QCOMPARE(offline->size(), 1);
        QCOMPARE(offline->at(0).at(0).toInt(), 0);
    }

    // Cutting the count below the current level: the current level and the new last level
    // exchange places, in the editor and in the mouse, with three sends in order.
    void countBelowTheCurrentLevelExchanges()
    {
        storeLevels(8, 5);
        std::unique_ptr<SensorDPIB> editor = filledEditor();
        const FlashDataMap before = stored();
        const int value2 = valueBox(editor.get(), 2)->value();
        const int value5 = valueBox(editor.get(), 5)->value();
        QVERIFY(value2 != value5);
        const QString colour2 = editor->GetLevelColor(2);
        const QString colour5 = editor->GetLevelColor(5);

        editor->findChild<MyConmboBox *>(QStringLiteral("ChooseEvent"))->setCurrentIndex(2);

        QCOMPARE(valueBox(editor.get(), 2)->value(), value5);
        QCOMPARE(valueBox(editor.get(), 5)->value(), value2);
        QCOMPARE(editor->GetLevelColor(2), colour5);
        QCOMPARE(editor->GetLevelColor(5), colour2);
        QVERIFY(colourButton(editor.get(), 2)->styleSheet().contains(colour5));
        QVERIFY(levelBox(editor.get(), 2)->isChecked());
        QCOMPARE(editor->GetCurrentLevel(), 2);
        QCOMPARE(editor->GetLevelCount(), 3);
        for (int i = 0; i < DpiLevels::Count; ++i)
            QCOMPARE(!slider(editor.get(), i)->isHidden(), i <= 2);

        const QVector<FlashDataMap> sent = sentRecords();
        QCOMPARE(sent.size(), 3);
        // First the current stage, then the exchange, then the count.
        QCOMPARE(int(sent[0].CurrentDpiStage), 2);
        QCOMPARE(int(sent[0].DpiStageCount), 8);
        QVERIFY(sameStage(sent[0].DpiStages[2], before.DpiStages[2]));
        QVERIFY(sameStage(sent[1].DpiStages[2], before.DpiStages[5]));
        QVERIFY(sameStage(sent[1].DpiStages[5], before.DpiStages[2]));
        QCOMPARE(int(sent[2].DpiStageCount), 3);
        SimulationControl::restartBus();
        const FlashDataMap after = stored();
        QVERIFY(sameStage(after.DpiStages[2], before.DpiStages[5]));
        QVERIFY(sameStage(after.DpiStages[5], before.DpiStages[2]));
        QCOMPARE(int(after.CurrentDpiStage), 2);
        QCOMPARE(int(after.DpiStageCount), 3);
    }

    void countKeepingTheCurrentLevelOnlyCounts()
    {
        storeLevels(8, 1);
        std::unique_ptr<SensorDPIB> editor = filledEditor();
        const FlashDataMap before = stored();
        editor->SetCountIndex(4);
        QCOMPARE(sends(), 1);
        FlashDataMap expected = before;
        expected.DpiStageCount = 5;
        COMPARE_RECORDS(stored(), expected);
        for (int i = 0; i < DpiLevels::Count; ++i)
            QCOMPARE(!valueBox(editor.get(), i)->isHidden(), i <= 4);
        // While the host fills the editor the count changes nothing itself.
        state().SensorFilling = 1;
        editor->SetCountIndex(1);
        QVERIFY(!valueBox(editor.get(), 4)->isHidden());
        QCOMPARE(sends(), 1);
    }

    void countOfflineReportsOnce()
    {
        storeLevels(8, 5);
        std::unique_ptr<SensorDPIB> editor = filledEditor();
        const FlashDataMap before = stored();
        QVERIFY(SimulationControl::setOnline(QStringLiteral("M1"), false));
        editor->SetCountIndex(2);
        // The mouse keeps its count, and so does the editor.
        QCOMPARE(editor->GetCurrentLevel(), 5);
        QCOMPARE(editor->GetLevelCount(), 8);
        QVERIFY(!slider(editor.get(), 3)->isHidden());
        QCOMPARE(offline->size(), 1);
        QCOMPARE(sends(), 0);
        COMPARE_RECORDS(stored(), before);
    }

    // The chosen colour goes to the level whose button was clicked, not to the current one.
    void colourGoesToTheClickedLevel()
    {
        std::unique_ptr<SensorDPIB> editor = filledEditor();
        editor->show();
        QVERIFY(QTest::qWaitForWindowExposed(editor.get()));
        QTest::mouseClick(colourButton(editor.get(), 4), Qt::LeftButton);
        auto *dialog = editor->findChild<QColorDialog *>();
        QVERIFY(dialog && dialog->isVisible());
        dialog->setCurrentColor(QColor(10, 200, 5));
        dialog->accept();
        QCOMPARE(editor->GetLevelColor(4), QStringLiteral("#0ac805"));
        QVERIFY(colourButton(editor.get(), 4)->styleSheet().contains(QLatin1String("#0ac805")));
        QCOMPARE(sends(), 1);
        SimulationControl::restartBus();
        const DpiStage stage = stored().DpiStages[4];
        QCOMPARE(int(stage.Red), 10);
        QCOMPARE(int(stage.Green), 200);
        QCOMPARE(int(stage.Blue), 5);
        QVERIFY(editor->GetCurrentLevel() != 4);
    }

    void colourWithWritesDisabledIsKeptAndShown()
    {
        std::unique_ptr<SensorDPIB> editor = filledEditor();
        state().WriteEnabled = 0;
        QTest::mouseClick(colourButton(editor.get(), 1), Qt::LeftButton);
        auto *dialog = editor->findChild<QColorDialog *>();
        dialog->setCurrentColor(QColor(1, 2, 3));
        dialog->accept();
        QCOMPARE(editor->GetLevelColor(1), QStringLiteral("#010203"));
        QVERIFY(colourButton(editor.get(), 1)->styleSheet().contains(QLatin1String("#010203")));
        QCOMPARE(sends(), 0);
    }

    // Stored colours are shown only when the host applies them; the fixed colours never change
    // what is stored; texts that are no colour are ignored.
    void coloursShowWhenApplied()
    {
        SensorDPIB editor;
        QVERIFY(colourButton(&editor, 0)->styleSheet().contains(QLatin1String("rgb(255, 0, 0)")));
        const QString before = colourButton(&editor, 2)->styleSheet();
        editor.SetLevelColor(2, QStringLiteral("#123456"));
        QCOMPARE(colourButton(&editor, 2)->styleSheet(), before);
        editor.ApplyLevelColor(2);
        QVERIFY(colourButton(&editor, 2)->styleSheet().contains(QLatin1String("#123456")));
        editor.ShowFixedColors();
        QVERIFY(colourButton(&editor, 2)->styleSheet().contains(QLatin1String("#00ff00")));
        QCOMPARE(editor.GetLevelColor(2), QStringLiteral("#123456"));
        editor.SetLevelColor(2, QStringLiteral("red"));
        editor.SetLevelColor(9, QStringLiteral("#000000"));
        QCOMPARE(editor.GetLevelColor(2), QStringLiteral("#123456"));
        QCOMPARE(sends(), 0);
    }
};

ZR35_TEST_MAIN(TestVariantDpi)
#include "tst_variantdpi.moc"
