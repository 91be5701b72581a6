#include "macro/eventitem.h"
#include "macro/model/keyvocabulary.h"
#include "macro/model/macroexportfile.h"
#include "macro/model/macrofile.h"
#include "macro/model/macroname.h"
#include "platform/appdir.h"
#include "tests/macro/macrobuildercases.h"
#include "tests/support/testmain.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QPixmap>

namespace {

QIcon square(int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::darkCyan);
    return QIcon(pixmap);
}

// An export file written item by item, so that a test can make one the program would not.
struct ExportWriter
{
    QByteArray bytes;
    QBuffer buffer{&bytes};
    QDataStream out{&buffer};

    ExportWriter(const QByteArray &tag, const QByteArray &name, const QByteArray &repeat)
    {
        buffer.open(QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_5_9);
        block(tag, 12);
        block(name, 48);
        block(repeat, 12);
    }
    void block(const QByteArray &text, int size)
    {
        QByteArray b = text.left(size - 1);
        b.append(QByteArray(size - b.size(), '\0'));
        out.writeBytes(b.constData(), uint(b.size()));
    }
    ExportWriter &count(qint32 n)
    {
        out << n;
        return *this;
    }
    ExportWriter &key(const QString &name, const char *direction, const QIcon &icon = square(16))
    {
        out << name << icon << direction;
        return *this;
    }
    ExportWriter &delay(const QString &text, const QIcon &icon = square(16))
    {
        out << text << icon;
        return *this;
    }
};

QVector<QStringList> otherLanguage()
{
    return {{"Ліва кнопка", "Права кнопка", "Середня кнопка", "Кнопка вперед", "Кнопка назад"}};
}

QByteArray utf16(const QString &text)
{
    QByteArray bytes;
    for (QChar c : text)
        bytes.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    return bytes;
}

quint32 u32At(const QByteArray &bytes, int offset)
{
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData() + offset);
    return (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | p[3];
}

} // namespace

