#include "core/devicestate.h"
#include "core/languageloader.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "macro/eventitem.h"
#include "macro/macro.h"
#include "macro/model/macroexportfile.h"
#include "macro/model/macroname.h"
#include "platform/desktop/filedialogs.h"
#include "tests/macro/macrobench.h"
#include "tests/macro/macrobuildercases.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/modaldriver.h"
#include "tests/support/screens.h"
#include "tests/support/testmain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QToolButton>

namespace {

void setLanguage(int language)
{
    DeviceState::instance()->CurrentLanguage = language;
    emit PostMsg::GetInstance()->SigAllLanguage(language);
}

QString exportPath()
{
    return QDir::home().filePath(QStringLiteral("exported.ini"));
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The file dialogs answer `path`; the requests they were asked are kept.
struct FileAnswer
{
    QList<FileDialogs::Request> asked;
    explicit FileAnswer(const QString &path)
    {
        FileDialogs::setHandler([this, path](const FileDialogs::Request &request) {
            asked << request;
            return path;
        });
    }
    ~FileAnswer() { FileDialogs::setHandler({}); }
};

} // namespace

// One macro exported from the page and imported into it: the round trip, and the files the import
// refuses.
class TestMacroTransfer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { FillMacroTexts(); }
    void init()
    {
        DeviceState::instance()->MacroRecording = 0;
        setLanguage(0);
        clearMacroFolder();
        QFile::remove(exportPath());
    }

    void roundTrip()
    {
        writeMacro(QStringLiteral("Greeting.ini"), "3\n0x04 1 0\n10ms\n0x04 1 1\n");
        {
            Macro page;
            page.show();
            clickMacro(page, QStringLiteral("Greeting"));
            // Unsaved choices go with the export.
            child<QCheckBox>(&page, "ReUntil")->click();
            emit child<QComboBox>(&page, "ChooseEvent")->activated(4);
            FileAnswer answer(exportPath());
            QMetaObject::invokeMethod(&page, "ExPortMacro");
            QCOMPARE(answer.asked.size(), 1);
            QCOMPARE(answer.asked.at(0).kind, FileDialogs::Request::Kind::Save);
            QCOMPARE(answer.asked.at(0).parent, &page);
            QCOMPARE(answer.asked.at(0).caption, QStringLiteral("FileSave"));
            // The dialog offers the macro's own name in the home folder.
            QCOMPARE(answer.asked.at(0).dir, QDir::home().filePath(QStringLiteral("Greeting.ini")));
            QCOMPARE(answer.asked.at(0).filter, QStringLiteral("File(*.ini)"));
        }
        QVERIFY(readFile(exportPath()).startsWith(QByteArray("\0\0\0\x0cTavik", 9)));

        // Imported where the macro is unknown, in the other language.
        clearMacroFolder();
        setLanguage(1);
        Macro page;
        page.show();
        QSignalSpy hub(PostMsg::GetInstance(), &PostMsg::SigUpDataMacro);
        FileAnswer answer(exportPath());
        QMetaObject::invokeMethod(&page, "InPortMacro");
        QCOMPARE(answer.asked.at(0).kind, FileDialogs::Request::Kind::Open);
        QCOMPARE(answer.asked.at(0).caption, QStringLiteral("SelectFile"));
        QCOMPARE(answer.asked.at(0).dir, QDir::homePath());
        QCOMPARE(macroNames(page), QStringList{"Greeting"});
        QCOMPARE(child<QListWidget>(&page, "listWidgetHong")->currentItem()->text(),
                 QStringLiteral("Greeting"));
        QCOMPARE(eventData(page),
                 QStringLiteral("+A[0x04/1] 10ms[10] -A[0x04/1] 10ms[10] +%1[0x01/4] 10ms[10] "
                                "-%1[0x01/4]")
                     .arg(fixtureText(1, "Buttoninterface", 4)));
        // The program's own pictures.
        const auto *list = child<QListWidget>(&page, "listWidgetKey");
        QCOMPARE(list->item(0)->icon().pixmap(16).toImage(),
                 EventItem::Icons().press.pixmap(16).toImage());
        QCOMPARE(list->item(1)->icon().pixmap(16).toImage(),
                 EventItem::Icons().delay.pixmap(16).toImage());
        QCOMPARE(macroFile(QStringLiteral("Greeting.ini")),
                 QByteArray("253\n0x04 1 0\n10ms\n0x04 1 1\n10ms\n0x01 4 0\n10ms\n0x01 4 1\n"));
        QCOMPARE(hub.size(), 0);
    }

