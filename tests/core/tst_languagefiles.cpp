#include "core/languageloader.h"
#include "core/languagetables.h"
#include "tests/support/testmain.h"

#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace {

struct FileSection
{
    QString name;
    QStringList keys;
    QStringList texts;
};

// The sections of a shipped file as written, read independently of the program's loader.
QVector<FileSection> readSections(const QString &fileName)
{
    QVector<FileSection> sections;
    QFile file(AppDir::filePath(QStringLiteral("Language/") + fileName));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return sections;
    QXmlStreamReader xml(&file);
    if (!xml.readNextStartElement())
        return sections;
    while (xml.readNextStartElement()) {
        FileSection section{xml.name().toString(), {}, {}};
        while (xml.readNextStartElement()) {
            section.keys << xml.name().toString();
            section.texts << xml.readElementText();
        }
        sections << section;
    }
    if (xml.hasError())
        sections.clear();
    return sections;
}

bool hasCyrillic(const QString &text)
{
    static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    return cyrillic.match(text).hasMatch();
}

QStringList languageFiles()
{
    return {QStringLiteral("0-English.xml"), QStringLiteral("Ukrainian.xml")};
}

} // namespace

// The shipped language files against what the forms read from them by position.
class TestLanguageFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ReloadLanguageFilesForTest(AppDir::filePath(QStringLiteral("Language")));
    }

    void bothFilesHoldTheSameSectionsWithTheirKeysInOrder()
    {
        for (const QString &fileName : languageFiles()) {
            const QVector<FileSection> sections = readSections(fileName);
            QVERIFY2(!sections.isEmpty(), qPrintable(fileName));
            QStringList names;
            for (const FileSection &section : sections) {
                names << section.name;
                QStringList expected;
                if (section.name == QLatin1String("EXEIsRun")) {
                    expected = QStringList{"label", "NewHong", "label_2", "PleaseStop"};
                } else {
                    for (const LanguageSection &known : LanguageCatalogue()) {
                        if (known.name == section.name)
                            expected = known.keys;
                    }
                    // The button page reads entries 46 to 51 as wheel up, wheel down, the
                    // macro and profile prefixes, the debounce unit and the home-page key.
                    if (section.name == QLatin1String("Buttoninterface"))
                        expected.removeOne(QStringLiteral("VolumeUp_8"));
                }
                QVERIFY2(!expected.isEmpty(), qPrintable(fileName + ": " + section.name));
                QCOMPARE(section.keys, expected);
            }
            // An "English" section here would put a row ahead of the link file's row, which the
            // settings page reads as row 0.
            QStringList expectedNames{QStringLiteral("EXEIsRun")};
            for (const LanguageSection &known : LanguageCatalogue()) {
                if (known.table != &NetTexts)
                    expectedNames << known.name;
            }
            names.sort();
            expectedNames.sort();
            QCOMPARE(names, expectedNames);
        }
    }

    void everyFormHasOneRowPerLanguageWithEveryEntry()
    {
        for (const LanguageSection &section : LanguageCatalogue()) {
            const int rows = section.table == &NetTexts ? 1 : 2;
            QVERIFY2(section.table->rowCount() == rows, qPrintable(section.name));
            const int entries = section.keys.size() - (section.table == &ButtoninterfaceTexts);
            for (int language = 0; language < rows; ++language) {
                QVERIFY2(section.table->entryCount(language) == entries, qPrintable(section.name));
                for (int entry = 0; entry < entries; ++entry) {
                    const QString text = section.table->text(language, entry, QString());
                    QVERIFY2(
                        !text.trimmed().isEmpty(),
                        qPrintable(
                            QStringLiteral("%1 %2 %3").arg(section.name).arg(language).arg(entry)));
                }
            }
        }
    }

    void alreadyRunningNoticeHasEveryText()
    {
        for (const QString &fileName : languageFiles()) {
            for (const FileSection &section : readSections(fileName)) {
                if (section.name != QLatin1String("EXEIsRun"))
                    continue;
                for (const QString &text : section.texts)
                    QVERIFY2(!text.trimmed().isEmpty(), qPrintable(fileName));
            }
        }
    }

    void ukrainianRowsAreUkrainian()
    {
        for (const LanguageSection &section : LanguageCatalogue()) {
            if (section.table == &NetTexts)
                continue;
            bool found = false;
            for (int entry = 0; entry < section.table->entryCount(1); ++entry)
                found = found || hasCyrillic(section.table->text(1, entry, QString()));
            QVERIFY2(found, qPrintable(section.name));
            QVERIFY2(!hasCyrillic(section.table->text(0, 0, QString())), qPrintable(section.name));
        }
    }

    void buttonPageFindsTheWheelAndLabelTextsByPosition()
    {
        const QVector<FileSection> sections = readSections(QStringLiteral("0-English.xml"));
        for (const FileSection &section : sections) {
            if (section.name != QLatin1String("Buttoninterface"))
                continue;
            const QStringList atPosition{"VolumeUp_14", "VolumeDown_14", "Macro_", "Config",
                                         "S1",          "VolumeDown_8"};
            for (int i = 0; i < atPosition.size(); ++i) {
                const int entry = 46 + i;
                QCOMPARE(ButtoninterfaceTexts.text(0, entry, QString()),
                         section.texts.at(section.keys.indexOf(atPosition.at(i))));
            }
            return;
        }
        QFAIL("no Buttoninterface section");
    }

    void buttonPagePrefixAndUnitKeepTheirSpaces()
    {
        // The profile list reads prefix + number and the debounce list number + unit: the space
        // between them comes from the texts, so the table must keep it.
        for (int language = 0; language < 2; ++language) {
            const QString profile = ButtoninterfaceTexts.text(language, 49, QString());
            const QString unit = ButtoninterfaceTexts.text(language, 50, QString());
            QVERIFY2(profile.endsWith(QLatin1Char(' ')) && !profile.trimmed().isEmpty(),
                     qPrintable(profile));
            QVERIFY2(unit.startsWith(QLatin1Char(' ')) && !unit.trimmed().isEmpty(),
                     qPrintable(unit));
        }
    }

    void deletingAMacroFindsItsButtons()
    {
        // The macro page announces a deletion with its prefix and the name; the button page
        // compares that with its own macro labels, made with its own prefix.
        for (int language = 0; language < 2; ++language)
            QCOMPARE(MacroTexts.text(language, 19, QStringLiteral("macro")),
                     ButtoninterfaceTexts.text(language, 48, QStringLiteral("button")));
    }

    void mouseButtonNamesStayApartInMacros()
    {
        for (int language = 0; language < 2; ++language) {
            QStringList names;
            for (int entry = 4; entry <= 8; ++entry) {
                const QString name = ButtoninterfaceTexts.text(language, entry, QString());
                // The event list takes any item holding "ms" for a delay, and a key combination
                // splits its parts at "+".
                QVERIFY2(!name.contains(QLatin1String("ms")), qPrintable(name));
                QVERIFY2(!name.contains(QLatin1Char('+')), qPrintable(name));
                QVERIFY2(!names.contains(name), qPrintable(name));
                names << name;
            }
        }
    }

    void sleepItemsCarryTheNumbersTheirUnitsAreTakenFrom()
    {
        // The sleep-time slider takes its units by removing "10" from the first item and "15"
        // from the sixth.
        for (int language = 0; language < 2; ++language) {
            QVERIFY(FormSettingTexts.text(language, 28, QString()).contains(QLatin1String("10")));
            QVERIFY(FormSettingTexts.text(language, 33, QString()).contains(QLatin1String("15")));
            QVERIFY(LightTexts.text(language, 12, QString()).contains(QLatin1String("10")));
            QVERIFY(LightTexts.text(language, 17, QString()).contains(QLatin1String("15")));
        }
    }

    void linksLeadToOurSite()
    {
        for (int entry : {2, 3})
            QVERIFY(NetTexts.text(0, entry, QString())
                        .startsWith(QLatin1String("https://example.org/")));
    }
};

ZR35_TEST_MAIN(TestLanguageFiles)
#include "tst_languagefiles.moc"
