#include "buttons/model/buttonlabel.h"
#include "buttons/model/buttonmodel.h"
#include "buttons/model/keyrecords.h"
#include "tests/support/testmain.h"

namespace {

FlashDataMap cleared()
{
    FlashDataMap record{};
    return record;
}

void storeMacroName(FlashDataMap &record, int slot, const QByteArray &name)
{
    record.Macros[slot].setName(name.constData(), std::size_t(name.size()));
}

} // namespace

// The page's rows, its mirror of the stored functions and the label each function gets.
class TestButtonModel : public QObject
{
    Q_OBJECT
private slots:
    void rowsAndSlots()
    {
        QCOMPARE(QByteArray(RowSelectorOfSlot(4)), QByteArray("StartPause"));
        QCOMPARE(QByteArray(RowSelectorOfSlot(3)), QByteArray("TopMusic"));
        QCOMPARE(RowOfSlot(4), 3);
        QCOMPARE(RowOfSlot(3), 4);
        QCOMPARE(RowOfSlot(11), 11);
        QVERIFY(!RowSelectorOfSlot(12));
        QVERIFY(!RowSelectorOfSlot(-1));
        QCOMPARE(MacroSlotCode(4), 4);
        QCOMPARE(MacroSlotCode(5), 5);
        QCOMPARE(MacroSlotCode(11), 5);
    }

    void mirrorsFollowTheClampedKeyNumber_data()
    {
        QTest::addColumn<int>("keyNumber");
        QTest::addColumn<int>("entries");
        QTest::newRow("0") << 0 << 0;
        QTest::newRow("3") << 3 << 3;
        QTest::newRow("12") << 12 << 12;
        QTest::newRow("16") << 16 << 16;
        QTest::newRow("20: the record has 16 slots") << 20 << 16;
        QTest::newRow("negative") << -4 << 0;
    }
    void mirrorsFollowTheClampedKeyNumber()
    {
        QFETCH(int, keyNumber);
        QFETCH(int, entries);
        FlashDataMap record = cleared();
        for (int slot = 0; slot < 16; ++slot)
            record.ButtonFunctions[slot] = {std::uint8_t(slot), std::uint8_t(slot + 100),
                                            std::uint8_t(slot + 200)};
        ButtonMirrors mirrors = MirrorsFromRecord(record, keyNumber);
        QCOMPARE(mirrors.ButtonCategories.size(), entries);
        QCOMPARE(mirrors.ButtonCodes.size(), entries);
        QCOMPARE(mirrors.ButtonParams.size(), entries);
        for (int slot = 0; slot < entries; ++slot) {
            const MirroredFunction function = MirroredFunctionAt(mirrors, slot);
            QCOMPARE(function.Category, slot);
            QCOMPARE(function.Code, slot + 100);
            QCOMPARE(function.Param, slot + 200);
        }
        // A row whose slot the model does not hold is an unknown function and takes no write.
        QCOMPARE(MirroredFunctionAt(mirrors, entries).Category, UnknownCategory);
        QVERIFY(!SetMirroredFunction(mirrors, entries, 1, 1, 0));
        QCOMPARE(mirrors.size(), entries);
    }

