#include "platform/appdir.h"
#include "tests/support/testmain.h"

#include <QDir>

class TestAppDir : public QObject
{
    Q_OBJECT
private slots:
    void overrideAndReturn()
    {
        AppDir::setOverride(QStringLiteral("/tmp/fixture-app"));
        QCOMPARE(AppDir::filePath(QStringLiteral("usersetting/Config.ini")),
                 QStringLiteral("/tmp/fixture-app/usersetting/Config.ini"));
        AppDir::setOverride(QString());
        QCOMPARE(AppDir::path(), QCoreApplication::applicationDirPath());
        AppDir::setOverride(QStringLiteral(ZR35_TEST_APP_DIR));
    }

    void userFolderFollowsHome()
    {
        QVERIFY(UserDir::path().startsWith(QDir::homePath()));
        QVERIFY(UserDir::path().endsWith(QStringLiteral("/AppData/Local/ZR35 Mouse Software")));
        QVERIFY(QDir::homePath().startsWith(QDir::tempPath()));
    }
};

ZR35_TEST_MAIN(TestAppDir)
#include "tst_appdir.moc"
