#include "buttons/model/dpicodes.h"
#include "buttons/model/rowdecode.h"
#include "core/record/recordcodes.h"
#include "tests/support/testmain.h"

namespace {

// A sensor without a DPI table: code c stands for (c + 1) * 50 DPI.
int dpiWithoutTable(int code)
{
    return CodeToDpi(code, QStringLiteral("NOTABLE"), {}, {});
}

KeyEvent keyEvent(int kind, int usage)
{
    KeyEvent event{};
    event.Kind = std::uint8_t(kind);
    event.setCode(std::uint16_t(usage));
    return event;
}

QString nameOf(const char *name)
{
    return name ? QString::fromLatin1(name) : QString();
}

} // namespace

// What a row shows when it is clicked, from the function stored for its button. Widget-free: the
// page only applies the view.
class TestRowDecode : public QObject
{
    Q_OBJECT

private slots:
    void storedFunctionOpensItsOption_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("kind"); // event 0 of the key record
        QTest::addColumn<int>("usage");
        QTest::addColumn<bool>("known");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("categoryButton");
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("m"); // -1: the multimedia list stays
        QTest::addColumn<int>("d"); // -1: the DPI-lock list stays

        const QString none;
        // clang-format off
        QTest::newRow("no function") << 0 << 0 << 0 << 0 << true << "page_9" << "DPI_5" << none << 9 << -1 << 0;
        QTest::newRow("left click") << 1 << 1 << 0 << 0 << true << "page_9" << "LeftKey_3" << none << 0 << -1 << 0;
        QTest::newRow("right click") << 1 << 2 << 0 << 0 << true << "page_9" << "RightKey_3" << none << 1 << -1 << 0;
        QTest::newRow("middle click") << 1 << 4 << 0 << 0 << true << "page_9" << "MidKey" << none << 2 << -1 << 0;
        QTest::newRow("back") << 1 << 8 << 0 << 0 << true << "page_9" << "BackKey_2" << none << 3 << -1 << 0;
        QTest::newRow("forward") << 1 << 16 << 0 << 0 << true << "page_9" << "ForWardKey" << none << 4 << -1 << 0;
        QTest::newRow("mouse buttons 1 and 2 at once") << 1 << 3 << 0 << 0 << true << "page_9" << none << none << 0 << -1 << 0;
        QTest::newRow("DPI cycle") << 2 << 1 << 0 << 0 << true << "page_7" << "DPI_7" << "VolumeUp_8" << 13 << -1 << 0;
        QTest::newRow("DPI down") << 2 << 3 << 0 << 0 << true << "page_7" << "DPI_7" << "VolumeUp_10" << 13 << -1 << 0;
        QTest::newRow("DPI control 7") << 2 << 7 << 0 << 0 << true << "page_7" << "DPI_7" << none << 13 << -1 << 0;
        QTest::newRow("wheel right") << 3 << 2 << 0 << 0 << true << "page_4" << "DPI_11" << "VolumeDown_2" << 10 << -1 << 0;
        QTest::newRow("fire key") << 4 << 40 << 0 << 0 << true << "page_9" << "DPI_6" << none << 7 << -1 << 0;
        QTest::newRow("macro") << 6 << 2 << 0 << 0 << true << "page_5" << "DPI_10" << none << 15 << -1 << 0;
        QTest::newRow("report rate") << 7 << 0 << 0 << 0 << true << "page_9" << "DPI_2" << none << 5 << -1 << 0;
        QTest::newRow("light strip") << 8 << 3 << 0 << 0 << true << "page_6" << "DPI_9" << "VolumeUp_6" << 12 << -1 << 0;
        QTest::newRow("next strip effect") << 8 << 4 << 0 << 0 << true << "page_6" << "DPI_9" << "VolumeUp_7" << 12 << -1 << 0;
        QTest::newRow("lighting code 2 is no option") << 8 << 2 << 0 << 0 << true << "page_6" << "DPI_9" << none << 12 << -1 << 0;
        QTest::newRow("profile") << 9 << 5 << 0 << 0 << true << "page_9" << "DPI_3" << none << 6 << -1 << 0;
        QTest::newRow("DPI lock 100") << 10 << 1 << 0 << 0 << true << "page_8" << "DPI_4" << "VolumeUp_11" << 15 << -1 << 0;
        QTest::newRow("DPI lock 300") << 10 << 5 << 0 << 0 << true << "page_8" << "DPI_4" << "VolumeUp_13" << 15 << -1 << 2;
        QTest::newRow("DPI lock 1200") << 10 << 23 << 0 << 0 << true << "page_8" << "DPI_4" << "VolumeUp_21" << 15 << -1 << 11;
        QTest::newRow("DPI lock 250 is no option") << 10 << 4 << 0 << 0 << true << "page_8" << "DPI_4" << none << 15 << -1 << 0;
        QTest::newRow("wheel up") << 11 << 1 << 0 << 0 << true << "page_10" << "DPI_13" << "VolumeUp_14" << 10 << -1 << 0;
        QTest::newRow("category 12") << 12 << 1 << 0 << 0 << false << none << none << none << 0 << -1 << 0;
        QTest::newRow("category 255") << 255 << 1 << 2 << 0xE2 << false << none << none << none << 0 << -1 << 0;
        QTest::newRow("no mirror entry") << int(UnknownCategory) << 1 << 0 << 0 << false << none << none << none << 0 << -1 << 0;

