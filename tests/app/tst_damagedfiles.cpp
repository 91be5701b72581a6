#include "platform/inifile.h"
#include "tests/support/appprocess.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QFile>

namespace {

// QSettings decodes this value as a serialized point list of 2^31 - 1 points: the program ended
// before its window showed, at every start, until the user found and deleted the file.
const QByteArray CrashValue = "@Variant(\\0\\0\\0G\\x7f\\xff\\xff\\xff)";

} // namespace

// The real program started on a user's files that hold such a value.
class TestDamagedFiles : public QObject
{
    Q_OBJECT
private slots:
    void programStartsWithADamagedValue_data()
    {
        QTest::addColumn<QString>("file"); // below HOME
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("damagedKey");
        QTest::addColumn<QStringList>("keptKeys");
        QTest::newRow("Macro.ini")
            << "AppData/Local/ZR35 Mouse Software/Macro.ini"
            << "[AutoStart]\nEnable=1\n[Language]\nLanguage=" + CrashValue +
                   "\n[FindNew]\nIsShow=0\n"
            << "Language/Language" << QStringList{"AutoStart/Enable", "FindNew/IsShow"};
        QTest::newRow("registry")
            << ".config/ZR35 Mouse Software/registry.ini"
            << "[HKEY_CURRENT_USER]\n"
               "Software\\ZR35%20Mouse%20Software\\ZR35%20Mouse%20Software\\Mouse%20Drive%20Test"
               "\\MouseVer1210=v1.05\n"
               "Software\\ZR35%20Mouse%20Software\\ZR35%20Mouse%20Software\\ZR35%20Mouse%20Software"
               "\\LanguageIndex=" +
                   CrashValue + "\n"
            << "HKEY_CURRENT_USER/Software/ZR35 Mouse Software/ZR35 Mouse Software/"
               "ZR35 Mouse Software/LanguageIndex"
            << QStringList{"HKEY_CURRENT_USER/Software/ZR35 Mouse Software/ZR35 Mouse Software/"
                           "Mouse Drive Test/MouseVer1210"};
    }
    void programStartsWithADamagedValue()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, damagedKey);
        QFETCH(QStringList, keptKeys);
        AppProcess program;
        const QString path = QDir(program.home()).filePath(file);
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        {
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(content);
        }

        QVERIFY(program.start());
        QVERIFY2(program.waitForWindow(), program.standardError().right(4000).constData());
        // One line on standard error names the file and the key.
        const QString message = QString::fromLocal8Bit(program.standardError());
        QVERIFY2(message.contains(path + QStringLiteral(": ") + damagedKey + QLatin1Char(' ')),
                 qPrintable(message));
        QVERIFY(program.stop());

        const IniFile after(path);
        for (const QString &key : keptKeys)
            QVERIFY2(after.contains(key), qPrintable(key));
    }
};

ZR35_TEST_MAIN(TestDamagedFiles)
#include "tst_damagedfiles.moc"