    void cancelledDialogs()
    {
        writeMacro(QStringLiteral("m.ini"), "1\n");
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("m"));
        FileAnswer answer{QString()};
        QMetaObject::invokeMethod(&page, "ExPortMacro");
        QMetaObject::invokeMethod(&page, "InPortMacro");
        QCOMPARE(answer.asked.size(), 2);
        QVERIFY(!QFile::exists(exportPath()));
        QCOMPARE(macroFiles(), QStringList{"m.ini"});
    }

    // The disk fills while the export is written: an earlier export stays as it was, and the
    // failure is reported.
    void fullDiskKeepsTheEarlierExport()
    {
        writeMacro(QStringLiteral("Greeting.ini"), "3\n0x04 1 0\n10ms\n0x04 1 1\n");
        writeFile(exportPath(), "an earlier export");
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("Greeting"));
        FileAnswer answer(exportPath());
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^cannot write the macro export")));
        // The user is told: the notice that the file could not be written.
        ModalDriver notice(ModalDriver::named(QStringLiteral("SameMacro")),
                           QStringLiteral("NewHong"));
        const QString failure = FailedSaveKeepsTheFile(exportPath(), 64, [&] {
            QMetaObject::invokeMethod(&page, "ExPortMacro");
            return false; // its failure shows as the warning awaited above
        });
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QVERIFY2(notice.fired(), qPrintable(notice.failure()));
        QCOMPARE(answer.asked.size(), 1);
    }

    // A file that is not a macro export, or a damaged one, adds nothing and says so.
    void refusedFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        const QByteArray good = WriteMacroExport(
            {QStringLiteral("m"), QStringLiteral("1"), EventsOf(QStringLiteral("+A 10ms -A"))},
            EventItem::Icons());
        QByteArray wrongTag = good;
        wrongTag[4] = 'X';
        QByteArray huge = good;
        huge.replace(84, 4, QByteArray("\x7f\xff\xff\xff", 4));
        QTest::newRow("wrong tag") << wrongTag;
        QTest::newRow("truncated") << good.left(good.size() - 3);
        QTest::newRow("count 0x7FFFFFFF") << huge;
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("a macro file") << QByteArray("1\n0x04 1 0\n");
    }
    void refusedFiles()
    {
        QFETCH(QByteArray, file);
        writeMacro(QStringLiteral("keep.ini"), "1\n");
        writeFile(exportPath(), file);
        Macro page;
        page.show();
        QString told;
        ModalAction notice(QStringLiteral("SameMacro"), [&](QWidget *dialog) {
            told = child<QLabel>(dialog, "label")->text();
            child<QToolButton>(dialog, "NewHong")->click();
        });
        FileAnswer answer(exportPath());
        QMetaObject::invokeMethod(&page, "InPortMacro");
        QVERIFY(notice.done());
        QCOMPARE(told, fixtureText(0, "Macro", 25));
        QCOMPARE(macroNames(page), QStringList{"keep"});
        QCOMPARE(macroFiles(), QStringList{"keep.ini"});
    }

    // The notice of a damaged file, as the shipped texts give it.
    void damagedFileNotice_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("English") << 0;
        QTest::newRow("Ukrainian") << 1;
    }
    void damagedFileNotice()
    {
        QFETCH(int, language);
        ReloadLanguageFilesForTest(AppDir::filePath(QStringLiteral("Language")));
        setLanguage(language);
        writeFile(exportPath(), "not a macro");
        Macro page;
        page.show();
        QString told;
        ModalAction notice(QStringLiteral("SameMacro"), [&](QWidget *dialog) {
            told = child<QLabel>(dialog, "label")->text();
            const QString error =
                saveScreen(dialog, QStringLiteral("macro-notice-notmacrofile-%1").arg(language));
            QVERIFY2(error.isEmpty(), qPrintable(error));
            child<QToolButton>(dialog, "NewHong")->click();
        });
        FileAnswer answer(exportPath());
        QMetaObject::invokeMethod(&page, "InPortMacro");
        QVERIFY(notice.done());
        QCOMPARE(told, MacroTexts.text(language, 25, QString()));
        QVERIFY(!told.isEmpty());
        FillMacroTexts();
    }

    // An export into a folder that does not exist, and an import the macro folder cannot take,
    // say so; the import adds nothing.
    void refusedWritesAreTold_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("export") << "ExPortMacro";
        QTest::newRow("import") << "InPortMacro";
    }
    void refusedWritesAreTold()
    {
        QFETCH(QString, action);
        writeMacro(QStringLiteral("m.ini"), "1\n");
        const bool exporting = action == QLatin1String("ExPortMacro");
        const QString missing = QDir::home().filePath(QStringLiteral("no such folder/out.ini"));
        writeFile(exportPath(), WriteMacroExport({QStringLiteral("fresh"), QStringLiteral("1"),
                                                  EventsOf(QStringLiteral("+A"))},
                                                 EventItem::Icons()));
        Macro page;
        page.show();
        clickMacro(page, QStringLiteral("m"));
        if (!exporting) {
            // The macro folder replaced by a file: no macro file can be written into it.
            QVERIFY(QDir(MacroFolder()).removeRecursively());
            writeFile(MacroFolder(), "not a folder");
        }
        QString told;
        ModalAction notice(QStringLiteral("SameMacro"), [&](QWidget *dialog) {
            told = child<QLabel>(dialog, "label")->text();
            child<QToolButton>(dialog, "NewHong")->click();
        });
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("cannot write"));
        FileAnswer answer(exporting ? missing : exportPath());
        QMetaObject::invokeMethod(&page, qPrintable(action));
        QVERIFY(notice.done());
        QCOMPARE(told, fixtureText(0, "Macro", 27));
        QVERIFY(!QFile::exists(missing));
        QCOMPARE(macroNames(page), exporting ? QStringList{"m"} : QStringList());
        if (!exporting) {
            QVERIFY(QFile::remove(MacroFolder()));
            QVERIFY(QDir().mkpath(MacroFolder()));
        }
    }

    void importedNameTaken()
    {
        writeMacro(QStringLiteral("m.ini"), "5\n");
        writeFile(exportPath(), WriteMacroExport({QStringLiteral("m"), QStringLiteral("1"),
                                                  EventsOf(QStringLiteral("+A"))},
                                                 EventItem::Icons()));
        Macro page;
        page.show();
        QString told;
        ModalAction notice(QStringLiteral("SameMacro"), [&](QWidget *dialog) {
            told = child<QLabel>(dialog, "label")->text();
            child<QToolButton>(dialog, "NewHong")->click();
        });
        FileAnswer answer(exportPath());
        QMetaObject::invokeMethod(&page, "InPortMacro");
        QVERIFY(notice.done());
        QCOMPARE(told, fixtureText(0, "SameMacro", 0));
        QCOMPARE(macroNames(page), QStringList{"m"});
        QCOMPARE(macroFile(QStringLiteral("m.ini")), QByteArray("5\n"));
    }
};

ZR35_TEST_MAIN(TestMacroTransfer)
#include "tst_macrotransfer.moc"
