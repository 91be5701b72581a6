#include "core/startup.h"
#include "platform/appdir.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QToolTip>

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

// The factor is computed in single precision, so sizes match to a few decimals only.
bool near(double actual, double expected)
{
    return qAbs(actual - expected) < 1e-4;
}

QFont fontOf(double points)
{
    QFont f;
    f.setPointSizeF(points);
    return f;
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

    void fontFactorIsExactAt96()
    {
        QCOMPARE(FontFactor(96), 1.0);
        QVERIFY(near(FontFactor(120), 0.8));
        QVERIFY(near(FontFactor(144), 2.0 / 3.0));
    }

    void everyFontIsScaledOnce_data()
    {
        QTest::addColumn<bool>("mainWindowWalk");
        QTest::newRow("form") << false;
        QTest::newRow("main window") << true;
    }
    void everyFontIsScaledOnce()
    {
        QFETCH(bool, mainWindowWalk);
        QWidget root;
        root.setFont(fontOf(11));
        auto *panel = new QWidget(&root); // inherits
        auto *label = new QLabel(panel);  // inherits through two levels
        auto *own = new QLabel(panel);    // a font of its own
        own->setFont(fontOf(9));
        auto *ownChild = new QWidget(own); // inherits the own font
        const double factor = FontFactor(120);
        mainWindowWalk ? ScaleWidgetFont(&root, factor) : ScaleFormFont(&root, factor);
        QVERIFY(near(root.font().pointSizeF(), 8.8));
        QVERIFY(near(panel->font().pointSizeF(), 8.8));
        QVERIFY(near(label->font().pointSizeF(), 8.8));
        QVERIFY(near(own->font().pointSizeF(), 7.2));
        QVERIFY(near(ownChild->font().pointSizeF(), 7.2));
        // Inheriting widgets keep following their parent.
        QVERIFY(!label->testAttribute(Qt::WA_SetFont));
    }

    void nothingChangesAt96Dpi()
    {
        QWidget root;
        root.setFont(fontOf(11));
        auto *label = new QLabel(&root);
        ScaleFormFont(&root, FontFactor(96));
        QCOMPARE(root.font().pointSizeF(), 11.0);
        QCOMPARE(label->font().pointSizeF(), 11.0);
        QVERIFY(!label->testAttribute(Qt::WA_SetFont));
    }

    void mainWindowWalkHasTwoExceptions()
    {
        QWidget root;
        root.setFont(fontOf(11));
        auto *receive = new QWidget(&root);
        receive->setObjectName(QStringLiteral("Receive_2"));
        auto *below = new QLabel(receive);
        auto *noApear = new QLabel(&root);
        noApear->setObjectName(QStringLiteral("NoApear"));
        noApear->setFont(fontOf(10));
        ScaleWidgetFont(&root, FontFactor(120));
        QCOMPARE(receive->font().pointSizeF(), 11.0);
        QVERIFY(near(below->font().pointSizeF(), 8.8));
        QVERIFY(near(noApear->font().pointSizeF(), 8.0));
        QCOMPARE(QToolTip::font(), noApear->font());

        QWidget form;
        form.setFont(fontOf(11));
        auto *named = new QWidget(&form);
        named->setObjectName(QStringLiteral("Receive_2"));
        ScaleFormFont(&form, FontFactor(120));
        QVERIFY(near(named->font().pointSizeF(), 8.8));
    }
};

ZR35_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
