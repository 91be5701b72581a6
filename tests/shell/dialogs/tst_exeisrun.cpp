#include "core/settingsstore.h"
#include "platform/appdir.h"
#include "shell/dialogs/exeisrun.h"
#include "tests/support/picturecheck.h"
#include "tests/support/testmain.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QToolButton>

namespace {
QByteArray section(const QByteArray &language)
{
    return "<EXEIsRun><label>" + language + " running</label><NewHong>" + language +
           " OK</NewHong><label_2>" + language + " second</label_2><PleaseStop>" + language +
           " stop</PleaseStop></EXEIsRun>";
}

QString labelText(ExeIsRun &notice)
{
    return notice.findChild<QLabel *>(QStringLiteral("label"))->text();
}

QString buttonText(ExeIsRun &notice)
{
    return notice.findChild<QToolButton *>(QStringLiteral("NewHong"))->text();
}
} // namespace

class TestExeIsRun : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir app;

    void writeLanguage(const QString &file, const QByteArray &xml)
    {
        QDir().mkpath(app.filePath(QStringLiteral("Language")));
        QFile f(app.filePath(QStringLiteral("Language/") + file));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + xml);
    }

private slots:
    void init()
    {
        QDir(app.filePath(QStringLiteral("Language"))).removeRecursively();
        AppDir::setOverride(app.path());
        writeLanguage(QStringLiteral("0-English.xml"),
                      "<Total><Other><label>not this</label></Other>" + section("en") + "</Total>");
        writeLanguage(QStringLiteral("Ukrainian.xml"), "<Total>" + section("uk") + "</Total>");
    }
    void cleanupTestCase() { AppDir::setOverride(QStringLiteral(ZR35_TEST_APP_DIR)); }

    void languageComesFromTheSettingsFile_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("button");
        QTest::newRow("English") << 0 << "en running"
                                 << "en OK";
        QTest::newRow("Ukrainian") << 1 << "uk running"
                                   << "uk OK";
        QTest::newRow("unknown index reads English") << 7 << "en running"
                                                     << "en OK";
        // The program has no language 3: it counts as English, as a missing one does.
        QTest::newRow("language the program does not have") << 3 << "en running"
                                                            << "en OK";
    }
    void languageComesFromTheSettingsFile()
    {
        QFETCH(int, stored);
        QFETCH(QString, label);
        QFETCH(QString, button);
        QVERIFY(StoreLanguage(stored));
        ExeIsRun notice;
        QCOMPARE(labelText(notice), label);
        QCOMPARE(buttonText(notice), button);
        StoreLanguage(0);
    }

    void missingFileKeepsDefaults()
    {
        QVERIFY(QFile::remove(app.filePath(QStringLiteral("Language/0-English.xml"))));
        ExeIsRun notice;
        QCOMPARE(labelText(notice), QStringLiteral("Confirm Delete"));
        QCOMPARE(buttonText(notice), QStringLiteral("确定"));
    }

    void shippedFileAndPictures()
    {
        AppDir::setOverride(QStringLiteral(ZR35_TEST_APP_DIR));
        StoreLanguage(1);
        ExeIsRun notice;
        StoreLanguage(0);
        QVERIFY(labelText(notice) != QLatin1String("Confirm Delete"));
        QVERIFY(!labelText(notice).isEmpty());
        QCOMPARE(missingPictures(&notice), QStringList());
    }

    void furtherTexts()
    {
        ExeIsRun notice;
        notice.UseSecondText();
        QCOMPARE(labelText(notice), QStringLiteral("en second"));
        notice.UsePleaseStopText();
        QCOMPARE(labelText(notice), QStringLiteral("en stop"));
    }

    void foreignFileChangesNothing()
    {
        writeLanguage(QStringLiteral("0-English.xml"), "<Profile>" + section("en") + "</Profile>");
        ExeIsRun notice;
        QCOMPARE(labelText(notice), QStringLiteral("Confirm Delete"));
        notice.UseSecondText();
        QCOMPARE(labelText(notice), QString());
    }

    void unknownEntriesAreSkipped()
    {
        writeLanguage(QStringLiteral("0-English.xml"),
                      "<Total><EXEIsRun><Extra><a>x</a><b/></Extra><label>one</label>"
                      "<Odd>y</Odd><NewHong>two</NewHong><label_2>three</label_2>"
                      "<PleaseStop>four</PleaseStop></EXEIsRun></Total>");
        ExeIsRun notice;
        QCOMPARE(labelText(notice), QStringLiteral("one"));
        QCOMPARE(buttonText(notice), QStringLiteral("two"));
        notice.UsePleaseStopText();
        QCOMPARE(labelText(notice), QStringLiteral("four"));
    }

    void nestedEntryEndsTheReading()
    {
        writeLanguage(QStringLiteral("0-English.xml"),
                      "<Total><EXEIsRun><label>kept</label><NewHong>bad<b>x</b></NewHong>"
                      "<label_2>lost</label_2></EXEIsRun></Total>");
        ExeIsRun notice;
        QCOMPARE(labelText(notice), QStringLiteral("kept"));
        QCOMPARE(buttonText(notice), QStringLiteral("确定"));
        notice.UseSecondText();
        QCOMPARE(labelText(notice), QString());
    }
};

ZR35_TEST_MAIN(TestExeIsRun)
#include "tst_exeisrun.moc"
