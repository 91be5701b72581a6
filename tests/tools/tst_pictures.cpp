#include "platform/appdir.h"
#include "tests/support/testmain.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

namespace {

const char ManifestPath[] = ZR35_TEST_SOURCE_DIR "/../../assets/pictures/manifest.json";
const char ToolPath[] = ZR35_BINARY_DIR "/tools/zr35_picturegen";

QJsonObject manifest()
{
    QFile file(QString::fromUtf8(ManifestPath));
    if (!file.open(QIODevice::ReadOnly))
        return QJsonObject();
    return QJsonDocument::fromJson(file.readAll()).object();
}

QJsonArray pictures()
{
    return manifest().value(QLatin1String("pictures")).toArray();
}

QString relativePath(const QJsonObject &entry)
{
    return QStringLiteral("Picture/%1/%2.png")
        .arg(entry.value(QLatin1String("form")).toString(),
             entry.value(QLatin1String("file")).toString());
}

int distinctColours(const QImage &image, int enough)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height() && colours.size() < enough; ++y) {
        for (int x = 0; x < image.width() && colours.size() < enough; ++x)
            colours.insert(image.pixel(x, y));
    }
    return colours.size();
}

// The filter type of every row of a PNG file of 8-bit RGB or RGBA, in order; empty when the file
// is not one.
QList<int> rowFilters(const QByteArray &png)
{
    QByteArray deflated;
    quint32 width = 0;
    quint32 height = 0;
    int channels = 0;
    const auto number = [&png](int at) {
        return quint32(quint8(png[at])) << 24 | quint32(quint8(png[at + 1])) << 16 |
               quint32(quint8(png[at + 2])) << 8 | quint32(quint8(png[at + 3]));
    };
    for (int at = 8; at + 8 <= png.size();) {
        const int length = int(number(at));
        const QByteArray type = png.mid(at + 4, 4);
        if (type == "IHDR") {
            width = number(at + 8);
            height = number(at + 12);
            channels = png[at + 17] == 2 ? 3 : png[at + 17] == 6 ? 4 : 0;
        } else if (type == "IDAT") {
            deflated += png.mid(at + 8, length);
        }
        at += length + 12;
    }
    const int stride = 1 + int(width) * channels;
    const int size = stride * int(height);
    if (channels == 0 || size <= 0)
        return {};
    // qUncompress takes the inflated size, big-endian, before the zlib stream.
    QByteArray sized(4, '\0');
    for (int i = 0; i < 4; ++i)
        sized[i] = char(quint32(size) >> (24 - 8 * i));
    const QByteArray rows = qUncompress(sized + deflated);
    if (rows.size() != size)
        return {};
    QList<int> filters;
    for (quint32 y = 0; y < height; ++y)
        filters.append(int(quint8(rows[int(y) * stride])));
    return filters;
}

} // namespace

class TestPictures : public QObject
{
    Q_OBJECT
private slots:
    void manifestIsWellFormed()
    {
        const QJsonArray entries = pictures();
        QVERIFY(entries.size() > 0);
        QSet<QString> seen;
        for (const QJsonValue &value : entries) {
            const QString path = relativePath(value.toObject());
            // A second entry for one file would silently draw over the first.
            QVERIFY2(!seen.contains(path), qPrintable(path));
            seen.insert(path);
        }
    }

