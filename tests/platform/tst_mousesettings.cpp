#include "platform/mousesettings.h"
#include "tests/support/testmain.h"

#include <QFile>
#include <QTemporaryDir>

class TestMouseSettings : public QObject
{
    Q_OBJECT
private:
    QByteArray m_path;

    // A PATH that holds only the given (never started) programs.
    bool installPrograms(const QTemporaryDir &dir, const QStringList &programs)
    {
        for (const QString &name : programs) {
            QFile file(dir.filePath(name));
            if (!file.open(QIODevice::WriteOnly))
                return false;
            file.write("#!/bin/sh\nexit 0\n");
            file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                QFileDevice::ExeOwner);
        }
        qputenv("PATH", QFile::encodeName(dir.path()));
        return true;
    }

private slots:
    void initTestCase() { m_path = qgetenv("PATH"); }
    void cleanup()
    {
        qputenv("PATH", m_path);
        MouseSettings::setRunner({});
    }

    void firstInstalledProgramStarts_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QStringList>("failing");
        QTest::addColumn<QStringList>("expectedStarts");
        QTest::addColumn<bool>("opened");
        QTest::newRow("GNOME before the rest")
            << QStringList{"xfce4-mouse-settings", "gnome-control-center", "systemsettings"}
            << QStringList() << QStringList{"gnome-control-center mouse"} << true;
        QTest::newRow("Plasma") << QStringList{"systemsettings"} << QStringList()
                                << QStringList{"systemsettings kcm_mouse"} << true;
        QTest::newRow("Xfce takes no argument")
            << QStringList{"xfce4-mouse-settings"} << QStringList()
            << QStringList{"xfce4-mouse-settings"} << true;
        QTest::newRow("next one when a start fails")
            << QStringList{"gnome-control-center", "xfce4-mouse-settings"}
            << QStringList{"gnome-control-center"}
            << QStringList{"gnome-control-center mouse", "xfce4-mouse-settings"} << true;
        QTest::newRow("every start fails")
            << QStringList{"systemsettings5"} << QStringList{"systemsettings5"}
            << QStringList{"systemsettings5 kcm_mouse"} << false;
        QTest::newRow("none installed")
            << QStringList{"unrelated-tool"} << QStringList() << QStringList() << false;
    }
    void firstInstalledProgramStarts()
    {
        QFETCH(QStringList, installed);
        QFETCH(QStringList, failing);
        QFETCH(QStringList, expectedStarts);
        QFETCH(bool, opened);
        QTemporaryDir bin;
        QVERIFY(installPrograms(bin, installed));
        QStringList starts;
        MouseSettings::setRunner([&](const QString &program, const QStringList &arguments) {
            QFileInfo info(program);
            if (!info.isAbsolute() || info.absolutePath() != bin.path())
                return false;
            starts << (QStringList{info.fileName()} + arguments).join(QLatin1Char(' '));
            return !failing.contains(info.fileName());
        });
        QCOMPARE(MouseSettings::open(), opened);
        QCOMPARE(starts, expectedStarts);
    }
};

ZR35_TEST_MAIN(TestMouseSettings)
#include "tst_mousesettings.moc"
