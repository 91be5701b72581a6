#include "tests/support/testmain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace {

const char CheckerPath[] = ZR35_TEST_SOURCE_DIR "/../../tools/check-layers.sh";

struct Verdict
{
    int exitCode = -1;
    QString output;
};

// Runs the layer check over a tree that holds the one file `path` with `text`.
Verdict checkTree(const QString &path, const QByteArray &text)
{
    QTemporaryDir tree;
    if (!tree.isValid())
        return {};
    const QString file = tree.filePath(path);
    QDir().mkpath(QFileInfo(file).path());
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size())
        return {};
    out.close();
    QProcess checker;
    checker.setProcessChannelMode(QProcess::MergedChannels);
    checker.start(QStringLiteral("bash"), {QString::fromUtf8(CheckerPath), tree.path()});
    if (!checker.waitForFinished(60000) || checker.exitStatus() != QProcess::NormalExit)
        return {};
    return {checker.exitCode(), QString::fromUtf8(checker.readAll())};
}

} // namespace

class TestCheckLayers : public QObject
{
    Q_OBJECT
private slots:
    void includesAndLinksAreJudged_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("refused");

        // Qt Widgets below shell/widgets, outside platform/desktop.
        QTest::newRow("widgets in devicelib")
            << "platform/devicelib/probe.cpp" << QByteArray("#include <QLabel>\n") << true;
        QTest::newRow("widgets in devicelib, quoted")
            << "platform/devicelib/probe.cpp" << QByteArray("#include \"QWidget\"\n") << true;
        QTest::newRow("widgets module path in core")
            << "core/probe.h" << QByteArray("#  include <QtWidgets/QApplication>\n") << true;
        QTest::newRow("widgets module in platform")
            << "platform/probe.cpp" << QByteArray("#include <QtWidgets>\n") << true;
        QTest::newRow("widgets in the record")
            << "core/record/probe.h" << QByteArray("#include <qwidget.h>\n") << true;
        QTest::newRow("widgets in a page's model")
            << "macro/model/probe.cpp" << QByteArray("#include <QPushButton>\n") << true;
        QTest::newRow("platform links widgets")
            << "platform/CMakeLists.txt"
            << QByteArray("zr35_folder_library(zr35_platform DEPS Qt5::Widgets)\n") << true;
        QTest::newRow("widgets in desktop")
            << "platform/desktop/probe.cpp" << QByteArray("#include <QWidget>\n") << false;
        QTest::newRow("widgets in shell/widgets")
            << "shell/widgets/probe.cpp" << QByteArray("#include <QLabel>\n") << false;
        QTest::newRow("widgets in a page")
            << "sensor/probe.cpp" << QByteArray("#include <QSlider>\n") << false;
        QTest::newRow("desktop links widgets")
            << "platform/desktop/CMakeLists.txt"
            << QByteArray("zr35_folder_library(zr35_platform_desktop DEPS Qt5::Widgets)\n")
            << false;
        QTest::newRow("core and gui in devicelib")
            << "platform/devicelib/probe.cpp"
            << QByteArray("#include <QString>\n#include <QImage>\n#include <sys/stat.h>\n")
            << false;

        // A later layer, however the include is written.
        QTest::newRow("later layer, quoted")
            << "platform/probe.cpp" << QByteArray("#include \"core/startup.h\"\n") << true;
        QTest::newRow("later layer, angled")
            << "platform/probe.cpp" << QByteArray("#include <core/startup.h>\n") << true;
        QTest::newRow("desktop from core")
            << "core/probe.cpp" << QByteArray("#include <platform/desktop/keyhook.h>\n") << true;
        QTest::newRow("earlier layer, angled")
            << "shell/widgets/probe.cpp" << QByteArray("#include <platform/desktop/keyhook.h>\n")
            << false;
    }
    void includesAndLinksAreJudged()
    {
        QFETCH(QString, path);
        QFETCH(QByteArray, text);
        QFETCH(bool, refused);
        const Verdict verdict = checkTree(path, text);
        QVERIFY2(verdict.exitCode == 0 || verdict.exitCode == 1, qPrintable(verdict.output));
        QCOMPARE(verdict.exitCode == 1, refused);
        QCOMPARE(verdict.output.startsWith(path + QLatin1Char(':')), refused);
    }
};

ZR35_TEST_MAIN(TestCheckLayers)
#include "tst_checklayers.moc"