        QTest::newRow("media player 0x183") << 5 << 0 << 2 << 0x183 << true << "page_3" << "DPI_12" << "Player" << 16 << 0 << -1;
        QTest::newRow("low byte 0x83 alone") << 5 << 0 << 2 << 0x83 << true << "page_3" << "DPI_12" << "Player" << 16 << 0 << -1;
        QTest::newRow("volume down") << 5 << 0 << 2 << 0xEA << true << "page_3" << "DPI_12" << "VolumeDown_4" << 16 << 7 << -1;
        QTest::newRow("browser back") << 5 << 0 << 2 << 0x224 << true << "page_3" << "DPI_12" << "VolumeDown_10" << 16 << 13 << -1;
        QTest::newRow("browser forward") << 5 << 0 << 2 << 0x225 << true << "page_3" << "DPI_12" << "VolumeDown_7" << 16 << 14 << -1;
        QTest::newRow("bookmarks") << 5 << 0 << 2 << 0x22A << true << "page_3" << "DPI_12" << "VolumeDown_11" << 16 << 17 << -1;
        QTest::newRow("unknown usage") << 5 << 0 << 2 << 0x99 << true << "page_9" << "DPI_8" << none << 8 << 0 << -1;
        QTest::newRow("keyboard 0x21 is a combination") << 5 << 0 << 1 << 0x21 << true << "page_9" << "DPI_8" << none << 8 << 0 << -1;
        QTest::newRow("modifier first") << 5 << 0 << 0 << 0xE2 << true << "page_9" << "DPI_8" << none << 8 << 0 << -1;
        // clang-format on
    }
    void storedFunctionOpensItsOption()
    {
        QFETCH(int, category);
        QFETCH(int, code);
        QFETCH(int, kind);
        QFETCH(int, usage);
        QFETCH(bool, known);
        QFETCH(QString, page);
        QFETCH(QString, categoryButton);
        QFETCH(QString, option);
        QFETCH(int, n);
        QFETCH(int, m);
        QFETCH(int, d);

        const RowView view =
            DecodeStoredFunction(category, code, keyEvent(kind, usage), dpiWithoutTable);
        QCOMPARE(view.Known, known);
        QCOMPARE(nameOf(view.OptionPage), page);
        QCOMPARE(nameOf(view.CategoryButton), categoryButton);
        QCOMPARE(nameOf(view.Option), option);
        QCOMPARE(view.MatchMacro, category == FunctionCategory::Macro);
        QCOMPARE(view.CategoryStep, n);
        QCOMPARE(view.MultimediaStep.value_or(-1), m);
        QCOMPARE(view.DpiStep.value_or(-1), d);
    }

    // The DPI-lock option follows the sensor's own table: a code no entry holds shows no option.
    void dpiLockFollowsTheSensorTable_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("d");
        QTest::newRow("table code of 800") << 0x12 << "VolumeUp_22" << 7;
        QTest::newRow("table code of 1000") << 0x30 << "VolumeUp_24" << 9;
        QTest::newRow("a code no entry holds") << 15 << QString() << 0;
    }
    void dpiLockFollowsTheSensorTable()
    {
        QFETCH(int, code);
        QFETCH(QString, option);
        QFETCH(int, d);
        const QVector<QString> names = {QStringLiteral("SENSOR_P1_DPI_800"),
                                        QStringLiteral("SENSOR_P1_DPI_1000")};
        const QVector<int> values = {0x12, 0x30};
        const RowView view =
            DecodeStoredFunction(FunctionCategory::DpiLock, code, KeyEvent{}, [&](int c) {
                return CodeToDpi(c, QStringLiteral("P1"), names, values);
            });
        QCOMPARE(nameOf(view.Option), option);
        QCOMPARE(view.DpiStep.value_or(-1), d);
    }

    // The function comes from the page's mirrors, the key record from the device record; a slot
    // the mirrors do not hold (the model has fewer buttons) shows nothing.
    void rowReadsItsOwnSlot()
    {
        FlashDataMap record{};
        for (int slot = 0; slot < int(FlashDataMap::ButtonSlots); ++slot) {
            record.KeyRecords[slot].Events[0].Kind = KeyEventKind::Consumer;
            record.KeyRecords[slot].Events[0].setCode(0xE2); // mute
        }
        record.KeyRecords[3].Events[0].setCode(0xE9); // volume up
        ButtonMirrors mirrors;
        mirrors.ButtonCategories = QVector<int>(5, FunctionCategory::KeySequence);
        mirrors.ButtonCodes = QVector<int>(5, 0);
        mirrors.ButtonParams = QVector<int>(5, 0);

        QCOMPARE(nameOf(DecodeRow(mirrors, record, 3, dpiWithoutTable).Option),
                 QStringLiteral("VolumeDown"));
        QCOMPARE(nameOf(DecodeRow(mirrors, record, 4, dpiWithoutTable).Option),
                 QStringLiteral("VolumeUp"));
        for (int slot : {5, 11, 15, 16, -1}) {
            const RowView beyond = DecodeRow(mirrors, record, slot, dpiWithoutTable);
            QVERIFY(!beyond.Known);
            QCOMPARE(beyond.Option, nullptr);
            QCOMPARE(beyond.CategoryStep, 0);
        }
    }

    void onlyTheLastLeftClickRowIsRefused_data()
    {
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("refused");
        const QString left = QStringLiteral("Left");
        QStringList one;
        for (int i = 0; i < 12; ++i)
            one << QStringLiteral("Back");
        one[0] = left;
        QStringList two = one;
        two[2] = left;
        QStringList hiddenSecond = one;
        hiddenSecond[9] = left; // rows 6 to 12 are hidden on the five-button mouse
        QStringList similar = one;
        similar[1] = QStringLiteral("left");
        QTest::newRow("the only one") << one << 0 << true;
        QTest::newRow("another row") << one << 1 << false;
        QTest::newRow("one of two") << two << 2 << false;
        QTest::newRow("a hidden row counts") << hiddenSecond << 0 << false;
        QTest::newRow("case matters") << similar << 0 << true;
    }
    void onlyTheLastLeftClickRowIsRefused()
    {
        QFETCH(QStringList, labels);
        QFETCH(int, row);
        QFETCH(bool, refused);
        QCOMPARE(IsLastLeftClickRow(labels, row, QStringLiteral("Left")), refused);
    }

    void macroRowChecksTheLastMatchingButton_data()
    {
        QTest::addColumn<QStringList>("macros");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("match");
        const QStringList macros = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("b")};
        QTest::newRow("first") << macros << "M:a" << 0;
        QTest::newRow("the last of two") << macros << "M:b" << 2;
        QTest::newRow("zero bytes of the name field")
            << macros << QStringLiteral("M:a") + QString(3, QChar(0)) << 0;
        QTest::newRow("no prefix") << macros << "a" << -1;
        QTest::newRow("no macro buttons") << QStringList() << "M:a" << -1;
    }
    void macroRowChecksTheLastMatchingButton()
    {
        QFETCH(QStringList, macros);
        QFETCH(QString, label);
        QFETCH(int, match);
        QCOMPARE(MatchingMacroButton(macros, QStringLiteral("M:"), label), match);
    }
};

ZR35_TEST_MAIN(TestRowDecode)
#include "tst_rowdecode.moc"
