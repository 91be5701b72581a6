#include "core/configini.h"
#include "tests/support/standarderror.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <atomic>
#include <thread>
#include <vector>

namespace {

// The fixture file: identifiers coded as the shipped file codes them, plus the awkward cases.
const char fixture[] = "[Option]\n"
                       "DeviceTotal=2\n"
                       "CID=MTI=\n"
                       "VID=MHgzRDdB,,QQlC\n"
                       "vid=MHgzRDdB\n"
                       "USB_PID=MHgzRDdB\n"
                       "Sensor=T1BUNTEwMA==\n"
                       "LabelColor=10,20,30\n"
                       "ButtonColor=10,20\n"
                       "SliderColor=red,green,blue\n"
                       "ComboxTextColor=1,2,3,4\n"
                       "ComboxSelectColor=1,2,256\n"
                       "Transition=abc\n"
                       "Title=Zo\xC3\xAB\n"
                       "[Drive1]\n"
                       "MID=MTI=\n"
                       "Sensor=T1BUIDUxCjAw\n"
                       "MM=T1BU*NTEw!MA==\n"
                       "DM=zqk1MTAw\n"
                       "Adveanced=-1,-1\n"
                       "KeyNumber=12\n"
                       "[Drive2]\n"
                       "Sensor=QQlC\n";

class FixtureFile
{
public:
    explicit FixtureFile(const QByteArray &content)
    {
        QFile file(dir.filePath(QStringLiteral("Config.ini")));
        if (file.open(QIODevice::WriteOnly))
            file.write(content);
        filePath = file.fileName();
    }
    QString path() const { return filePath; }

private:
    QTemporaryDir dir;
    QString filePath;
};

} // namespace

class TestConfigIni : public QObject
{
    Q_OBJECT
    FixtureFile file{QByteArray(fixture)};

private slots:
    void init() { ConfigIni::resetForTests(file.path()); }
    void cleanupTestCase() { ConfigIni::resetForTests(QString()); }

    void readsTheAppFolderFileByDefault()
    {
        ConfigIni::resetForTests(QString());
        QCOMPARE(ConfigIni::instance()->path(),
                 AppDir::filePath(QStringLiteral("usersetting/Config.ini")));
        QCOMPARE(ConfigIni::instance(), ConfigIni::instance());
    }

