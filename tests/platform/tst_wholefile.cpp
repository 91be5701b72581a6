#include "platform/wholefile.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray pattern(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char('a' + i % 26);
    return bytes;
}

// The two writers: one that returns with the file on the disk, and one that returns with it in
// place and puts it on the disk at a later sync().
using Writer = bool (*)(const QString &, const QByteArray &, QString *);

bool synced(const QString &path, const QByteArray &bytes, QString *error)
{
    return WholeFile::write(path, bytes, error);
}

bool syncedLater(const QString &path, const QByteArray &bytes, QString *error)
{
    return WholeFile::writeUnsynced(path, bytes, error);
}

void addWriters()
{
    QTest::addColumn<void *>("writer");
    QTest::newRow("synced") << reinterpret_cast<void *>(&synced);
    QTest::newRow("synced later") << reinterpret_cast<void *>(&syncedLater);
}

int openFiles()
{
    return QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size();
}

} // namespace

class TestWholeFile : public QObject
{
    Q_OBJECT
private slots:
    void replacesTheFileWhole_data() { addWriters(); }
    void replacesTheFileWhole()
    {
        QFETCH(void *, writer);
        const auto write = reinterpret_cast<Writer>(writer);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("file.bin"));
        QVERIFY(write(path, pattern(10464), nullptr));
        QCOMPARE(readFile(path), pattern(10464));
        QVERIFY(write(path, "short", nullptr));
        QCOMPARE(readFile(path), QByteArray("short"));
        QVERIFY(write(path, QByteArray(), nullptr));
        QCOMPARE(QFileInfo(path).size(), qint64(0));
        QVERIFY(WholeFile::sync(path));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"file.bin"});
    }

    // The disk fills while the new bytes are written: in the write buffer (the save of the
    // settings export that came out 4096 of 10464 bytes long) or past it.
    void aFullDiskKeepsTheOldFile_data()
    {
        QTest::addColumn<void *>("writer");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("limit");
        const struct
        {
            const char *name;
            Writer writer;
        } writers[] = {{"synced", &synced}, {"synced later", &syncedLater}};
        for (const auto &w : writers) {
            void *one = reinterpret_cast<void *>(w.writer);
            QTest::addRow("%s, held in the write buffer", w.name) << one << 10464 << 4096;
            QTest::addRow("%s, larger than the buffer", w.name) << one << 200000 << 65536;
            QTest::addRow("%s, no byte fits", w.name) << one << 10 << 0;
        }
    }
    void aFullDiskKeepsTheOldFile()
    {
        QFETCH(void *, writer);
        const auto write = reinterpret_cast<Writer>(writer);
        QFETCH(int, size);
        QFETCH(int, limit);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("file.bin"));
        QVERIFY(write(path, "the old file", nullptr));
        QString error;
        const QString failure = FailedSaveKeepsTheFile(
            path, rlim_t(limit), [&] { return write(path, pattern(size), &error); });
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QVERIFY(!error.isEmpty());
        QVERIFY(WholeFile::sync(path));
    }

    void aFullDiskWritesNoNewFile_data() { addWriters(); }
    void aFullDiskWritesNoNewFile()
    {
        QFETCH(void *, writer);
        const auto write = reinterpret_cast<Writer>(writer);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("new.bin"));
        const QString failure =
            FailedSaveKeepsTheFile(path, 100, [&] { return write(path, pattern(1000), nullptr); });
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QVERIFY(!QFileInfo::exists(path));
    }

    void aMissingFolderIsReported_data() { addWriters(); }
    void aMissingFolderIsReported()
    {
        QFETCH(void *, writer);
        const auto write = reinterpret_cast<Writer>(writer);
        QTemporaryDir dir;
        QString error;
        QVERIFY(!write(dir.filePath(QStringLiteral("none/file.bin")), "x", &error));
        QVERIFY(!error.isEmpty());
    }

    // A file written without its sync is held open once replaced, until the sync of its path
    // lets it go: none is left open for good.
    void aSyncLetsGoOfTheReplacedFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("file.bin"));
        const QString other = dir.filePath(QStringLiteral("other.bin"));
        const int before = openFiles();
        for (int i = 0; i < 4; ++i) {
            QVERIFY(WholeFile::writeUnsynced(path, pattern(100 + i)));
            QVERIFY(WholeFile::writeUnsynced(other, pattern(200 + i)));
        }
        QCOMPARE(openFiles(), before + 6);
        QVERIFY(WholeFile::sync(path));
        QCOMPARE(openFiles(), before + 3);
        QCOMPARE(readFile(path), pattern(103));
        QVERIFY(WholeFile::sync(other));
        QCOMPARE(openFiles(), before);
        QCOMPARE(readFile(other), pattern(203));
        QVERIFY(!WholeFile::sync(dir.filePath(QStringLiteral("none.bin"))));
    }
};

ZR35_TEST_MAIN(TestWholeFile)
#include "tst_wholefile.moc"
