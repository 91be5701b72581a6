#include "core/startup.h"
#include "platform/appdir.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QFile>

namespace {
constexpr qint64 Day = 86400;
constexpr qint64 Hour = 3600;

QString writeFile(const QString &path, const QByteArray &content = "x")
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(content);
    return path;
}

void setChanged(const QString &path, const QDateTime &when)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(when, QFileDevice::FileModificationTime));
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void init() { QDir(UserDir::path()).removeRecursively(); }

    void userFolderIsLaidOut()
    {
        PrepareUserFolder();
        for (const char *folder : {"Log", "Device_Info", "Exception", "usersetting/MainPage",
                                   "usersetting/MacroPage", "usersetting/SensorPage"})
            QVERIFY2(QFileInfo(UserDir::filePath(QLatin1String(folder))).isDir(), folder);
        const QFileInfo settings(UserDir::filePath(QStringLiteral("Macro.ini")));
        QVERIFY(settings.isFile());
        QCOMPARE(settings.size(), qint64(0));
    }

    void existingSettingsAreKept()
    {
        QDir().mkpath(UserDir::path());
        const QByteArray stored = "[Language]\nLanguage=1\n";
        writeFile(UserDir::filePath(QStringLiteral("Macro.ini")), stored);
        PrepareUserFolder();
        QFile f(UserDir::filePath(QStringLiteral("Macro.ini")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), stored);
    }

    void oldFilesAreRemoved_data()
    {
        QTest::addColumn<qint64>("ageSeconds");
        QTest::addColumn<bool>("removed");
        QTest::newRow("fresh") << qint64(0) << false;
        QTest::newRow("7 days 23 hours") << 7 * Day + 23 * Hour << false;
        QTest::newRow("8 days less a second") << 8 * Day - 1 << false;
        QTest::newRow("8 days") << 8 * Day << true;
        QTest::newRow("a year") << 365 * Day << true;
        QTest::newRow("an hour in the future") << -Hour << true;
    }
    void oldFilesAreRemoved()
    {
        QFETCH(qint64, ageSeconds);
        QFETCH(bool, removed);
        PrepareUserFolder();
        const QDateTime now = QDateTime::currentDateTime();
        const QString file = writeFile(UserDir::filePath(QStringLiteral("Log/2026-01-01.txt")));
        setChanged(file, now.addSecs(-ageSeconds));
        DeleteOldFiles(UserDir::filePath(QStringLiteral("Log")), now);
        QCOMPARE(!QFile::exists(file), removed);
    }

    void cleanupRemovesEveryOldFileAndNoFolder()
    {
        PrepareUserFolder();
        const QDateTime old = QDateTime::currentDateTime().addDays(-30);
        QStringList logs;
        for (int i = 0; i < 5; ++i) {
            logs << writeFile(UserDir::filePath(QStringLiteral("Log/%1.txt").arg(i)));
            setChanged(logs.last(), old);
        }
        const QString oldFolder = UserDir::filePath(QStringLiteral("Exception/kept"));
        QDir().mkpath(oldFolder);
        const QString inside = writeFile(oldFolder + QStringLiteral("/inside.dmp"));
        setChanged(inside, old);
        const QString dump = writeFile(UserDir::filePath(QStringLiteral("Exception/a.dmp")));
        setChanged(dump, old);
        const QString recent = writeFile(UserDir::filePath(QStringLiteral("Exception/b.dmp")));

        CleanOldDiagnostics();

        for (const QString &log : logs)
            QVERIFY2(!QFile::exists(log), qPrintable(log));
        QVERIFY(!QFile::exists(dump));
        QVERIFY(QFile::exists(recent));
        QVERIFY(QFileInfo(oldFolder).isDir());
        QVERIFY(QFile::exists(inside));
    }

    void scaleFactorFollowsDesktopWidth_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QByteArray>("factor");
        QTest::newRow("1920") << 1920 << QByteArray();
        QTest::newRow("1280") << 1280 << QByteArray();
        QTest::newRow("1921") << 1921 << QByteArray("1");
        QTest::newRow("2560") << 2560 << QByteArray("1");
        QTest::newRow("3839") << 3839 << QByteArray("1");
        QTest::newRow("3840") << 3840 << QByteArray("2");
        QTest::newRow("5760") << 5760 << QByteArray("3");
    }
    void scaleFactorFollowsDesktopWidth()
    {
        QFETCH(int, width);
        QFETCH(QByteArray, factor);
        qunsetenv("QT_SCALE_FACTOR");
        PrepareScaling(width);
        QCOMPARE(qEnvironmentVariableIsSet("QT_SCALE_FACTOR"), !factor.isEmpty());
        QCOMPARE(qgetenv("QT_SCALE_FACTOR"), factor);
        qunsetenv("QT_SCALE_FACTOR");
    }
};

ZR35_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