    void factoryAssignment()
    {
        const ButtonMirrors mirrors = FactoryMirrors();
        QCOMPARE(mirrors.ButtonCategories, (QVector<int>{1, 1, 1, 1, 1, 2, 2, 2, 7, 7, 4, 0}));
        QCOMPARE(mirrors.ButtonCodes, (QVector<int>{1, 2, 4, 8, 16, 1, 2, 3, 0, 0, 10, 0}));
        QCOMPARE(mirrors.ButtonParams, (QVector<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0}));
    }

    void debounceByte()
    {
        QCOMPARE(DebounceIndexOf(0), std::optional<int>(0));
        QCOMPARE(DebounceIndexOf(15), std::optional<int>(15));
        QVERIFY(!DebounceIndexOf(16));
        QVERIFY(!DebounceIndexOf(255));
    }

    void labels_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("option");
        QTest::newRow("no function")
            << 0 << 0 << 9 << int(LabelChoice::OptionText) << QByteArray("DPI_5");
        QTest::newRow("back on slot 3")
            << 3 << 1 << 8 << int(LabelChoice::OptionText) << QByteArray("BackKey_2");
        QTest::newRow("forward on slot 4")
            << 4 << 1 << 16 << int(LabelChoice::OptionText) << QByteArray("ForWardKey");
        QTest::newRow("mouse button 3")
            << 0 << 1 << 3 << int(LabelChoice::Unchanged) << QByteArray();
        QTest::newRow("DPI down") << 1 << 2 << 3 << int(LabelChoice::OptionText)
                                  << QByteArray("VolumeUp_10");
        QTest::newRow("wheel right")
            << 1 << 3 << 2 << int(LabelChoice::OptionText) << QByteArray("VolumeDown_2");
        QTest::newRow("fire key") << 10 << 4 << 77 << int(LabelChoice::OptionText)
                                  << QByteArray("DPI_6");
        QTest::newRow("report rate")
            << 8 << 7 << 5 << int(LabelChoice::OptionText) << QByteArray("DPI_2");
        QTest::newRow("lighting 2") << 2 << 8 << 2 << int(LabelChoice::Unchanged) << QByteArray();
        QTest::newRow("light strip")
            << 2 << 8 << 3 << int(LabelChoice::OptionText) << QByteArray("VolumeUp_6");
        QTest::newRow("profile") << 2 << 9 << 0 << int(LabelChoice::OptionText)
                                 << QByteArray("DPI_3");
        QTest::newRow("DPI lock") << 2 << 10 << 15 << int(LabelChoice::DpiLock)
                                  << QByteArray("DPI_4");
        QTest::newRow("wheel down")
            << 2 << 11 << 2 << int(LabelChoice::OptionText) << QByteArray("VolumeDown_14");
        QTest::newRow("category 12") << 2 << 12 << 0 << int(LabelChoice::Unchanged) << QByteArray();
        QTest::newRow("slot 12") << 12 << 1 << 1 << int(LabelChoice::Unchanged) << QByteArray();
    }
    void labels()
    {
        QFETCH(int, slot);
        QFETCH(int, category);
        QFETCH(int, code);
        QFETCH(int, kind);
        QFETCH(QByteArray, option);
        const LabelChoice choice = ChooseButtonLabel(slot, category, code, cleared());
        QCOMPARE(int(choice.What), kind);
        QCOMPARE(QByteArray(choice.Option), option);
        if (kind == LabelChoice::DpiLock)
            QCOMPARE(choice.Code, code);
    }

    void keySequenceLabels_data()
    {
        QTest::addColumn<int>("usage");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("option");
        QTest::newRow("volume down")
            << 0x00EA << int(LabelChoice::OptionText) << QByteArray("VolumeDown_4");
        QTest::newRow("0x0183") << 0x0183 << int(LabelChoice::OptionText) << QByteArray("Player");
        QTest::newRow("0x0083 shares the low byte")
            << 0x0083 << int(LabelChoice::OptionText) << QByteArray("Player");
        QTest::newRow("0x00E3 is no option")
            << 0x00E3 << int(LabelChoice::Unchanged) << QByteArray();
    }
    void keySequenceLabels()
    {
        QFETCH(int, usage);
        QFETCH(int, kind);
        QFETCH(QByteArray, option);
        FlashDataMap record = cleared();
        record.KeyRecords[5] = MakeConsumerKeyRecord(std::uint8_t(usage >> 8), std::uint8_t(usage));
        const LabelChoice choice = ChooseButtonLabel(5, FunctionCategory::KeySequence, 0, record);
        QCOMPARE(int(choice.What), kind);
        QCOMPARE(QByteArray(choice.Option), option);
    }

    void combinationLabel()
    {
        FlashDataMap record = cleared();
        record.KeyRecords[1] = ParseKeyCombination(QStringLiteral("Ctrl+F"));
        LabelChoice choice = ChooseButtonLabel(1, FunctionCategory::KeySequence, 0, record);
        QCOMPARE(int(choice.What), int(LabelChoice::Combination));
        QCOMPARE(choice.Text, QStringLiteral("Ctrl+F"));
        record.KeyRecords[1].Count = 1;
        choice = ChooseButtonLabel(1, FunctionCategory::KeySequence, 0, record);
        QCOMPARE(choice.Text, QString());
    }

    void macroNames_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("four letters") << QByteArray("Fast") << "Fast" << true;
        QTest::newRow("thirty bytes, no zero")
            << QByteArray(30, 'm') << QString(30, QLatin1Char('m')) << true;
        QTest::newRow("leaving the folder") << QByteArray("../x") << "../x" << false;
        QTest::newRow("empty") << QByteArray() << "" << false;
    }
    void macroNames()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, name);
        QFETCH(bool, allowed);
        FlashDataMap record = cleared();
        storeMacroName(record, 7, stored);
        // The next field's byte must not run into the name.
        record.Macros[7].EventCount = 'Z';
        const LabelChoice choice = ChooseButtonLabel(7, FunctionCategory::Macro, 0, record);
        QCOMPARE(int(choice.What), int(LabelChoice::Macro));
        QCOMPARE(choice.Text, name);
        QCOMPARE(choice.NameAllowed, allowed);
    }
};

ZR35_TEST_MAIN(TestButtonModel)
#include "tst_buttonmodel.moc"
