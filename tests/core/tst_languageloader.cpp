#include "core/languageloader.h"
#include "core/languagetables.h"
#include "tests/support/testmain.h"

#include <QFile>
#include <QTemporaryDir>

using Rows = QVector<QStringList>;
Q_DECLARE_METATYPE(Rows)

namespace {

const char *const englishName = "0-English.xml";
const char *const ukrainianName = "Ukrainian.xml";
const char *const linkName = "Net.xml";

QByteArray languageFile(const QByteArray &sections, const QByteArray &root = "Total")
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<" + root + ">\n" + sections + "\n</" +
           root + ">\n";
}

QByteArray mainSection(const QByteArray &show, const QByteArray &exit)
{
    return "<DialogMain><MainForm>" + show + "</MainForm><Exit>" + exit + "</Exit></DialogMain>";
}

QByteArray linkFile(const QByteArray &root = "Profile")
{
    return languageFile("<English><CompanyName>Name</CompanyName><CompanyNameCn>Назва</"
                        "CompanyNameCn><CompanyWebcn>https://example.org/uk</CompanyWebcn>"
                        "<CompanyWeben>https://example.org/en</CompanyWeben></English>",
                        root);
}

Rows rowsOf(const TextTable &table)
{
    Rows rows;
    for (int r = 0; r < table.rowCount(); ++r) {
        QStringList row;
        for (int e = 0; e < table.entryCount(r); ++e)
            row << table.text(r, e, QString());
        rows << row;
    }
    return rows;
}

} // namespace

// The loader as the main window runs it, on files written here into a temporary folder.
class TestLanguageLoader : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;

    void write(const char *name, const QByteArray &content)
    {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(content), qint64(content.size()));
    }

    void load() { ReloadLanguageFilesForTest(folder.path()); }

