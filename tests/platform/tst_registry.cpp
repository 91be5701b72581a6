#include "platform/registry.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QThread>

#include <memory>
#include <vector>

namespace {
const QString appKey =
    QStringLiteral("HKEY_CURRENT_USER\\Software\\ZR35 Mouse Software\\ZR35 Mouse Software");
const QString testKey = appKey + QStringLiteral("\\Mouse Drive Test");
const QString runKey =
    QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
const QString appName = QStringLiteral("ZR35 Mouse Software");

QString configHome()
{
    return qEnvironmentVariable("XDG_CONFIG_HOME");
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class TestRegistry : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        QFile::remove(Registry::filePath());
        QDir(configHome() + QStringLiteral("/autostart")).removeRecursively();
    }

    void valuesKeepTheirText_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("asText");
        QTest::newRow("update note")
            << testKey << "UpdateFailInfo" << QVariant("210,3,0,1") << "210,3,0,1";
        QTest::newRow("version") << testKey << "MouseVer1210" << QVariant("v1.0A") << "v1.0A";
        QTest::newRow("integer") << appKey + "\\ZR35 Mouse Software"
                                 << "LanguageIndex" << QVariant(2) << "2";
        QTest::newRow("non-ASCII text") << testKey << "Note" << QVariant("Grüße ✓") << "Grüße ✓";
        QTest::newRow("spaces and equals")
            << testKey << "Spaced Name" << QVariant(" a = b ; c ") << " a = b ; c ";
    }
    void valuesKeepTheirText()
    {
        QFETCH(QString, key);
        QFETCH(QString, name);
        QFETCH(QVariant, value);
        QFETCH(QString, asText);
        QVERIFY(!Registry::contains(key, name));
        Registry::setValue(key, name, value);
        QVERIFY(Registry::contains(key, name));
        QCOMPARE(Registry::value(key, name).toString(), asText);
    }

    // Stored where the desktop keeps configuration, one '/' group per key level, written through
    // at once so that another settings object (or process) sees it.
    void keyLevelsBecomeGroupsOfOneFile()
    {
        QCOMPARE(Registry::filePath(),
                 configHome() + QStringLiteral("/ZR35 Mouse Software/registry.ini"));
        Registry::setValue(testKey, QStringLiteral("MouseVer1210"), QStringLiteral("v2.01"));

        QSettings other(Registry::filePath(), QSettings::IniFormat);
        QCOMPARE(other
                     .value(QStringLiteral("HKEY_CURRENT_USER/Software/ZR35 Mouse Software/"
                                           "ZR35 Mouse Software/Mouse Drive Test/MouseVer1210"))
                     .toString(),
                 QStringLiteral("v2.01"));
        QCOMPARE(other.childGroups(), QStringList{QStringLiteral("HKEY_CURRENT_USER")});
        // A doubled or trailing separator names the same key.
        QCOMPARE(Registry::value(testKey + QStringLiteral("\\"), QStringLiteral("MouseVer1210"))
                     .toString(),
                 QStringLiteral("v2.01"));
        QCOMPARE(Registry::value(QString(testKey).replace(QStringLiteral("\\Mouse"),
                                                          QStringLiteral("\\\\Mouse")),
                                 QStringLiteral("MouseVer1210"))
                     .toString(),
                 QStringLiteral("v2.01"));
    }

    void seesValuesWrittenElsewhere()
    {
        Registry::setValue(testKey, QStringLiteral("UpdateFailInfo"), QStringLiteral("211,1,1,1"));
        {
            QSettings other(Registry::filePath(), QSettings::IniFormat);
            other.setValue(QStringLiteral("HKEY_CURRENT_USER/Software/ZR35 Mouse Software/"
                                          "ZR35 Mouse Software/Mouse Drive Test/UpdateFailInfo"),
                           QStringLiteral("210,2,2,2"));
        }
        QCOMPARE(Registry::value(testKey, QStringLiteral("UpdateFailInfo")).toString(),
                 QStringLiteral("210,2,2,2"));
    }

    void missingAndRemovedValues()
    {
        QCOMPARE(Registry::value(testKey, QStringLiteral("UpdateFailInfo")).toString(), QString());
        QCOMPARE(Registry::value(appKey, QStringLiteral("LanguageIndex")).toInt(), 0);
        QCOMPARE(Registry::value(testKey, QStringLiteral("X"), QStringLiteral("dflt")).toString(),
                 QStringLiteral("dflt"));
        Registry::remove(testKey, QStringLiteral("Missing"));

        Registry::setValue(testKey, QStringLiteral("UpdateFailInfo"), QStringLiteral("210,1,1,1"));
        Registry::setValue(testKey, QStringLiteral("MouseVer1210"), QStringLiteral("v1.00"));
        Registry::remove(testKey, QStringLiteral("UpdateFailInfo"));
        QVERIFY(!Registry::contains(testKey, QStringLiteral("UpdateFailInfo")));
        QCOMPARE(Registry::value(testKey, QStringLiteral("MouseVer1210")).toString(),
                 QStringLiteral("v1.00"));
        QVERIFY(!QSettings(Registry::filePath(), QSettings::IniFormat)
                     .allKeys()
                     .join(QLatin1Char(' '))
                     .contains(QStringLiteral("UpdateFailInfo")));
    }

    // A value QSettings would decode as a serialized object (it stopped the program at every
    // start) reads as missing; the other values stay, and the next write leaves it out.
    void damagedValueReadsAsMissing()
    {
        Registry::setValue(testKey, QStringLiteral("MouseVer1210"), QStringLiteral("v1.05"));
        QFile file(Registry::filePath());
        QVERIFY(file.open(QIODevice::Append));
        file.write(
            "Software\\ZR35%20Mouse%20Software\\ZR35%20Mouse%20Software\\"
            "ZR35%20Mouse%20Software\\LanguageIndex=@Variant(\\0\\0\\0G\\x7f\\xff\\xff\\xff)\n");
        file.close();
        const QString languageKey = appKey + QStringLiteral("\\ZR35 Mouse Software");

        QCOMPARE(Registry::value(languageKey, QStringLiteral("LanguageIndex"), -1).toInt(), -1);
        QVERIFY(!Registry::contains(languageKey, QStringLiteral("LanguageIndex")));
        QCOMPARE(Registry::value(testKey, QStringLiteral("MouseVer1210")).toString(),
                 QStringLiteral("v1.05"));

        Registry::setValue(testKey, QStringLiteral("UpdateFailInfo"), QStringLiteral("211,1,1,1"));
        const QByteArray written = readFile(Registry::filePath());
        QVERIFY(!written.contains("LanguageIndex"));
        QVERIFY(written.contains("MouseVer1210=v1.05"));
        QCOMPARE(Registry::value(testKey, QStringLiteral("UpdateFailInfo")).toString(),
                 QStringLiteral("211,1,1,1"));
    }

    void followsTheDefaultConfigFolder()
    {
        const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_CONFIG_HOME");
        const QString path = Registry::filePath();
        Registry::setValue(testKey, QStringLiteral("MouseVer1210"), QStringLiteral("v3"));
        const bool written = QFile::exists(path);
        qputenv("XDG_CONFIG_HOME", saved);
        QCOMPARE(path,
                 QDir::homePath() + QStringLiteral("/.config/ZR35 Mouse Software/registry.ini"));
        QVERIFY(written);
    }

    // The firmware version arrives on a device-library thread while other values are written
    // elsewhere; no write may be lost.
    void writesFromManyThreadsAreAllKept()
    {
        constexpr int threadCount = 6;
        constexpr int valuesPerThread = 25;
        std::vector<std::unique_ptr<QThread>> threads;
        for (int t = 0; t < threadCount; ++t) {
            threads.emplace_back(QThread::create([t] {
                for (int i = 0; i < valuesPerThread; ++i)
                    Registry::setValue(testKey, QStringLiteral("MouseVer%1_%2").arg(t).arg(i),
                                       QStringLiteral("v%1.%2").arg(t).arg(i));
            }));
            threads.back()->start();
        }
        for (auto &thread : threads)
            QVERIFY(thread->wait(60000));

        QSettings other(Registry::filePath(), QSettings::IniFormat);
        other.beginGroup(QStringLiteral(
            "HKEY_CURRENT_USER/Software/ZR35 Mouse Software/ZR35 Mouse Software/Mouse Drive Test"));
        QCOMPARE(other.childKeys().size(), threadCount * valuesPerThread);
        for (int t = 0; t < threadCount; ++t)
            for (int i = 0; i < valuesPerThread; ++i)
                QCOMPARE(other.value(QStringLiteral("MouseVer%1_%2").arg(t).arg(i)).toString(),
                         QStringLiteral("v%1.%2").arg(t).arg(i));
    }

    void startupValueIsAnAutostartEntry_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("execLine");
        QTest::newRow("spaces") << "/opt/ZR35 Mouse Software/zr35"
                                << "Exec=\"/opt/ZR35 Mouse Software/zr35\"";
        QTest::newRow("percent") << "/opt/50%/zr35"
                                 << "Exec=\"/opt/50%%/zr35\"";
        QTest::newRow("shell characters") << "/opt/$HOME/a\"b`c"
                                          << "Exec=\"/opt/\\\\$HOME/a\\\\\"b\\\\`c\"";
        QTest::newRow("backslash") << "/opt/a\\b/zr35"
                                   << "Exec=\"/opt/a\\\\\\\\b/zr35\"";
    }
    void startupValueIsAnAutostartEntry()
    {
        QFETCH(QString, program);
        QFETCH(QString, execLine);
        const QString entry =
            configHome() + QStringLiteral("/autostart/ZR35 Mouse Software.desktop");
        QCOMPARE(Registry::autostartFilePath(appName), entry);
        QVERIFY(!Registry::contains(runKey, appName));

        Registry::setValue(runKey, appName, program);
        const QByteArray content = readFile(entry);
        QVERIFY(content.startsWith("[Desktop Entry]\n"));
        QVERIFY(content.contains("\nType=Application\n"));
        QVERIFY(content.contains("\nName=ZR35 Mouse Software\n"));
        QVERIFY2(content.split('\n').contains(execLine.toUtf8()), content.constData());
        QVERIFY(Registry::contains(runKey, appName));
        QCOMPARE(Registry::value(runKey, appName).toString(), program);
        // Not a registry value of the INI file.
        QVERIFY(QSettings(Registry::filePath(), QSettings::IniFormat).allKeys().isEmpty());

        Registry::remove(runKey, appName);
        QVERIFY(!QFile::exists(entry));
        QVERIFY(!Registry::contains(runKey, appName));
        QVERIFY(!Registry::value(runKey, appName).isValid());
    }

    void startupKeyNameIgnoresCase()
    {
        Registry::setValue(runKey.toLower(), appName, QStringLiteral("/opt/zr35"));
        QCOMPARE(Registry::value(runKey, appName).toString(), QStringLiteral("/opt/zr35"));
        QVERIFY(QFile::exists(Registry::autostartFilePath(appName)));
    }

    // A value that cannot be written is reported, and the file keeps what it held: the INI file
    // of every other value, the autostart entry as the start-up value.
    void aFullDiskKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::newRow("registry value") << testKey << "UpdateFailInfo";
        QTest::newRow("start-up value") << runKey << appName;
    }
    void aFullDiskKeepsTheOldFile()
    {
        QFETCH(QString, key);
        QFETCH(QString, name);
        QVERIFY(Registry::setValue(key, name, QStringLiteral("/opt/zr35")));
        const QString path =
            key == runKey ? Registry::autostartFilePath(name) : Registry::filePath();
        const QString longer = QStringLiteral("/opt/") + QString(300, QLatin1Char('z'));
        const QString failure = FailedSaveKeepsTheFile(
            path, 100, [&] { return Registry::setValue(key, name, longer); });
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QCOMPARE(Registry::value(key, name).toString(), QStringLiteral("/opt/zr35"));
    }

    void startupNamesStayInTheAutostartFolder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("parent") << "../evil";
        QTest::newRow("dot-dot") << "..";
        QTest::newRow("empty") << "";
    }
    void startupNamesStayInTheAutostartFolder()
    {
        QFETCH(QString, name);
        Registry::setValue(runKey, name, QStringLiteral("/opt/zr35"));
        QVERIFY(!Registry::contains(runKey, name));
        QVERIFY(!QFile::exists(configHome() + QStringLiteral("/evil.desktop")));
        QVERIFY(!QFile::exists(configHome() + QStringLiteral("/autostart/..desktop")));
        QVERIFY(Registry::autostartFilePath(name).isEmpty());
    }
};

ZR35_TEST_MAIN(TestRegistry)
#include "tst_registry.moc"
