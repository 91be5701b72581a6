#include "core/configini.h"
#include "platform/devicelib/modelconfig.h"
#include "tests/support/testmain.h"

#include <QRegularExpression>
#include <QSettings>

// Checks the Config.ini the build copies into the app folder: every model carries the keys the
// program reads, in the forms its readers take them.
namespace {

const QString Option = QStringLiteral("Option");

bool isNumber(const QString &text, int min, int max)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok && value >= min && value <= max;
}

bool isHex(const QString &text)
{
    static const QRegularExpression hex(QStringLiteral("^(0x)?[0-9A-Fa-f]{1,4}$"));
    return hex.match(text).hasMatch();
}

} // namespace

class TestShippedConfig : public QObject
{
    Q_OBJECT
    ConfigIni *store = nullptr;

    // The raw text as stored, for checking the coding itself.
    QStringList rawList(const QString &group, const QString &key) const
    {
        QSettings raw(store->path(), QSettings::IniFormat);
        raw.setIniCodec("UTF-8");
        return raw.value(group + QLatin1Char('/') + key).toStringList();
    }

    void verifyCoded(const QString &group, const QString &key)
    {
        const QStringList raw = rawList(group, key);
        QVERIFY2(!raw.isEmpty(), qPrintable(group + "/" + key));
        for (const QString &element : raw) {
            const auto decoded = QByteArray::fromBase64Encoding(
                element.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
            QVERIFY2(decoded && !decoded.decoded.isEmpty(), qPrintable(group + "/" + key));
            QCOMPARE(decoded.decoded.toBase64(), element.toLatin1());
        }
    }

private slots:
    void initTestCase()
    {
        store = ConfigIni::instance();
        QVERIFY(QFileInfo::exists(store->path()));
    }

    void optionKeys()
    {
        QVERIFY(isNumber(store->value(Option, QStringLiteral("CID")), 0, 255));
        for (const char *key : {"CID", "VID", "USB_PID", "Wireless_PID", "Wireless2_PID",
                                "Wireless4_PID", "Wireless8_PID"}) {
            verifyCoded(Option, QLatin1String(key));
            const QStringList ids = store->valueList(Option, QLatin1String(key));
            for (const QString &id : ids) {
                if (QLatin1String(key) != QLatin1String("CID"))
                    QVERIFY2(isHex(id) && id.startsWith(QLatin1String("0x")), qPrintable(id));
            }
        }
        for (const char *key :
             {"DeviceTotal", "InterfaceId", "DeviceId", "Transition", "ShowBatteryValue"})
            QVERIFY2(isNumber(store->value(Option, QLatin1String(key)), 0, 14), key);
        QVERIFY(store->intValue(Option, QStringLiteral("DeviceTotal")) >= 1);
    }

    void themeColoursHaveThreeNumbers()
    {
        for (const char *key :
             {"LabelColor", "ButtonColor", "ComboxTextColor", "ComboxSelectColor",
              "ComboxBackGroundColor", "LinEditColor", "LinEditColorSecond", "SliderColor"}) {
            const QStringList parts = store->valueList(Option, QLatin1String(key));
            QCOMPARE(parts.size(), 3);
            for (const QString &part : parts)
                QVERIFY2(isNumber(part, 0, 255), key);
            QCOMPARE(store->color(QLatin1String(key)), parts.join(QLatin1Char(',')));
        }
    }

    // A file without usable colours falls back to the shipped theme, not to another look.
    void defaultColoursAreTheShippedTheme()
    {
        QHash<QString, QString> shipped;
        for (const char *key :
             {"LabelColor", "ButtonColor", "ComboxTextColor", "ComboxSelectColor",
              "ComboxBackGroundColor", "LinEditColor", "LinEditColorSecond", "SliderColor"})
            shipped.insert(QLatin1String(key), store->color(QLatin1String(key)));
        ConfigIni::resetForTests(
            QDir::temp().filePath(QStringLiteral("no-such-folder/Config.ini")));
        for (auto it = shipped.cbegin(); it != shipped.cend(); ++it)
            QCOMPARE(store->color(it.key()), it.value());
        ConfigIni::resetForTests(QString());
    }

    // What the team's simulated devices and fixtures rely on.
    void sharedIdentifiers()
    {
        QCOMPARE(store->value(Option, QStringLiteral("CID")), QStringLiteral("12"));
        QCOMPARE(store->valueList(Option, QStringLiteral("VID")), QStringList{"0x3D7A"});
        QCOMPARE(store->valueList(Option, QStringLiteral("Wireless4_PID")), QStringList{"0x1240"});
        QCOMPARE(store->intValue(QStringLiteral("Drive1"), QStringLiteral("MID")), 10);
        QCOMPARE(store->valueList(QStringLiteral("Drive1"), QStringLiteral("Adveanced")),
                 (QStringList{"1", "2"}));
        QCOMPARE(store->intValue(QStringLiteral("Drive2"), QStringLiteral("MID")), 11);
        QCOMPARE(store->intValue(QStringLiteral("Drive3"), QStringLiteral("MID")), 12);
        QCOMPARE(store->valueList(QStringLiteral("Drive3"), QStringLiteral("Adveanced")),
                 (QStringList{"-1", "-1"}));
    }

    void model_data()
    {
        QTest::addColumn<QString>("group");
        const int total = ConfigIni::instance()->intValue(Option, QStringLiteral("DeviceTotal"));
        for (int n = 1; n <= total; ++n) {
            const QString group = QStringLiteral("Drive%1").arg(n);
            QTest::newRow(qPrintable(group)) << group;
        }
    }

    void model()
    {
        QFETCH(QString, group);
        QVERIFY(isNumber(store->value(group, QStringLiteral("MID")), 1, 255));

        // The sensor name travels in a 12-byte block of export files, NUL included.
        verifyCoded(group, QStringLiteral("Sensor"));
        const QString sensor = store->value(group, QStringLiteral("Sensor"));
        QVERIFY(!sensor.isEmpty() && sensor.toLocal8Bit().size() <= 11);

        for (const char *key : {"MM", "DM", "D2M", "D4M", "D8M"}) {
            verifyCoded(group, QLatin1String(key));
            const QString name = store->value(group, QLatin1String(key));
            QVERIFY2(!name.isEmpty() && name.toLocal8Bit().size() <= 64, key);
        }

        const int keyNumber = store->intValue(group, QStringLiteral("KeyNumber"));
        QVERIFY(keyNumber >= 5 && keyNumber <= 16);
        for (int i = 1; i <= keyNumber; ++i) {
            const QString key = QStringLiteral("KeyParam%1").arg(i);
            const QStringList param = store->valueList(group, key);
            QVERIFY2(param.size() >= 3 && isHex(param.at(0)), qPrintable(key));
            const int category = param.at(0).mid(2).toInt(nullptr, 16);
            QVERIFY2(param.at(0).startsWith(QLatin1String("0x")) && category <= 11,
                     qPrintable(key));
            if (param.at(0) == QLatin1String("0x05")) {
                // A multimedia usage as the third element, or a key combination as the fourth.
                QVERIFY2(param.size() == 3 || param.size() == 4, qPrintable(key));
                if (param.size() == 3)
                    QVERIFY2(isHex(param.at(2)), qPrintable(key));
                else
                    QVERIFY2(!param.at(3).isEmpty() && param.at(3).split('+').size() <= 3,
                             qPrintable(key));
            } else {
                QCOMPARE(param.size(), 3);
                QVERIFY2(isHex(param.at(1)) && isHex(param.at(2)), qPrintable(key));
            }
        }

        QVERIFY(isNumber(store->value(group, QStringLiteral("DPIMaxGrade")), 1, 8));
        QVERIFY(isNumber(store->value(group, QStringLiteral("XIn1")), 0, 2));

        // Triples of minimum, maximum and step in ascending order, then the hexadecimal mode.
        const QStringList range = store->valueList(group, QStringLiteral("DPIRange"));
        QVERIFY(range.size() >= 4 && (range.size() - 1) % 3 == 0 && range.size() <= 13);
        int previousMax = 0;
        for (int k = 0; k + 2 < range.size(); k += 3) {
            QVERIFY(isNumber(range.at(k), 50, 100000));
            QVERIFY(isNumber(range.at(k + 1), 50, 100000));
            QVERIFY(isNumber(range.at(k + 2), 1, 1000));
            QVERIFY(range.at(k).toInt() >= previousMax);
            QVERIFY(range.at(k + 1).toInt() > range.at(k).toInt());
            previousMax = range.at(k + 1).toInt();
        }
        QVERIFY(isHex(range.last()));

        const QStringList colours = store->valueList(group, QStringLiteral("DPIColor"));
        QCOMPARE(colours.size(), 24);
        for (const QString &component : colours)
            QVERIFY(isNumber(component, 0, 255));

        // The DPI editor shows the level texts only when all eight are there.
        const QStringList grades = store->valueList(group, QStringLiteral("DPIGrade"));
        QVERIFY(grades.size() >= 8);
        for (const QString &grade : grades)
            QVERIFY(isNumber(grade, range.first().toInt(), previousMax));

        const QStringList advanced = store->valueList(group, QStringLiteral("Adveanced"));
        QVERIFY(advanced.size() >= 2);
        QVERIFY(isNumber(advanced.at(0), -1, 1) && isNumber(advanced.at(1), -1, 3));
    }

    // The simulated devices read the file on their own: what they take from it must be what the
    // program reads, or a device would not be recognised as the model it claims to be.
    void theDevicesReadWhatTheProgramReads()
    {
        const ModelConfig::Identifiers ids = ModelConfig::identifiers();
        QCOMPARE(ids.cid, store->intValue(Option, QStringLiteral("CID")));
        QCOMPARE(ids.vids, store->valueList(Option, QStringLiteral("VID")));
        QCOMPARE(ids.usbPids, store->valueList(Option, QStringLiteral("USB_PID")));
        const char *wireless[4] = {"Wireless_PID", "Wireless2_PID", "Wireless4_PID",
                                   "Wireless8_PID"};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(ids.wirelessPids[i], store->valueList(Option, QLatin1String(wireless[i])));

        const QVector<int> mids = ModelConfig::modelIds();
        QCOMPARE(mids.size(), store->intValue(Option, QStringLiteral("DeviceTotal")));
        for (int n = 1; n <= mids.size(); ++n) {
            const QString group = QStringLiteral("Drive%1").arg(n);
            QCOMPARE(mids.at(n - 1), store->intValue(group, QStringLiteral("MID")));
            const ModelConfig::Model model = ModelConfig::model(mids.at(n - 1));
            QCOMPARE(model.section, n);
            QCOMPARE(model.mouseImageName, store->value(group, QStringLiteral("MM")));
            const char *receiverKeys[4] = {"DM", "D2M", "D4M", "D8M"};
            for (int i = 0; i < 4; ++i)
                QCOMPARE(model.receiverImageNames[i],
                         store->value(group, QLatin1String(receiverKeys[i])));
            QCOMPARE(model.dpiGrade, store->valueList(group, QStringLiteral("DPIGrade")));
            QCOMPARE(model.dpiColor, store->valueList(group, QStringLiteral("DPIColor")));
            QCOMPARE(model.dpiMaxGrade, store->intValue(group, QStringLiteral("DPIMaxGrade")));
            QCOMPARE(model.keyParams.value(0),
                     store->valueList(group, QStringLiteral("KeyParam1")));
        }
    }

    void modelIdentifiersAreDistinct()
    {
        const int total = store->intValue(Option, QStringLiteral("DeviceTotal"));
        QSet<int> mids;
        for (int n = 1; n <= total; ++n)
            mids.insert(store->intValue(QStringLiteral("Drive%1").arg(n), QStringLiteral("MID")));
        QCOMPARE(mids.size(), total);
    }
};

ZR35_TEST_MAIN(TestShippedConfig)
#include "tst_shippedconfig.moc"
