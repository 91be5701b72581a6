#include "core/languageloader.h"
#include "core/languagetables.h"
#include "core/record/flashdatamap.h"
#include "macro/model/keyvocabulary.h"
#include "tests/support/testmain.h"

#include <QSet>

namespace {

const QStringList ButtonNames{"Left button", "Right button", "Middle button", "Forward button",
                              "Back button"};

const QString LeftArrow = QString(QChar(0x2190));

} // namespace

class TestKeyVocabulary : public QObject
{
    Q_OBJECT
private slots:
    void init() { SetMouseButtonNames(ButtonNames); }

    void theTableHolds104DistinctKeys()
    {
        const QVector<KeyRow> &table = KeyTable();
        QCOMPARE(table.size(), 104);
        QSet<QString> names;
        QSet<int> virtualKeys;
        QSet<QPair<int, int>> codes;
        for (const KeyRow &row : table) {
            names.insert(row.name);
            virtualKeys.insert(row.virtualKey);
            codes.insert({row.kind, row.code});
        }
        QCOMPARE(names.size(), 104);
        QCOMPARE(virtualKeys.size(), 104);
        QCOMPARE(codes.size(), 104);
    }

    void virtualKeyNames_data()
    {
        QTest::addColumn<int>("vk");
        QTest::addColumn<bool>("named");
        QTest::addColumn<QString>("name");
        QTest::newRow("A") << 0x41 << true << "A";
        QTest::newRow("Z") << 0x5A << true << "Z";
        QTest::newRow("0") << 0x30 << true << "0";
        QTest::newRow("keypad 0") << 0x60 << true << "Num0";
        QTest::newRow("keypad 9") << 0x69 << true << "Num9";
        QTest::newRow("F12") << 0x7B << true << "F12";
        QTest::newRow("left arrow") << 0x25 << true << LeftArrow;
        QTest::newRow("right alt") << 0xA5 << true << "RAlt";
        QTest::newRow("clear is the empty name") << 0x0C << true << "";
        QTest::newRow("F13") << 0x7C << false << "";
        QTest::newRow("media key") << 0xAF << false << "";
        QTest::newRow("keypad separator") << 0x6C << false << "";
    }
    void virtualKeyNames()
    {
        QFETCH(int, vk);
        QFETCH(bool, named);
        QFETCH(QString, name);
        const std::optional<QString> found = VirtualKeyName(vk);
        QCOMPARE(found.has_value(), named);
        if (named)
            QCOMPARE(*found, name);
    }