private slots:
    void init()
    {
        for (const char *name : {englishName, ukrainianName, linkName})
            QFile::remove(folder.filePath(QString::fromLatin1(name)));
    }

    void rowIndexIsLanguageIndex()
    {
        write(englishName, languageFile(mainSection("Show", "Exit")));
        write(ukrainianName, languageFile(mainSection("Показати", "Вийти")));
        write(linkName, linkFile());
        load();
        QCOMPARE(rowsOf(DialogMainTexts), Rows({{"Show", "Exit"}, {"Показати", "Вийти"}}));
        QCOMPARE(NetTexts.rowCount(), 1);
        QCOMPARE(NetTexts.text(0, 1, QString()), QStringLiteral("Назва"));
    }

    void missingFile_data()
    {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<int>("formRows");
        QTest::addColumn<int>("linkRows");
        // The files are read in a fixed order and the first one missing ends the loading.
        QTest::newRow("no English file") << QStringList{ukrainianName, linkName} << 0 << 0;
        QTest::newRow("no Ukrainian file") << QStringList{englishName, linkName} << 1 << 0;
        QTest::newRow("no link file") << QStringList{englishName, ukrainianName} << 2 << 0;
        QTest::newRow("no file at all") << QStringList{} << 0 << 0;
    }

    void missingFile()
    {
        QFETCH(QStringList, present);
        if (present.contains(englishName))
            write(englishName, languageFile(mainSection("Show", "Exit")));
        if (present.contains(ukrainianName))
            write(ukrainianName, languageFile(mainSection("Показати", "Вийти")));
        if (present.contains(linkName))
            write(linkName, linkFile());
        load();
        QTEST(DialogMainTexts.rowCount(), "formRows");
        QTEST(NetTexts.rowCount(), "linkRows");
        // A form asking for a row that is not there keeps its own text.
        QCOMPARE(DialogMainTexts.text(1, 0, QStringLiteral("default")),
                 present.contains(englishName) && present.contains(ukrainianName)
                     ? QStringLiteral("Показати")
                     : QStringLiteral("default"));
    }

    void wrongRootAddsNothingAndTheNextFileIsRead()
    {
        write(englishName, languageFile(mainSection("Show", "Exit"), "Profile"));
        write(ukrainianName, languageFile(mainSection("Показати", "Вийти")));
        write(linkName, linkFile("Total"));
        load();
        QCOMPARE(rowsOf(DialogMainTexts), Rows({{"Показати", "Вийти"}}));
        QCOMPARE(NetTexts.rowCount(), 0);
    }

    void section_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<Rows>("rows");

        QTest::newRow("keys in file order")
            << QByteArray("<MainForm>a</MainForm><Exit>b</Exit>") << Rows{{"a", "b"}};
        QTest::newRow("closing key first drops the keys after it")
            << QByteArray("<Exit>b</Exit><MainForm>a</MainForm>") << Rows{{"b"}};
        QTest::newRow("no closing key adds no row")
            << QByteArray("<MainForm>a</MainForm>") << Rows{};
        QTest::newRow("closing key twice adds a second, longer row")
            << QByteArray("<MainForm>a</MainForm><Exit>b</Exit><Exit>c</Exit>")
            << Rows{{"a", "b"}, {"a", "b", "c"}};
        QTest::newRow("unknown element skipped with its content")
            << QByteArray("<Other><MainForm>x</MainForm><Exit>y</Exit></Other>"
                          "<MainForm>a</MainForm><Exit>b</Exit>")
            << Rows{{"a", "b"}};
        QTest::newRow("names differing in case are unknown")
            << QByteArray(
                   "<mainform>x</mainform><MainForm>a</MainForm><EXIT>y</EXIT><Exit>b</Exit>")
            << Rows{{"a", "b"}};
        QTest::newRow("text kept as written")
            << QByteArray("<MainForm>  two\n  lines </MainForm><Exit/>")
            << Rows{{"  two\n  lines ", ""}};
        QTest::newRow("CR LF reads as LF")
            << QByteArray("<MainForm>a\r\nb</MainForm><Exit>c</Exit>") << Rows{{"a\nb", "c"}};
        QTest::newRow("references, CDATA, comments")
            << QByteArray("<MainForm>a &amp; &#x0432;<![CDATA[<b>]]><!-- no --><?pi x?>c</MainForm>"
                          "<Exit attr=\"ignored\">d</Exit>")
            << Rows{{"a & в<b>c", "d"}};
        QTest::newRow("element inside a key ends the file")
            << QByteArray("<MainForm>a<b/>c</MainForm><Exit>d</Exit>") << Rows{};
        QTest::newRow("element inside the closing key keeps the text before it")
            << QByteArray("<MainForm>a</MainForm><Exit>b<i>c</i></Exit>") << Rows{{"a", "b"}};
    }

    void section()
    {
        QFETCH(QByteArray, body);
        write(englishName, languageFile("<DialogMain>" + body + "</DialogMain>"));
        load();
        QTEST(rowsOf(DialogMainTexts), "rows");
    }

    void sectionsCountOnlyDirectlyUnderTheRoot()
    {
        write(englishName,
              languageFile("<Wrapper>" + mainSection("x", "y") +
                           "</Wrapper>"
                           "<DialogMain><InportFail><label>x</label><label_1>y</label_1>"
                           "</InportFail><MainForm>a</MainForm><Exit>b</Exit></DialogMain>"));
        load();
        QCOMPARE(rowsOf(DialogMainTexts), Rows({{"a", "b"}}));
        QCOMPARE(InportFailTexts.rowCount(), 0);
    }

    void sectionOrderDoesNotMatter()
    {
        const QByteArray failure = "<InportFail><label>f</label><label_1>g</label_1></InportFail>";
        write(englishName, languageFile(failure + mainSection("a", "b")));
        write(ukrainianName, languageFile(mainSection("в", "г") + failure));
        load();
        QCOMPARE(rowsOf(DialogMainTexts), Rows({{"a", "b"}, {"в", "г"}}));
        QCOMPARE(rowsOf(InportFailTexts), Rows({{"f", "g"}, {"f", "g"}}));
    }

    void brokenFileKeepsItsRowsAndTheNextFileIsRead()
    {
        write(englishName, "<?xml version=\"1.0\"?><Total>" + mainSection("a", "b") +
                               "<InportFail><label>f</Total>");
        write(ukrainianName, languageFile(mainSection("в", "г")));
        load();
        QCOMPARE(rowsOf(DialogMainTexts), Rows({{"a", "b"}, {"в", "г"}}));
        QCOMPARE(InportFailTexts.rowCount(), 0);
    }

    void duplicateSectionMovesLaterRowsUp()
    {
        write(englishName, languageFile(mainSection("a", "b") + mainSection("c", "d")));
        write(ukrainianName, languageFile(mainSection("в", "г")));
        load();
        QCOMPARE(rowsOf(DialogMainTexts), Rows({{"a", "b"}, {"c", "d"}, {"в", "г"}}));
        QCOMPARE(DialogMainTexts.text(1, 0, QString()), QStringLiteral("c"));
    }

    void linkSectionInALanguageFileComesFirst()
    {
        write(englishName, languageFile("<English><CompanyName>x</CompanyName><CompanyNameCn>y"
                                        "</CompanyNameCn><CompanyWebcn>z</CompanyWebcn>"
                                        "<CompanyWeben>w</CompanyWeben></English>"));
        write(ukrainianName, languageFile(mainSection("в", "г")));
        write(linkName, linkFile());
        load();
        QCOMPARE(NetTexts.rowCount(), 2);
        QCOMPARE(NetTexts.text(0, 0, QString()), QStringLiteral("x"));
        QCOMPARE(NetTexts.text(1, 0, QString()), QStringLiteral("Name"));
    }

    void lookupOutsideTheTableGivesTheFallback_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("expected");
        QTest::newRow("present") << 1 << 1 << "d";
        QTest::newRow("short row") << 0 << 1 << "fallback";
        QTest::newRow("no such language") << 2 << 0 << "fallback";
        QTest::newRow("negative language") << -1 << 0 << "fallback";
        QTest::newRow("negative entry") << 0 << -1 << "fallback";
    }

    void lookupOutsideTheTableGivesTheFallback()
    {
        QFETCH(int, language);
        QFETCH(int, entry);
        TextTable table;
        table.appendRow({"a"});
        table.appendRow({"c", "d"});
        QTEST(table.text(language, entry, QStringLiteral("fallback")), "expected");
    }
};

ZR35_TEST_MAIN(TestLanguageLoader)
#include "tst_languageloader.moc"
