#include "core/configini.h"
#include "core/registryvalues.h"
#include "core/settingsstore.h"

#include "platform/appdir.h"
#include "platform/inifile.h"
#include "platform/registry.h"
#include "tests/support/standarderror.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// The value that stopped the program at every start: QSettings decodes it as a serialized point
// list of 2^31 - 1 points.
const QByteArray CrashValue = "@Variant(\\0\\0\\0G\\x7f\\xff\\xff\\xff)";

// The key paths as installations name them; written out here so that a changed path fails.
const QString ApplicationKey = QStringLiteral(
    "HKEY_CURRENT_USER\\Software\\ZR35 Mouse Software\\ZR35 Mouse Software\\ZR35 Mouse Software");
const QString UpdateKey = QStringLiteral(
    "HKEY_CURRENT_USER\\Software\\ZR35 Mouse Software\\ZR35 Mouse Software\\Mouse Drive Test");
} // namespace

class TestSettingsStore : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir folder;

    QString macroIni() const { return folder.filePath(QStringLiteral("Macro.ini")); }

    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static bool writeFile(const QString &path, const QByteArray &content)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
    }

private slots:
    void init() { QFile::remove(macroIni()); }

    void storeLivesInUserFolder()
    {
        SettingsStore *store = SettingsStore::instance();
        QCOMPARE(store->path(), UserDir::filePath(QStringLiteral("Macro.ini")));
        QVERIFY(StoreLanguage(1, store));
        QSettings file(UserDir::filePath(QStringLiteral("Macro.ini")), QSettings::IniFormat);
        QCOMPARE(file.value(QStringLiteral("Language/Language")).toString(), QStringLiteral("1"));
    }

    void autoStart_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("missing") << QString() << false;
        QTest::newRow("1") << QStringLiteral("1") << true;
        QTest::newRow("0") << QStringLiteral("0") << false;
        QTest::newRow("2 is off") << QStringLiteral("2") << false;
        QTest::newRow("not a number") << QStringLiteral("on") << false;
    }

    void autoStart()
    {
        QFETCH(QString, stored);
        QFETCH(bool, enabled);
        SettingsStore store(macroIni());
        if (!stored.isNull())
            QVERIFY(store.setValue(QStringLiteral("AutoStart"), QStringLiteral("Enable"), stored));
        QCOMPARE(AutoStartEnabled(&store), enabled);
    }

    void autoStartWrittenAsOneOrZero()
    {
        SettingsStore store(macroIni());
        QVERIFY(StoreAutoStartEnabled(true, &store));
        QCOMPARE(store.value(QStringLiteral("AutoStart"), QStringLiteral("Enable")),
                 QStringLiteral("1"));
        QVERIFY(AutoStartEnabled(&store));
        QVERIFY(StoreAutoStartEnabled(false, &store));
        QCOMPARE(store.value(QStringLiteral("AutoStart"), QStringLiteral("Enable")),
                 QStringLiteral("0"));
    }

    void storedLanguage_data()
    {
        QTest::addColumn<QString>("stored"); // null: no key in Macro.ini
        QTest::addColumn<int>("language");
        QTest::newRow("missing") << QString() << 0;
        QTest::newRow("English") << QStringLiteral("0") << 0;
        QTest::newRow("Ukrainian") << QStringLiteral("1") << 1;
        // Languages the program does not have count as English, as a missing one does.
        QTest::newRow("-1") << QStringLiteral("-1") << 0;
        QTest::newRow("2") << QStringLiteral("2") << 0;
        QTest::newRow("5") << QStringLiteral("5") << 0;
        QTest::newRow("abc") << QStringLiteral("abc") << 0;
    }
    void storedLanguage()
    {
        QFETCH(QString, stored);
        QFETCH(int, language);
        SettingsStore store(macroIni());
        if (!stored.isNull())
            QVERIFY(store.setValue(QStringLiteral("Language"), QStringLiteral("Language"), stored));
        QCOMPARE(StoredLanguage(&store), language);
    }

    // The line that stopped the program at every start reads as missing, the other keys as
    // written; the file is left as it is until the store writes it, and then it is whole again.
    void damagedValueReadsAsMissingUntilTheNextWrite()
    {
        const QByteArray damaged =
            "[AutoStart]\nEnable=1\n[Language]\nLanguage=" + CrashValue + "\n[FindNew]\nIsShow=0\n";
        QVERIFY(writeFile(macroIni(), damaged));
        SettingsStore store(macroIni());
        int language = -1;
        const QByteArray message = standardError([&] { language = StoredLanguage(&store); });
        QCOMPARE(language, 0);
        QVERIFY2(message.startsWith(macroIni().toLocal8Bit() + ": Language/Language "),
                 message.constData());
        QVERIFY(AutoStartEnabled(&store));
        QCOMPARE(store.value(QStringLiteral("FindNew"), QStringLiteral("IsShow")),
                 QStringLiteral("0"));
        QCOMPARE(readFile(macroIni()), damaged);

        QVERIFY(StoreFindNewShown(true, &store));
        QVERIFY(!readFile(macroIni()).contains("Variant"));
        const IniFile written(macroIni());
        QVERIFY(written.leftOut().isEmpty());
        QCOMPARE(written.values(),
                 (QVariantMap{{"AutoStart/Enable", "1"}, {"FindNew/IsShow", "1"}}));
    }

    // A file that cannot be read is not replaced by one holding only the new value.
    void unreadableFileIsNotOverwritten()
    {
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("Macro.ini")));
        SettingsStore store(macroIni());
        QVERIFY(!StoreLanguage(1, &store));
        QVERIFY(QFileInfo(macroIni()).isDir());
        QVERIFY(QDir(folder.path()).rmdir(QStringLiteral("Macro.ini")));
    }

    // The old registry value at start-up, damaged the same way, reads as missing and is removed
    // with the rest of the registry kept.
    void damagedRegistryLanguageIndexIsRemoved()
    {
        Registry::setValue(UpdateKey, QStringLiteral("MouseVer1210"), QStringLiteral("v1.05"));
        QByteArray registry = readFile(Registry::filePath());
        registry += "Software\\ZR35%20Mouse%20Software\\ZR35%20Mouse%20Software\\"
                    "ZR35%20Mouse%20Software\\LanguageIndex=" +
                    CrashValue + "\n";
        QVERIFY(writeFile(Registry::filePath(), registry));
        SettingsStore store(macroIni());
        QVERIFY(store.setValue(QStringLiteral("Language"), QStringLiteral("Language"), "1"));

        QCOMPARE(RegistryValues::MigrateLanguageIndex(&store), 1);
        QVERIFY(!readFile(Registry::filePath()).contains("LanguageIndex"));
        QCOMPARE(Registry::value(UpdateKey, QStringLiteral("MouseVer1210")).toString(),
                 QStringLiteral("v1.05"));
    }

    void languageMigration_data()
    {
        QTest::addColumn<QVariant>("registryIndex"); // invalid: no value in the registry
        QTest::addColumn<QString>("storedBefore");   // null: no key in Macro.ini
        QTest::addColumn<QString>("storedAfter");
        QTest::addColumn<int>("language");
        QTest::newRow("1 migrates") << QVariant(1) << QString() << QStringLiteral("1") << 1;
        QTest::newRow("1 replaces English")
            << QVariant(1) << QStringLiteral("0") << QStringLiteral("1") << 1;
        QTest::newRow("0 leaves Macro.ini alone") << QVariant(0) << QString() << QString() << 0;
        QTest::newRow("0 keeps the stored choice")
            << QVariant(0) << QStringLiteral("1") << QStringLiteral("1") << 1;
        QTest::newRow("no old value")
            << QVariant() << QStringLiteral("1") << QStringLiteral("1") << 1;
        QTest::newRow("empty Macro.ini is English") << QVariant() << QString() << QString() << 0;
    }

    void languageMigration()
    {
        QFETCH(QVariant, registryIndex);
        QFETCH(QString, storedBefore);
        QFETCH(QString, storedAfter);
        QFETCH(int, language);
        SettingsStore store(macroIni());
        if (!storedBefore.isNull())
            QVERIFY(store.setValue(QStringLiteral("Language"), QStringLiteral("Language"),
                                   storedBefore));
        if (registryIndex.isValid())
            Registry::setValue(ApplicationKey, QStringLiteral("LanguageIndex"), registryIndex);

        QCOMPARE(RegistryValues::MigrateLanguageIndex(&store), language);

        QVERIFY(!Registry::contains(ApplicationKey, QStringLiteral("LanguageIndex")));
        QSettings file(macroIni(), QSettings::IniFormat);
        QCOMPARE(file.contains(QStringLiteral("Language/Language")), !storedAfter.isNull());
        QCOMPARE(file.value(QStringLiteral("Language/Language")).toString(), storedAfter);
    }

    void mouseVerName_data()
    {
        QTest::addColumn<QString>("cidCoded");
        QTest::addColumn<QString>("mid");
        QTest::addColumn<QString>("name");
        QTest::newRow("CID 12, MID 3")
            << QStringLiteral("MTI=") << QStringLiteral("3") << QStringLiteral("MouseVer123");
        QTest::newRow("MID keeps its leading zero")
            << QStringLiteral("MTI=") << QStringLiteral("03") << QStringLiteral("MouseVer1203");
    }

    // The name is built from Config.ini's texts and the version is found under it in the
    // firmware key.
    void mouseVerName()
    {
        QFETCH(QString, cidCoded);
        QFETCH(QString, mid);
        QFETCH(QString, name);
        const QString config = folder.filePath(QStringLiteral("Config.ini"));
        QFile file(config);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(
            QStringLiteral("[Option]\nCID=%1\n[Drive1]\nMID=%2\n").arg(cidCoded, mid).toUtf8());
        file.close();
        ConfigIni::resetForTests(config);

        QCOMPARE(RegistryValues::MouseVerNameOfModel(0), name);
        RegistryValues::SetMouseVer(name, QStringLiteral("v1.0A"));
        QCOMPARE(Registry::value(UpdateKey, name).toString(), QStringLiteral("v1.0A"));
        QCOMPARE(RegistryValues::MouseVer(name), QStringLiteral("v1.0A"));
        ConfigIni::resetForTests(QString());
    }

    void updateFailInfoIsKeptUntilRemoved()
    {
        QCOMPARE(RegistryValues::UpdateFailInfo(), QString());
        RegistryValues::SetUpdateFailInfo(QStringLiteral("211,3,1,0"));
        QCOMPARE(Registry::value(UpdateKey, QStringLiteral("UpdateFailInfo")).toString(),
                 QStringLiteral("211,3,1,0"));
        QCOMPARE(RegistryValues::UpdateFailInfo(), QStringLiteral("211,3,1,0"));
        RegistryValues::RemoveUpdateFailInfo();
        QVERIFY(!Registry::contains(UpdateKey, QStringLiteral("UpdateFailInfo")));
        QCOMPARE(RegistryValues::UpdateFailInfo(), QString());
    }
};

ZR35_TEST_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