    void codeTextsToNames_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::newRow("tab") << "0x2B" << 1 << "Tab";
        QTest::newRow("A") << "0x04" << 1 << "A";
        QTest::newRow("left alt") << "0x04" << 0 << "LAlt";
        QTest::newRow("middle button") << "0x04" << 4 << "Middle button";
        QTest::newRow("forward button is bit 0x10") << "0x10" << 4 << "Forward button";
        QTest::newRow("back button is bit 0x08") << "0x08" << 4 << "Back button";
        QTest::newRow("lower-case digits") << "0x2b" << 1 << "";
        QTest::newRow("one digit") << "0x4" << 1 << "";
        QTest::newRow("modifier code as a key") << "0x80" << 1 << "";
        QTest::newRow("key code as a modifier") << "0x2B" << 0 << "";
        QTest::newRow("consumer kind") << "0x04" << 2 << "";
        QTest::newRow("arrow") << "0x50" << 1 << LeftArrow;
        QTest::newRow("empty name") << "0x00" << 1 << "";
    }
    void codeTextsToNames()
    {
        QFETCH(QString, code);
        QFETCH(int, kind);
        QFETCH(QString, name);
        QCOMPARE(KeyCodeToName(code, kind), name);
    }

    void deviceCodesToNames_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::newRow("0x04 key") << 0x04 << 1 << "A";
        QTest::newRow("0x04 modifier") << 0x04 << 0 << "LAlt";
        QTest::newRow("0x08 modifier") << 0x08 << 0 << "LWin";
        QTest::newRow("0x10 key") << 0x10 << 1 << "M";
        QTest::newRow("0x20 modifier") << 0x20 << 0 << "RShift";
        QTest::newRow("0x20 consumer") << 0x20 << 2 << "";
        QTest::newRow("0x40 key") << 0x40 << 1 << "F7";
        QTest::newRow("0x40 modifier") << 0x40 << 0 << "RAlt";
        QTest::newRow("0x40 consumer") << 0x40 << 2 << "F7";
        QTest::newRow("0x01 whatever kind") << 0x01 << 1 << "LCtrl";
        QTest::newRow("0x80 whatever kind") << 0x80 << 2 << "RWin";
        QTest::newRow("keypad enter") << 0x58 << 1 << "Enter";
        QTest::newRow("key code under another kind") << 0x2B << 0 << "Tab";
        QTest::newRow("no row") << 0x68 << 1 << "";
        QTest::newRow("beyond a byte") << 0x104 << 1 << "";
    }
    void deviceCodesToNames()
    {
        QFETCH(int, code);
        QFETCH(int, kind);
        QFETCH(QString, name);
        QCOMPARE(KeyValueToName(code, kind), name);
    }

    void mouseButtonNamesByBit()
    {
        QCOMPARE(MouseButtonName(0x01), QStringLiteral("Left button"));
        QCOMPARE(MouseButtonName(0x10), QStringLiteral("Forward button"));
        QCOMPARE(MouseButtonName(0x08), QStringLiteral("Back button"));
        QCOMPARE(MouseButtonName(0x03), QString());
        QCOMPARE(MouseButtonName(0x20), QString());
    }

    void namesToFileCodes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("codes");
        QTest::newRow("LCtrl") << "LCtrl" << QStringList{"0x01", "0"};
        QTest::newRow("Num0") << "Num0" << QStringList{"0x62", "1"};
        QTest::newRow("forward button") << "Forward button" << QStringList{"0x10", "4"};
        QTest::newRow("empty name") << "" << QStringList{"0x00", "1"};
        QTest::newRow("arrow") << LeftArrow << QStringList{"0x50", "1"};
        QTest::newRow("unknown") << "F13" << QStringList();
        QTest::newRow("case matters") << "lctrl" << QStringList();
    }
    void namesToFileCodes()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, codes);
        QCOMPARE(KeyNameToCodes(name), codes);
    }

    // Every name goes to its code and back, the five mouse buttons included.
    void roundTripOfAll109Names()
    {
        QStringList names;
        for (const KeyRow &row : KeyTable())
            names << row.name;
        names << MouseButtonNames();
        QCOMPARE(names.size(), 109);
        for (const QString &name : names) {
            const QStringList codes = KeyNameToCodes(name);
            QCOMPARE(codes.size(), 2);
            QCOMPARE(KeyCodeToName(codes.at(0), codes.at(1).toInt()), name);
            MacroRecord record{};
            EncodeMacroEvent(name, 3, record);
            QCOMPARE(CodeText(record.Events[3].code()), codes.at(0));
            QCOMPARE(int(record.Events[3].Kind), codes.at(1).toInt());
            if (record.Events[3].Kind != 4)
                QCOMPARE(KeyValueToName(record.Events[3].code(), record.Events[3].Kind), name);
        }
    }

    // A language text equal to a fixed name converts as that key; one equal to F1 ... F12 wins
    // over the function key.
    void mouseNamesComeAfterTheFixedNamesButBeforeTheFunctionKeys()
    {
        SetMouseButtonNames({"Space", "F1", "", "Forward button", "Back button"});
        QCOMPARE(KeyNameToCodes(QStringLiteral("Space")), (QStringList{"0x2C", "1"}));
        QCOMPARE(KeyNameToCodes(QStringLiteral("F1")), (QStringList{"0x02", "4"}));
        QCOMPARE(KeyNameToCodes(QString()), (QStringList{"0x00", "1"}));
    }

    void beforeALanguageTheMouseNamesAreEmpty()
    {
        SetMouseButtonNames({});
        QCOMPARE(MouseButtonNames(), (QStringList{"", "", "", "", ""}));
        QCOMPARE(KeyCodeToName(QStringLiteral("0x01"), 4), QString());
        QCOMPARE(KeyNameToCodes(QString()), (QStringList{"0x00", "1"}));
    }

    void encodingLeavesActionAndDelay()
    {
        MacroRecord record{};
        record.Events[5].Action = 1;
        record.Events[5].setDelay(1234);
        record.Events[5].setCode(0x77);
        record.Events[5].Kind = 4;
        EncodeMacroEvent(QStringLiteral("no such key"), 5, record);
        QCOMPARE(int(record.Events[5].Kind), 1);
        QCOMPARE(int(record.Events[5].code()), 0x77);
        EncodeMacroEvent(QStringLiteral("RWin"), 5, record);
        QCOMPARE(int(record.Events[5].Kind), 0);
        QCOMPARE(int(record.Events[5].code()), 0x80);
        QCOMPARE(int(record.Events[5].Action), 1);
        QCOMPARE(record.Events[5].delay(), 1234u);
        // Outside the 70 events nothing is written.
        const MacroRecord before = record;
        EncodeMacroEvent(QStringLiteral("A"), 70, record);
        EncodeMacroEvent(QStringLiteral("A"), -1, record);
        QVERIFY(memcmp(&before, &record, sizeof record) == 0);
    }

    // The shipped names of the mouse buttons name no key of the table, in either language, so a
    // macro's mouse events never load back as keys.
    void shippedMouseNamesAreNoKeyNames()
    {
        ReloadLanguageFilesForTest(AppDir::filePath(QStringLiteral("Language")));
        for (int language = 0; language < 2; ++language) {
            for (int entry = 4; entry <= 8; ++entry) {
                const QString name = ButtoninterfaceTexts.text(language, entry, QString());
                QVERIFY(!name.isEmpty());
                for (const KeyRow &row : KeyTable())
                    QVERIFY2(name != row.name, qPrintable(name));
            }
        }
    }
};

ZR35_TEST_MAIN(TestKeyVocabulary)
#include "tst_keyvocabulary.moc"
