#include "core/configini.h"
#include "core/firmwareimages.h"
#include "core/record/firmwareheader.h"
#include "tests/support/testmain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <limits>

using namespace FirmwareImages;

namespace {

constexpr int Cid = 12;
constexpr int Mid = 10;

// One image file: the header fields the search reads, and a payload that names the file so that a
// test can tell which image was taken.
QByteArray imageBytes(const QString &name, quint32 version, int target, int cid, int mid,
                      const QByteArray &model)
{
    QByteArray data(HeaderSize, '\0');
    qToLittleEndian<quint32>(version, reinterpret_cast<uchar *>(data.data()) + 0x10);
    data[0x14] = char(target);
    data[0x15] = char(cid);
    data[0x16] = char(mid);
    data.replace(0x57, model.size(), model);
    return data + name.toLatin1();
}

// "name version target model", e.g. "a.bin 0106 210 MM10"; the customer and model ids are the
// test's unless the model text is "other-cid" or "other-mid".
void writeImages(const QString &folder, const QStringList &images)
{
    QDir().mkpath(folder);
    for (const QString &line : images) {
        const QStringList f = line.split(QLatin1Char(' '));
        const QString name = f.at(0);
        if (f.at(1) == QLatin1String("dangling")) {
            QVERIFY(QFile::link(folder + QStringLiteral("/missing-target"), folder + '/' + name));
            continue;
        }
        QFile file(folder + '/' + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        if (f.at(1) == QLatin1String("short")) {
            file.write(QByteArray(HeaderSize - 1, '\0'));
            continue;
        }
        // A matching header with nothing after it, or followed by more than a device's flash
        // holds: no firmware to install either way.
        if (f.at(1) == QLatin1String("header-only")) {
            file.write(imageBytes(QString(), 0x0106, MouseTarget, Cid, Mid, "MM10"));
            continue;
        }
        if (f.at(1) == QLatin1String("oversized")) {
            QByteArray data = imageBytes(name, 0x0106, MouseTarget, Cid, Mid, "MM10");
            data.append(QByteArray(int(FirmwareHeader::MaxImageSize) + 1 - data.size(), 'x'));
            file.write(data);
            continue;
        }
        const quint32 version = f.at(1).toUInt(nullptr, 16);
        const int target = f.at(2).toInt();
        const QByteArray model = f.at(3).toLatin1();
        const int cid = model == "other-cid" ? Cid + 1 : Cid;
        const int mid = model == "other-mid" ? Mid + 1 : Mid;
        file.write(imageBytes(name, version, target, cid, mid,
                              model.startsWith("other") ? QByteArray("MM10") : model));
    }
}

} // namespace

class TestFirmwareImages : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_app.reset(new QTemporaryDir);
        QVERIFY(m_app->isValid());
        AppDir::setOverride(m_app->path());
    }
    void cleanupTestCase()
    {
        AppDir::setOverride(QString());
        ConfigIni::resetForTests(QString());
    }

    void versionText_data()
    {
        QTest::addColumn<quint32>("version");
        QTest::addColumn<QString>("text");
        QTest::newRow("1.03") << quint32(0x0103) << "v1.03";
        QTest::newRow("hex minor") << quint32(0x021A) << "v2.1A";
        QTest::newRow("zero") << quint32(0) << "v0.00";
        QTest::newRow("two-digit major") << quint32(0x0A00) << "v10.00";
    }
    void versionText()
    {
        QFETCH(quint32, version);
        QFETCH(QString, text);
        QCOMPARE(FirmwareVersionText(version), text);
        quint32 parsed = 0xFFFF;
        QVERIFY(ParseFirmwareVersion(text, &parsed));
        QCOMPARE(parsed, version);
    }

    void search_data()
    {
        QTest::addColumn<QStringList>("images");
        QTest::addColumn<QString>("deviceVersion");
        QTest::addColumn<QString>("taken"); // empty: nothing taken
        QTest::addColumn<bool>("offered");  // HasNewFirmware

        const QString mouse = QStringLiteral(" 210 MM10");
        QTest::newRow("same version") << QStringList{"a.bin 0105" + mouse} << "v1.05"
                                      << "" << false;
        QTest::newRow("newer") << QStringList{"a.bin 0106" + mouse} << "v1.05"
                               << "a.bin" << true;
        QTest::newRow("older is offered too") << QStringList{"a.bin 0150" + mouse} << "v2.00"
                                              << "a.bin" << true;
        QTest::newRow("hex minors differ") << QStringList{"a.bin 010B" + mouse} << "v1.0A"
                                           << "a.bin" << true;
        QTest::newRow("hex minor equal") << QStringList{"a.bin 010A" + mouse} << "v1.0A"
                                         << "" << false;
        QTest::newRow("0x0A is not 0x00") << QStringList{"a.bin 010A" + mouse} << "v1.00"
                                          << "a.bin" << true;
        QTest::newRow("last match wins")
            << QStringList{"a.bin 0106" + mouse, "b.bin 0107" + mouse} << "v1.05"
            << "b.bin" << true;
        QTest::newRow("name order ignores case")
            << QStringList{"B.bin 0107" + mouse, "a.bin 0106" + mouse} << "v1.05"
            << "B.bin" << true;
        QTest::newRow("equal image skipped, later one taken")
            << QStringList{"a.bin 0105" + mouse, "b.bin 0107" + mouse} << "v1.05"
            << "b.bin" << true;
        QTest::newRow("no device version takes the last")
            << QStringList{"a.bin 0105" + mouse, "b.bin 0105" + mouse} << ""
            << "b.bin" << false;
        QTest::newRow("receiver image never matches a mouse search")
            << QStringList{"a.bin 0106 211 MM10"} << "v1.05"
            << "" << false;
        QTest::newRow("other model name") << QStringList{"a.bin 0106 210 MM11"} << "v1.05"
                                          << "" << false;
        QTest::newRow("model name is case-sensitive")
            << QStringList{"a.bin 0106 210 mm10"} << "v1.05"
            << "" << false;
        QTest::newRow("other customer") << QStringList{"a.bin 0106 210 other-cid"} << "v1.05"
                                        << "" << false;
        QTest::newRow("other model id") << QStringList{"a.bin 0106 210 other-mid"} << "v1.05"
                                        << "" << false;
        QTest::newRow("shorter than a header")
            << QStringList{"a.bin short", "b.bin 0106" + mouse} << "v1.05"
            << "b.bin" << true;
        QTest::newRow("header without firmware")
            << QStringList{"a.bin 0106" + mouse, "b.bin header-only"} << "v1.05"
            << "a.bin" << true;
        QTest::newRow("only a header") << QStringList{"a.bin header-only"} << "v1.05"
                                       << "" << false;
        QTest::newRow("larger than a device's flash")
            << QStringList{"a.bin 0106" + mouse, "b.bin oversized"} << "v1.05"
            << "a.bin" << true;
        QTest::newRow("unreadable file among good ones")
            << QStringList{"a.bin 0106" + mouse, "b.bin dangling", "c.bin 0107" + mouse} << "v1.05"
            << "c.bin" << true;
        QTest::newRow("only *.bin files") << QStringList{"a.img 0106" + mouse} << "v1.05"
                                          << "" << false;
    }
    void search()
    {
        QFETCH(QStringList, images);
        QFETCH(QString, deviceVersion);
        QFETCH(QString, taken);
        QFETCH(bool, offered);
        writeImages(m_app->path() + QStringLiteral("/bin"), images);

        const QList<QByteArray> before = FirmwareImageList();
        QCOMPARE(HasNewFirmware(MouseTarget, deviceVersion, "MM10", Cid, Mid), offered);
        QCOMPARE(FirmwareImageList(), before); // the check neither keeps nor drops an image

        QCOMPARE(FindFirmwareFile(MouseTarget, deviceVersion, "MM10", Cid, Mid), !taken.isEmpty());
        const QList<QByteArray> list = FirmwareImageList();
        if (taken.isEmpty()) {
            QVERIFY(list.isEmpty());
        } else {
            QCOMPARE(list.size(), 1);
            QVERIFY(list.first().size() > HeaderSize);
            QCOMPARE(QString::fromLatin1(list.first().mid(HeaderSize)), taken);
        }
    }

    void noFolderDropsTheHeldImage()
    {
        writeImages(m_app->path() + QStringLiteral("/bin"), {"a.bin 0106 210 MM10"});
        QVERIFY(FindFirmwareFile(MouseTarget, "v1.05", "MM10", Cid, Mid));
        QVERIFY(QDir(m_app->path() + QStringLiteral("/bin")).removeRecursively());
        QVERIFY(!FindFirmwareFile(MouseTarget, "v1.05", "MM10", Cid, Mid));
        QVERIFY(FirmwareImageList().isEmpty());
    }

    void headerFields()
    {
        FirmwareHeader header;
        QByteArray image = imageBytes("x", 0x0203, ReceiverTarget, 7, 300, "D4M-name");
        QVERIFY(ReadFirmwareHeader(image, &header));
        QCOMPARE(header.Version, quint32(0x0203));
        QCOMPARE(header.Target, quint8(ReceiverTarget));
        QCOMPARE(header.Cid, quint8(7));
        QCOMPARE(header.Mid, quint8(300 & 0xFF));
        QCOMPARE(ModelNameText(header), QStringLiteral("D4M-name"));
        image.replace(0x57, 64, QByteArray(64, 'N')); // a name with no NUL fills the field
        QVERIFY(ReadFirmwareHeader(image, &header));
        QCOMPARE(ModelNameText(header), QString(64, QLatin1Char('N')));
        QVERIFY(!ReadFirmwareHeader(image.left(HeaderSize - 1), &header));
    }

    // The length field holds 32 bits: a payload it cannot describe gives no image, where the
    // header's size plus the payload's once wrapped round to a buffer shorter than the header.
    void writtenImages()
    {
        FirmwareHeader header;
        header.Target = MouseTarget;
        const std::uint8_t payload[3] = {1, 2, 3};
        const std::vector<std::uint8_t> image = header.Write(payload, sizeof payload);
        QCOMPARE(image.size(), FirmwareHeader::Size + sizeof payload);
        QCOMPARE(FirmwareHeader::Verify(image.data(), image.size()), FirmwareHeader::Check::Ok);
        const std::size_t tooLong = std::size_t(std::numeric_limits<std::uint32_t>::max()) + 1;
        QVERIFY(header.Write(payload, tooLong).empty());
        QVERIFY(header.Write(payload, std::numeric_limits<std::size_t>::max()).empty());
    }

    void checkForTheCurrentModel_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("receiverCode");
        QTest::addColumn<bool>("offered");
        QTest::newRow("mouse") << MouseTarget << "v1.05" << 0 << true;
        QTest::newRow("mouse up to date") << MouseTarget << "v1.06" << 0 << false;
        QTest::newRow("receiver class 4") << ReceiverTarget << "v2.00" << 4 << true;
        QTest::newRow("receiver class 8 has no image") << ReceiverTarget << "v2.00" << 8 << false;
        QTest::newRow("receiver class 3 is no class") << ReceiverTarget << "v2.00" << 3 << false;
        QTest::newRow("receiver class 0") << ReceiverTarget << "v2.00" << 0 << false;
        QTest::newRow("no device version") << MouseTarget << "" << 0 << false;
    }
    void checkForTheCurrentModel()
    {
        QFETCH(int, target);
        QFETCH(QString, version);
        QFETCH(int, receiverCode);
        QFETCH(bool, offered);
        const auto b64 = [](const char *text) { return QByteArray(text).toBase64(); };
        QDir().mkpath(m_app->path() + QStringLiteral("/usersetting"));
        QFile ini(m_app->path() + QStringLiteral("/usersetting/Config.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[Option]\nDeviceTotal=2\nCID=" + b64("12") + "\n[Drive1]\nMID=11\nMM=" +
                  b64("MM11") + "\n[Drive2]\nMID=10\nMM=" + b64("MM10") + "\nD4M=" + b64("D4M10") +
                  "\nD8M=" + b64("D8M10") + "\n");
        ini.close();
        ConfigIni::resetForTests(ini.fileName());
        writeImages(m_app->path() + QStringLiteral("/bin"),
                    {"m.bin 0106 210 MM10", "r.bin 0201 211 D4M10", "s.bin 0201 211 D8M11"});

        QCOMPARE(CheckNewFirmware(target, version, receiverCode, 1), offered);
        QCOMPARE(ConfigCid(), Cid);
    }

private:
    QScopedPointer<QTemporaryDir> m_app;
};

ZR35_TEST_MAIN(TestFirmwareImages)
#include "tst_firmwareimages.moc"
