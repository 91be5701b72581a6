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

} // namespace

class TestWholeFile : public QObject
{
    Q_OBJECT
private slots:
    void replacesTheFileWhole()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("file.bin"));
        QVERIFY(WholeFile::write(path, pattern(10464)));
        QCOMPARE(readFile(path), pattern(10464));
        QVERIFY(WholeFile::write(path, "short"));
        QCOMPARE(readFile(path), QByteArray("short"));
        QVERIFY(WholeFile::write(path, QByteArray()));
        QCOMPARE(QFileInfo(path).size(), qint64(0));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"file.bin"});
    }

    // The disk fills while the new bytes are written: in the write buffer (the save of the
    // settings export that came out 4096 of 10464 bytes long) or past it.
    void aFullDiskKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("limit");
        QTest::newRow("held in the write buffer") << 10464 << 4096;
        QTest::newRow("larger than the buffer") << 200000 << 65536;
        QTest::newRow("no byte fits") << 10 << 0;
    }
    void aFullDiskKeepsTheOldFile()
    {
        QFETCH(int, size);
        QFETCH(int, limit);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("file.bin"));
        QVERIFY(WholeFile::write(path, "the old file"));
        QString error;
        const QString failure = FailedSaveKeepsTheFile(
            path, rlim_t(limit), [&] { return WholeFile::write(path, pattern(size), &error); });
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QVERIFY(!error.isEmpty());
    }

    void aFullDiskWritesNoNewFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("new.bin"));
        const QString failure = FailedSaveKeepsTheFile(
            path, 100, [&] { return WholeFile::write(path, pattern(1000)); });
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QVERIFY(!QFileInfo::exists(path));
    }

    void aMissingFolderIsReported()
    {
        QTemporaryDir dir;
        QString error;
        QVERIFY(!WholeFile::write(dir.filePath(QStringLiteral("none/file.bin")), "x", &error));
        QVERIFY(!error.isEmpty());
    }
};

ZR35_TEST_MAIN(TestWholeFile)
#include "tst_wholefile.moc"