    void value_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::newRow("identifier decoded") << "Option"
                                            << "CID"
                                            << "12";
        QTest::newRow("line feed and space removed") << "Drive1"
                                                     << "Sensor"
                                                     << "OPT5100";
        QTest::newRow("other characters remain") << "Drive2"
                                                 << "Sensor"
                                                 << "A\tB";
        QTest::newRow("Sensor decoded in Option too") << "Option"
                                                      << "Sensor"
                                                      << "OPT5100";
        QTest::newRow("characters outside Base64 skipped") << "Drive1"
                                                           << "MM"
                                                           << "OPT5100";
        QTest::newRow("UTF-8 identifier") << "Drive1"
                                          << "DM" << QString::fromUtf8("Ω5100");
        QTest::newRow("MID as stored") << "Drive1"
                                       << "MID"
                                       << "MTI=";
        QTest::newRow("lower-case vid as stored") << "Option"
                                                  << "vid"
                                                  << "MHgzRDdB";
        QTest::newRow("UTF-8 plain text") << "Option"
                                          << "Title" << QString::fromUtf8("Zoë");
        QTest::newRow("comma list reads empty") << "Drive1"
                                                << "Adveanced"
                                                << "";
        QTest::newRow("identifier list reads empty") << "Option"
                                                     << "VID"
                                                     << "";
        QTest::newRow("missing key") << "Drive1"
                                     << "XIn1"
                                     << "";
        QTest::newRow("missing section") << "Drive9"
                                         << "MID"
                                         << "";
    }

    void value()
    {
        QFETCH(QString, group);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QCOMPARE(ConfigIni::instance()->value(group, key), expected);
    }

    void valueList_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("identifier list, empty element kept")
            << "Option"
            << "VID" << QStringList{"0x3D7A", "", "A\tB"};
        QTest::newRow("single coded text gives one element") << "Option"
                                                             << "USB_PID" << QStringList{"0x3D7A"};
        QTest::newRow("plain list") << "Drive1"
                                    << "Adveanced" << QStringList{"-1", "-1"};
        QTest::newRow("plain single text") << "Drive1"
                                           << "KeyNumber" << QStringList{"12"};
        QTest::newRow("missing key") << "Drive1"
                                     << "DPIRange" << QStringList();
    }

    void valueList()
    {
        QFETCH(QString, group);
        QFETCH(QString, key);
        QFETCH(QStringList, expected);
        QCOMPARE(ConfigIni::instance()->valueList(group, key), expected);
    }

    void intValue_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("expected");
        QTest::newRow("number") << "Option"
                                << "DeviceTotal" << 2;
        QTest::newRow("decoded identifier") << "Option"
                                            << "CID" << 12;
        QTest::newRow("not a number") << "Option"
                                      << "Transition" << 0;
        QTest::newRow("list") << "Drive1"
                              << "Adveanced" << 0;
        QTest::newRow("missing") << "Option"
                                 << "ShowBatteryValue" << 0;
    }

    void intValue()
    {
        QFETCH(QString, group);
        QFETCH(QString, key);
        QFETCH(int, expected);
        QCOMPARE(ConfigIni::instance()->intValue(group, key), expected);
    }

    void colorNeverReadsPastTheList_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("usesDefault");
        QTest::addColumn<QString>("expected");
        QTest::newRow("three numbers") << "LabelColor" << false << "10,20,30";
        QTest::newRow("first three of four") << "ComboxTextColor" << false << "1,2,3";
        QTest::newRow("two numbers") << "ButtonColor" << true << "";
        QTest::newRow("not numbers") << "SliderColor" << true << "";
        QTest::newRow("out of range") << "ComboxSelectColor" << true << "";
        QTest::newRow("missing") << "LinEditColor" << true << "";
    }

    void colorNeverReadsPastTheList()
    {
        QFETCH(QString, key);
        QFETCH(bool, usesDefault);
        QFETCH(QString, expected);
        const QString rgb = ConfigIni::instance()->color(key);
        if (!usesDefault) {
            QCOMPARE(rgb, expected);
            return;
        }
        const QStringList parts = rgb.split(QLatin1Char(','));
        QCOMPARE(parts.size(), 3);
        for (const QString &part : parts) {
            bool ok = false;
            const int component = part.toInt(&ok);
            QVERIFY(ok && component >= 0 && component <= 255);
        }
    }

    void missingFileKnowsNoModel()
    {
        ConfigIni::resetForTests(
            QDir::temp().filePath(QStringLiteral("no-such-folder/Config.ini")));
        ConfigIni *store = ConfigIni::instance();
        QCOMPARE(store->intValue(QStringLiteral("Option"), QStringLiteral("DeviceTotal")), 0);
        QVERIFY(store->valueList(QStringLiteral("Option"), QStringLiteral("VID")).isEmpty());
        QVERIFY(store->valueList(QStringLiteral("Option"), QStringLiteral("USB_PID")).isEmpty());
        QVERIFY(store->value(QStringLiteral("Option"), QStringLiteral("CID")).isEmpty());
    }

    // A value QSettings would decode as a serialized object (here a point list claiming 2^31 - 1
    // points: the decoder's allocation fails and ends the program) is left out; the rest of the
    // file, and an '@' inside a text, still read.
    void serializedValuesAreLeftOut_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QStringList>("expected");
        const QByteArray object = "@Variant(\\0\\0\\0G\\x7f\\xff\\xff\\xff)";
        QTest::newRow("object") << "Title=" + object << QStringList();
        QTest::newRow("object in a list") << "Title=a, " + object << QStringList();
        QTest::newRow("quoted object") << "Title=\"" + object + "\"" << QStringList();
        QTest::newRow("'@' made by an escape") << "Title=\\x40" + object.mid(1) << QStringList();
        QTest::newRow("'@' inside a text") << QByteArray("Title=Ctrl+@") << QStringList{"Ctrl+@"};
    }

    void serializedValuesAreLeftOut()
    {
        QFETCH(QByteArray, line);
        QFETCH(QStringList, expected);
        const FixtureFile hostile("[Option]\nDeviceTotal=1\nCID=MTI=\n" + line +
                                  "\nLabelColor=10,20,30\n");
        const QByteArray message = standardError([&] { ConfigIni::resetForTests(hostile.path()); });
        // One line names the file and the key of a value left out.
        QCOMPARE(message.isEmpty(), !expected.isEmpty());
        if (expected.isEmpty())
            QVERIFY2(message.startsWith(hostile.path().toLocal8Bit() + ": Option/Title "),
                     message.constData());
        ConfigIni *store = ConfigIni::instance();
        QCOMPARE(store->valueList(QStringLiteral("Option"), QStringLiteral("Title")), expected);
        QCOMPARE(store->value(QStringLiteral("Option"), QStringLiteral("CID")),
                 QStringLiteral("12"));
        QCOMPARE(store->color(QStringLiteral("LabelColor")), QStringLiteral("10,20,30"));
    }

    // Without a usable file the home page can only ask for a device; one line on standard error
    // says why, naming the file.
    void unusableFileSaysWhy_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: no file; "/": a folder in its place
        QTest::addColumn<QString>("problem");
        QTest::newRow("missing") << QByteArray() << "missing";
        QTest::newRow("a folder") << QByteArray("/") << "cannot be read";
        QTest::newRow("empty") << QByteArray("") << "empty";
        QTest::newRow("comments only") << QByteArray("; nothing\n\n") << "empty";
        QTest::newRow("no model count")
            << QByteArray("[Option]\nCID=MTI=\n") << "holds no models (Option/DeviceTotal)";
        QTest::newRow("no models")
            << QByteArray("[Option]\nDeviceTotal=0\n") << "holds no models (Option/DeviceTotal)";
        QTest::newRow("usable") << QByteArray("[Option]\nDeviceTotal=1\n") << QString();
    }
    void unusableFileSaysWhy()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Config.ini"));
        if (content == "/") {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Config.ini")));
        } else if (!content.isNull()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        const QString message =
            QString::fromLocal8Bit(standardError([&] { ConfigIni::resetForTests(path); }));
        if (problem.isNull()) {
            QCOMPARE(message, QString());
            return;
        }
        QCOMPARE(message.count(QLatin1Char('\n')), 1);
        QVERIFY2(message.startsWith(path + QStringLiteral(": ") + problem + QStringLiteral(": ")),
                 qPrintable(message));
        QCOMPARE(ConfigIni::instance()->intValue(QStringLiteral("Option"),
                                                 QStringLiteral("DeviceTotal")),
                 0);
    }

    // Library threads read the store while the GUI thread does; a reload (tests only) swaps the
    // map under them. Every read must see a whole, consistent value.
    void concurrentReads()
    {
        ConfigIni *store = ConfigIni::instance();
        std::atomic<int> wrong{0};
        std::atomic<bool> stop{false};
        std::vector<std::thread> readers;
        for (int t = 0; t < 4; ++t) {
            readers.emplace_back([&] {
                for (int i = 0; i < 2000; ++i) {
                    if (store->value(QStringLiteral("Drive1"), QStringLiteral("Sensor")) !=
                            QLatin1String("OPT5100") ||
                        store->valueList(QStringLiteral("Option"), QStringLiteral("VID")).size() !=
                            3 ||
                        store->color(QStringLiteral("LabelColor")) != QLatin1String("10,20,30"))
                        ++wrong;
                }
            });
        }
        std::thread reloader([&] {
            while (!stop)
                ConfigIni::resetForTests(file.path());
        });
        for (std::thread &reader : readers)
            reader.join();
        stop = true;
        reloader.join();
        QCOMPARE(wrong.load(), 0);
    }
};

ZR35_TEST_MAIN(TestConfigIni)
#include "tst_configini.moc"
