#include "buttons/model/buttonmodel.h"
#include "buttons/model/dpicodes.h"
#include "buttons/model/functionoptions.h"
#include "buttons/options/optionassignment.h"
#include "core/devicelink.h"
#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "core/postmsg.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/buttons/simulatedmouse.h"
#include "tests/support/testmain.h"

#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

const QString Mouse = QStringLiteral("Mouse1");
constexpr int FunctionsOffset = 0x4A;
constexpr int KeyRecordsOffset = 0x7C;

// The page as the assignment step sees it: one selected row, the labels and mirrors it was given,
// and how often it cleared the option checks and closed the chooser.
struct PageStandIn : AssignmentPage
{
    int selected = -1;
    QMap<int, QString> labels;
    ButtonMirrors mirrors;
    int clears = 0;
    QList<bool> ends; // keepCategoryList of each EndChoice

    explicit PageStandIn(int keyNumber = 12)
    {
        mirrors.ButtonCategories = QVector<int>(keyNumber, 0);
        mirrors.ButtonCodes = QVector<int>(keyNumber, 0);
        mirrors.ButtonParams = QVector<int>(keyNumber, 0);
    }
    bool IsRowSelected(int row) const override { return row == selected; }
    void ClearFunctionChecks() override { ++clears; }
    void SetRowLabel(int slot, const QString &label) override { labels[slot] = label; }
    void SetButtonFunction(int slot, int category, int code, int param) override
    {
        SetMirroredFunction(mirrors, slot, category, code, param);
    }
    void EndChoice(bool keepCategoryList) override { ends << keepCategoryList; }

    QList<int> mirrorAt(int slot) const
    {
        const MirroredFunction f = MirroredFunctionAt(mirrors, slot);
        return {f.Category, f.Code, f.Param};
    }
};

QByteArray stored()
{
    return SimulationControl::storedRecord(Mouse);
}

QByteArray storedTriple(int slot)
{
    return stored().mid(FunctionsOffset + 3 * slot, 3);
}

QByteArray storedKeys(int slot)
{
    return stored().mid(KeyRecordsOffset + 52 * slot, 52);
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int v : values)
        result.append(char(v));
    return result;
}

// A consumer key record as the mouse keeps it: two events, press then release, 10 ms each.
QByteArray consumerRecord(int usage)
{
    const char lo = char(usage & 0xFF);
    const char hi = char(usage >> 8);
    QByteArray record = bytes({2, 0, 0, 0});
    record += bytes({0, 2}) + lo + hi + bytes({10, 0, 0, 0});
    record += bytes({1, 2}) + lo + hi + bytes({10, 0, 0, 0});
    return record + QByteArray(32, '\0');
}

// The context of a click: the option reads "text", the DPI-lock category "Lock"; the sensor has
// no DPI table.
OptionContext contextOf(const FunctionOption &option)
{
    OptionContext context;
    context.OptionText = QStringLiteral("text of ") + QLatin1String(option.Option);
    context.DpiLockText = QStringLiteral("Lock");
    context.DpiToCode = [](int dpi) { return DpiToCode(dpi, QStringLiteral("P1"), {}, {}); };
    return context;
}

} // namespace

// The one assignment step of the option writers, against the simulated mouse: what the mouse then
// holds, what the row shows and what the page mirrors.
class TestOptionAssignment : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir dir;