    void everyPictureIsShipped_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        for (const QJsonValue &value : pictures()) {
            const QJsonObject entry = value.toObject();
            const QJsonArray size = entry.value(QLatin1String("size")).toArray();
            const QString path = relativePath(entry);
            QTest::newRow(qPrintable(path))
                << path << QSize(size.at(0).toInt(), size.at(1).toInt());
        }
    }

    void everyPictureIsShipped()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QFile file(AppDir::filePath(path));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        QVERIFY(file.read(8).startsWith("\x89PNG\r\n\x1a\n"));
        const QImage image(file.fileName());
        QCOMPARE(image.size(), size);
        // A drawn shape, not a blank or one-colour stand-in.
        QVERIFY(distinctColours(image, 3) >= 3);
    }

    // Rows are stored unfiltered: undoing the filters cost as much as the rest of decoding, and
    // the program decodes its pictures before its window shows.
    void everyPictureIsUnfiltered_data() { everyPictureIsShipped_data(); }

    void everyPictureIsUnfiltered()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QFile file(AppDir::filePath(path));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QList<int> filters = rowFilters(file.readAll());
        QCOMPARE(filters.size(), size.height());
        QCOMPARE(filters.count(0), filters.size());
    }

    // Hover, pressed and checked must be told apart from the picture at rest.
    void statesDiffer()
    {
        QHash<QString, QList<QPair<QString, QImage>>> groups;
        for (const QJsonValue &value : pictures()) {
            QJsonObject entry = value.toObject();
            if (!entry.contains(QLatin1String("state")))
                continue;
            const QString path = relativePath(entry);
            const QString state = entry.take(QLatin1String("state")).toString();
            entry.remove(QLatin1String("file"));
            const QString key = QString::fromUtf8(QJsonDocument(entry).toJson());
            groups[key].append({path + QLatin1Char(' ') + state, QImage(AppDir::filePath(path))});
        }
        int compared = 0;
        for (const auto &group : qAsConst(groups)) {
            for (int i = 0; i < group.size(); ++i) {
                for (int j = i + 1; j < group.size(); ++j) {
                    QVERIFY2(group[i].second != group[j].second,
                             qPrintable(group[i].first + QStringLiteral(" = ") + group[j].first));
                    ++compared;
                }
            }
        }
        QVERIFY(compared > 0);
    }

    // A picture that another form's code names differently ("twin": the file it must equal) is
    // drawn the same, so the two names never drift apart.
    void twinsMatch()
    {
        int twins = 0;
        for (const QJsonValue &value : pictures()) {
            const QJsonObject entry = value.toObject();
            const QString twin = entry.value(QLatin1String("twin")).toString();
            if (twin.isEmpty())
                continue;
            QJsonObject other = entry;
            other.insert(QLatin1String("file"), twin);
            const QImage picture(AppDir::filePath(relativePath(entry)));
            const QImage original(AppDir::filePath(relativePath(other)));
            QVERIFY2(!picture.isNull() && picture == original, qPrintable(relativePath(entry)));
            ++twins;
        }
        QVERIFY(twins > 0);
    }

    // The palette is where the theme's colours are kept; Config.ini's Option colours name the
    // roles they stand for in "configOptions".
    void paletteColoursParse()
    {
        const QJsonObject palette = manifest().value(QLatin1String("palette")).toObject();
        QVERIFY(!palette.isEmpty());
        const QRegularExpression hex(QStringLiteral("^#[0-9a-fA-F]{6}$"));
        for (auto it = palette.begin(); it != palette.end(); ++it) {
            const QString text = it.value().toString();
            QVERIFY2(hex.match(text).hasMatch(), qPrintable(it.key() + QLatin1Char('=') + text));
            QVERIFY(QColor(text).isValid());
        }
        const QJsonObject options = manifest().value(QLatin1String("configOptions")).toObject();
        QVERIFY(!options.isEmpty());
        for (auto it = options.begin(); it != options.end(); ++it)
            QVERIFY2(palette.contains(it.value().toString()), qPrintable(it.key()));
    }

    // What a later form relies on: an entry added to a manifest becomes a picture of its size,
    // and a manifest the tool cannot draw fails the build instead of shipping less.
    void toolDrawsWhatTheManifestSays_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("button") << "{'form': 'Sensor', 'file': 'Add', 'size': [24, 22], 'kind': "
                                   "'button', 'icon': 'arrow-right', 'state': 'hover'}"
                                << true;
        QTest::newRow("badge") << "{'form': 'Sensor', 'file': 'Rate', 'size': [42, 26], 'kind': "
                                  "'badge', 'text': '500Hz'}"
                               << true;
        QTest::newRow("unknown kind")
            << "{'form': 'Sensor', 'file': 'Odd', 'size': [10, 10], 'kind': 'sparkle'}" << false;
        QTest::newRow("unknown icon") << "{'form': 'Sensor', 'file': 'Odd', 'size': [10, 10], "
                                         "'kind': 'button', 'icon': 'sparkle'}"
                                      << false;
        QTest::newRow("no size") << "{'form': 'Sensor', 'file': 'Odd', 'kind': 'checkbox'}"
                                 << false;
    }

    void toolDrawsWhatTheManifestSays()
    {
        QFETCH(QString, entry);
        QFETCH(bool, drawn);
        // The table writes JSON with single quotes for readability.
        entry.replace(QLatin1Char('\''), QLatin1Char('"'));
        QTemporaryDir out;
        const QJsonObject palette = manifest().value(QLatin1String("palette")).toObject();
        const QByteArray text = "{\"palette\": " + QJsonDocument(palette).toJson() +
                                ", \"pictures\": [" + entry.toUtf8() + "]}";
        QFile file(out.filePath(QStringLiteral("manifest.json")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();

        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        tool.setProcessEnvironment(env);
        tool.start(QString::fromUtf8(ToolPath), {file.fileName(), out.path()});
        QVERIFY(tool.waitForFinished(20000));
        QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
        QCOMPARE(tool.exitCode() == 0, drawn);
        const QJsonObject parsed = QJsonDocument::fromJson(entry.toUtf8()).object();
        const QImage image(out.filePath(relativePath(parsed)));
        QCOMPARE(!image.isNull(), drawn);
        if (drawn) {
            const QJsonArray size = parsed.value(QLatin1String("size")).toArray();
            QCOMPARE(image.size(), QSize(size.at(0).toInt(), size.at(1).toInt()));
        } else {
            QVERIFY(!tool.readAllStandardError().isEmpty());
        }
    }

    void toolRejectsABadPalette()
    {
        QTemporaryDir out;
        QFile file(out.filePath(QStringLiteral("manifest.json")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("{'palette': {'base': '#12'}, 'pictures': []}").replace('\'', '"'));
        file.close();
        QProcess tool;
        tool.start(QString::fromUtf8(ToolPath), {file.fileName(), out.path()});
        QVERIFY(tool.waitForFinished(20000));
        QVERIFY(tool.exitCode() != 0);
    }
};

ZR35_TEST_MAIN(TestPictures)
#include "tst_pictures.moc"