// The export file of one macro: what the program writes, and what an import accepts or refuses.
class TestMacroExportFile : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        SetMouseButtonNames({"Left", "Right", "Middle", "Forward", "Back"});
        QDir().mkpath(MacroFolder());
    }
    void init()
    {
        QDir folder(MacroFolder());
        for (const QString &file : folder.entryList(QDir::Files))
            folder.remove(file);
    }

    void layout()
    {
        const MacroExport macro{QStringLiteral("Привітання"), QStringLiteral("253"),
                                EventsOf(QStringLiteral("+A 10ms -A"))};
        const QByteArray bytes = WriteMacroExport(macro, EventItem::Icons());
        QCOMPARE(u32At(bytes, 0), 12u);
        QCOMPARE(bytes.mid(4, 12), QByteArray("Tavik\0\0\0\0\0\0\0", 12));
        QCOMPARE(u32At(bytes, 16), 48u);
        const QByteArray name = macro.name.toUtf8();
        QCOMPARE(bytes.mid(20, name.size()), name);
        QCOMPARE(bytes.mid(20 + name.size(), 48 - name.size()), QByteArray(48 - name.size(), '\0'));
        QCOMPARE(u32At(bytes, 68), 12u);
        QCOMPARE(bytes.mid(72, 12), QByteArray("253\0\0\0\0\0\0\0\0\0", 12));
        QCOMPARE(u32At(bytes, 84), 3u);
        // The first item's text, "A" in UTF-16.
        QCOMPARE(u32At(bytes, 88), 2u);
        QCOMPARE(bytes.mid(92, 2), QByteArray("\0A", 2));
        // The icons carry their pictures, never a path of this machine.
        for (const QString &path : {AppDir::path(), QDir::homePath()}) {
            QVERIFY(!bytes.contains(path.toUtf8()));
            QVERIFY(!bytes.contains(utf16(path)));
        }

        const std::optional<MacroExport> back = ReadMacroExport(bytes, {});
        QVERIFY(back);
        QCOMPARE(back->name, macro.name);
        QCOMPARE(back->repeat, macro.repeat);
        QCOMPARE(NotationOf(back->events), QStringLiteral("+A 10ms -A"));
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("events");
        QTest::newRow("empty list") << "";
        QTest::newRow("modifiers and mouse buttons")
            << "+LCtrl 5ms +#0x01/4 10ms -#0x01/4 3ms -LCtrl 0ms +#0x10/4 -#0x10/4";
        QTest::newRow("arrows, empty name, long delay")
            << QString::fromUtf16(u"+\u2190 4294967295ms -\u2190 +#0x00/1 -Num+");
    }
    void roundTrip()
    {
        QFETCH(QString, events);
        const MacroExport macro{QStringLiteral("m"), QStringLiteral("7"), EventsOf(events)};
        const std::optional<MacroExport> back =
            ReadMacroExport(WriteMacroExport(macro, EventItem::Icons()), {});
        QVERIFY(back);
        QCOMPARE(NotationOf(back->events), events);
    }

    void longNamesAreCut()
    {
        // 24 two-byte letters: the export keeps 23 (46 bytes), an import the first 15.
        const QString name(24, QChar(0x0457));
        const QByteArray bytes =
            WriteMacroExport({name, QStringLiteral("1"), {}}, EventItem::Icons());
        QCOMPARE(bytes.mid(20, 48), QString(23, QChar(0x0457)).toUtf8() + QByteArray(2, '\0'));
        const std::optional<MacroExport> back = ReadMacroExport(bytes, {});
        QVERIFY(back);
        QCOMPARE(back->name, QString(15, QChar(0x0457)));
    }

    void directionsAndOtherLanguages()
    {
        ExportWriter file("Tavik", "m", "1");
        file.count(6)
            .key(QStringLiteral("A"), "1")   // the unit 0x3100: a release
            .key(QStringLiteral("A"), "0")   // 0x3000: a press
            .key(QStringLiteral("A"), "011") // anything else: a release
            .key(QStringLiteral("Права кнопка"), "0")
            .delay(QStringLiteral("12ms"))
            .key(QStringLiteral("Right"), "1");
        const std::optional<MacroExport> macro = ReadMacroExport(file.bytes, otherLanguage());
        QVERIFY(macro);
        QCOMPARE(NotationOf(macro->events), QStringLiteral("-A +A -A +#0x02/4 12ms -#0x02/4"));
        // Without the other language's names the file cannot be placed.
        QVERIFY(!ReadMacroExport(file.bytes, {}));
    }

    void iconsAreCheckedNotLoaded()
    {
        // An icon read from a file names that file; the import neither follows the name nor
        // minds it, and shows its own pictures.
        const QString picture = QDir::home().filePath(QStringLiteral("press.png"));
        QVERIFY(square(16).pixmap(16).save(picture));
        QIcon fromFile(picture);
        QVERIFY(!fromFile.isNull());
        ExportWriter file("Tavik", "m", "1");
        file.count(3).key("A", "0", fromFile).delay("5ms", QIcon()).key("A", "1", square(64));
        QVERIFY(file.bytes.contains(utf16(picture)));
        QVERIFY(QFile::remove(picture));
        const std::optional<MacroExport> macro = ReadMacroExport(file.bytes, {});
        QVERIFY(macro);
        QCOMPARE(NotationOf(macro->events), QStringLiteral("+A 5ms -A"));
    }

    void refused_data()
    {
        QTest::addColumn<QByteArray>("file");
        auto good = [] {
            ExportWriter w("Tavik", "m", "1");
            w.count(2).key("A", "0").key("A", "1");
            return w.bytes;
        };
        QVERIFY(ReadMacroExport(good(), {}));
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("wrong tag") << [] {
            ExportWriter w("Tavix", "m", "1");
            w.count(0);
            return w.bytes;
        }();
        QTest::newRow("settings file, not a macro") << [] {
            ExportWriter w("Tavik", "OPT5100", QByteArray(10428, 'x'));
            return w.bytes;
        }();
        for (int cut : {3, 15, 60, 86, 90, good().size() - 1})
            QTest::addRow("truncated at %d", cut) << good().left(cut);
        QTest::newRow("count 0x7FFFFFFF") << [] {
            ExportWriter w("Tavik", "m", "1");
            w.count(0x7FFFFFFF).key("A", "0");
            return w.bytes;
        }();
        QTest::newRow("count below 0") << [] {
            ExportWriter w("Tavik", "m", "1");
            w.count(-1);
            return w.bytes;
        }();
        QTest::newRow("empty name") << [] {
            ExportWriter w("Tavik", "", "1");
            w.count(0);
            return w.bytes;
        }();
        QTest::newRow("name ../x") << [] {
            ExportWriter w("Tavik", "../x", "1");
            w.count(0);
            return w.bytes;
        }();
        QTest::newRow("name not UTF-8") << [] {
            ExportWriter w("Tavik", "a\xff", "1");
            w.count(0);
            return w.bytes;
        }();
        QTest::newRow("repeat not a number") << [] {
            ExportWriter w("Tavik", "m", "3\n0x04 1 0");
            w.count(0);
            return w.bytes;
        }();
        QTest::newRow("delay not whole milliseconds") << [] {
            ExportWriter w("Tavik", "m", "1");
            w.count(1).delay("abcms");
            return w.bytes;
        }();
        QTest::newRow("unknown key name") << [] {
            ExportWriter w("Tavik", "m", "1");
            w.count(1).key("Hyper", "0");
            return w.bytes;
        }();
        QTest::newRow("icon larger than 64 x 64") << [] {
            ExportWriter w("Tavik", "m", "1");
            w.count(1).key("A", "0", square(65));
            return w.bytes;
        }();
        QTest::newRow("odd string length") << [] {
            ExportWriter w("Tavik", "m", "1");
            w.count(1);
            w.out << quint32(3);
            w.out.writeRawData("abc", 3);
            return w.bytes;
        }();
    }
    void refused()
    {
        QFETCH(QByteArray, file);
        QVERIFY(!ReadMacroExport(file, otherLanguage()));
        MacroExport imported;
        QCOMPARE(ImportMacroExport(
                     file, otherLanguage(), [](const QString &) { return false; }, &imported),
                 ImportResult::NotAMacroFile);
        QVERIFY(QDir(MacroFolder()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }

    void importWritesTheMacroFile()
    {
        ExportWriter file("Tavik", "Greeting", "253");
        file.count(3).key("A", "0").delay("10ms").key("A", "1");
        MacroExport imported;
        QCOMPARE(ImportMacroExport(
                     file.bytes, {}, [](const QString &) { return false; }, &imported),
                 ImportResult::Imported);
        QFile written(MacroFolder() + QStringLiteral("/Greeting.ini"));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), QByteArray("253\n0x04 1 0\n10ms\n0x04 1 1\n"));
    }

    // A file the list hides (its name holds "xml") is a macro all the same: never overwritten.
    void importNeverOverwrites()
    {
        const QString hidden = MacroFolder() + QStringLiteral("/myxml.ini");
        QFile existing(hidden);
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("5\n");
        existing.close();
        ExportWriter file("Tavik", "myxml", "1");
        file.count(0);
        MacroExport imported;
        QCOMPARE(ImportMacroExport(
                     file.bytes, {}, [](const QString &) { return false; }, &imported),
                 ImportResult::NameTaken);
        QVERIFY(existing.open(QIODevice::ReadOnly));
        QCOMPARE(existing.readAll(), QByteArray("5\n"));
        QCOMPARE(ImportMacroExport(
                     file.bytes, {}, [](const QString &n) { return n == "myxml"; }, &imported),
                 ImportResult::NameTaken);
    }
};

ZR35_TEST_MAIN(TestMacroExportFile)
#include "tst_macroexportfile.moc"