private slots:
    void initTestCase()
    {
        QVERIFY(
            SimulatedMouse::select(SimulatedMouse::start(dir.filePath(QStringLiteral("devices")))));
    }
    void cleanupTestCase() { DeviceLink::StopServer(); }
    void init()
    {
        QVERIFY(SimulationControl::setOnline(Mouse, true));
        SimulationControl::clearLog();
    }

    // Every option with a fixed function, on a row of its own choosing. Rows 4 and 5 hold slots
    // 4 and 3.
    void optionWritesItsFunction_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QList<int>>("function"); // category, code, param
        QTest::addColumn<int>("usage");           // multimedia: the key record's usage
        QTest::addColumn<bool>("clears");
        QTest::addColumn<QString>("label");

        const QString own; // the option's own text
        auto row = [&](const char *option, int r, int slot, QList<int> function, int usage,
                       bool clears, const QString &label = QString()) {
            QTest::newRow(option) << QString::fromLatin1(option) << r << slot << function << usage
                                  << clears << label;
        };
        // clang-format off
        row("LeftKey_3", 0, 0, {1, 1, 0}, 0, true);
        row("RightKey_3", 1, 1, {1, 2, 0}, 0, true);
        row("MidKey", 3, 4, {1, 4, 0}, 0, true);
        row("BackKey_2", 4, 3, {1, 8, 0}, 0, true);
        row("ForWardKey", 5, 5, {1, 16, 0}, 0, true);
        row("DPI_2", 6, 6, {7, 0, 0}, 0, true);
        row("DPI_3", 7, 7, {9, 0, 0}, 0, true);
        row("DPI_5", 8, 8, {0, 0, 0}, 0, true);
        row("DPI_6", 9, 9, {4, 10, 3}, 0, true);
        row("VolumeUp_8", 10, 10, {2, 1, 0}, 0, false);
        row("VolumeUp_9", 11, 11, {2, 2, 0}, 0, false);
        row("VolumeUp_10", 0, 0, {2, 3, 0}, 0, false);
        row("VolumeUp_2", 1, 1, {3, 1, 0}, 0, false);
        row("VolumeDown_2", 2, 2, {3, 2, 0}, 0, false);
        row("VolumeUp_4", 3, 4, {8, 0, 0}, 0, false);
        row("VolumeUp_5", 4, 3, {8, 1, 0}, 0, false);
        row("VolumeUp_6", 5, 5, {8, 3, 0}, 0, false);
        row("VolumeUp_7", 6, 6, {8, 4, 0}, 0, false);
        row("VolumeUp_14", 7, 7, {11, 1, 0}, 0, false);
        row("VolumeDown_14", 8, 8, {11, 2, 0}, 0, false);
        // Without a DPI table the sensor counts 50 DPI a step from 50 (code 0).
        const char *locks[] = {"VolumeUp_11", "VolumeUp_12", "VolumeUp_13", "VolumeUp_16",
                               "VolumeUp_15", "VolumeUp_19", "VolumeUp_20", "VolumeUp_22",
                               "VolumeUp_18", "VolumeUp_24", "VolumeUp_23", "VolumeUp_21"};
        for (int i = 0; i < 12; ++i)
            row(locks[i], i, i == 3 ? 4 : i == 4 ? 3 : i, {10, 2 * i + 1, 0}, 0, false,
                QStringLiteral("Lock-text of ") + QLatin1String(locks[i]));
        const struct { const char *option; int usage; } media[] = {
            {"Player", 0x183}, {"StartPause_2", 0xCD}, {"BackMusic_2", 0xB5}, {"TopMusic_2", 0xB6},
            {"Mute", 0xB7}, {"VolumeUp", 0xE2}, {"VolumeDown", 0xE9}, {"VolumeDown_4", 0xEA},
            {"VolumeDown_5", 0x18A}, {"VolumeDown_6", 0x192}, {"VolumeDown_3", 0x194},
            {"VolumeDown_8", 0x223}, {"VolumeDown_9", 0x221}, {"VolumeDown_7", 0x225},
            {"VolumeDown_10", 0x224}, {"VolumeDown_12", 0x226}, {"VolumeDown_13", 0x227},
            {"VolumeDown_11", 0x22A}};
        for (int i = 0; i < 18; ++i) {
            const int r = (i + 3) % 12;
            row(media[i].option, r, r == 3 ? 4 : r == 4 ? 3 : r, {5, 0, 0}, media[i].usage, false);
        }
        // clang-format on
    }
    void optionWritesItsFunction()
    {
        QFETCH(QString, option);
        QFETCH(int, row);
        QFETCH(int, slot);
        QFETCH(QList<int>, function);
        QFETCH(int, usage);
        QFETCH(bool, clears);
        QFETCH(QString, label);

        const FunctionOption *entry = FindOption(option.toLatin1().constData());
        QVERIFY(entry);
        const OptionContext context = contextOf(*entry);
        if (label.isEmpty())
            label = context.OptionText;
        // An old key combination in the slot: a multimedia key replaces all of it.
        KeyRecord old{};
        old.Count = 6;
        for (KeyEvent &event : old.Events)
            event.setCode(0x1E);
        const ButtonFunction combination = {5, 0, 0};
        QVERIFY(WriteButtonKeyRecord(slot, &combination, &old));
        const QByteArray keysBefore = storedKeys(slot);

        PageStandIn page;
        page.selected = row;
        QCOMPARE(AssignToSelectedRow(page, OptionAssignment(*entry, context)), slot);

        QCOMPARE(storedTriple(slot), bytes({function[0], function[1], function[2]}));
        QCOMPARE(storedKeys(slot), usage ? consumerRecord(usage) : keysBefore);
        QCOMPARE(page.labels, (QMap<int, QString>{{slot, label}}));
        QCOMPARE(page.mirrorAt(slot), function);
        QCOMPARE(page.clears, clears ? 1 : 0);
        QCOMPARE(page.ends, QList<bool>{false});
    }

    // The code is the sensor's: from its table when it names the value, dpi / 50 when its table
    // does not, dpi / 50 - 1 without a table. The record keeps a byte, the page the whole code.
    void dpiLockCodeFollowsTheSensor_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("code");
        QTest::newRow("named in the table") << "VolumeUp_11" << 16;
        QTest::newRow("not named: dpi / 50") << "VolumeUp_12" << 4;
        QTest::newRow("above a byte") << "VolumeUp_13" << 0x1A5;
    }
    void dpiLockCodeFollowsTheSensor()
    {
        QFETCH(QString, option);
        QFETCH(int, code);
        const QVector<QString> names = {QStringLiteral("SENSOR_P2_DPI_100"),
                                        QStringLiteral("SENSOR_P2_DPI_300")};
        const QVector<int> values = {16, 0x1A5};
        const FunctionOption *entry = FindOption(option.toLatin1().constData());
        QVERIFY(entry);
        OptionContext context = contextOf(*entry);
        context.DpiToCode = [&](int dpi) {
            return DpiToCode(dpi, QStringLiteral("P2"), names, values);
        };
        PageStandIn page;
        page.selected = 1;
        QCOMPARE(AssignToSelectedRow(page, OptionAssignment(*entry, context)), 1);
        QCOMPARE(storedTriple(1), bytes({10, code & 0xFF, 0}));
        QCOMPARE(page.mirrorAt(1), (QList<int>{10, code, 0}));
    }

    void fireKeyTakesTheDialogsValues()
    {
        OptionContext context = contextOf(*FindOption("DPI_6"));
        context.FireKeyInterval = 200;
        context.FireKeyCount = 0;
        PageStandIn page;
        page.selected = 2;
        QCOMPARE(AssignToSelectedRow(page, OptionAssignment(*FindOption("DPI_6"), context)), 2);
        QCOMPARE(storedTriple(2), bytes({4, 200, 0}));
    }

    void noSelectedRowWritesNothingButCloses()
    {
        PageStandIn page;
        const FunctionOption &option = *FindOption("MidKey");
        QCOMPARE(AssignToSelectedRow(page, OptionAssignment(option, contextOf(option))), -1);
        QVERIFY(SimulationControl::receivedRecords().isEmpty());
        QVERIFY(page.labels.isEmpty());
        QCOMPARE(page.ends, QList<bool>{false});
    }

    // The device asleep: one offline notice, the mouse, the row and the mirror as they were, and
    // the chooser closed all the same.
    void offlineChangesNothingButCloses_data()
    {
        QTest::addColumn<QString>("option");
        QTest::newRow("function") << "VolumeUp_14";
        QTest::newRow("key record") << "Mute";
    }
    void offlineChangesNothingButCloses()
    {
        QFETCH(QString, option);
        const FunctionOption &entry = *FindOption(option.toLatin1().constData());
        const QByteArray before = stored();
        QVERIFY(SimulationControl::setOnline(Mouse, false));
        QSignalSpy offline(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo);
        PageStandIn page;
        page.selected = 0;
        const QList<int> mirror = page.mirrorAt(0);
        QCOMPARE(AssignToSelectedRow(page, OptionAssignment(entry, contextOf(entry))), -1);
        QCOMPARE(offline.size(), 1);
        QCOMPARE(offline.at(0).at(0).toInt(), 0);
        QCOMPARE(stored(), before);
        QVERIFY(page.labels.isEmpty());
        QCOMPARE(page.mirrorAt(0), mirror);
        QCOMPARE(page.ends, QList<bool>{false});
    }

    // A model with five buttons: the page mirrors five slots, yet row 8 is written to the mouse.
    void rowBeyondTheModelsButtonsIsWrittenMirrorsStay()
    {
        PageStandIn page(5);
        page.selected = 7;
        const ButtonMirrors before = page.mirrors;
        const FunctionOption &option = *FindOption("VolumeUp_9");
        QCOMPARE(AssignToSelectedRow(page, OptionAssignment(option, contextOf(option))), 7);
        QCOMPARE(storedTriple(7), bytes({2, 2, 0}));
        QCOMPARE(page.mirrors.ButtonCategories, before.ButtonCategories);
        QCOMPARE(page.mirrors.size(), 5);
        QCOMPARE(page.labels.value(7), contextOf(option).OptionText);
    }

    // Picking the checked option again sends the record again.
    void sameOptionTwiceWritesTwice()
    {
        PageStandIn page;
        page.selected = 0;
        const FunctionOption &option = *FindOption("Player");
        AssignToSelectedRow(page, OptionAssignment(option, contextOf(option)));
        AssignToSelectedRow(page, OptionAssignment(option, contextOf(option)));
        QCOMPARE(SimulationControl::receivedRecords().size(), 2);
    }
};

ZR35_TEST_MAIN(TestOptionAssignment)
#include "tst_optionassignment.moc"
