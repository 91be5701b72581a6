#include "platform/appdir.h"
#include "platform/appinfo.h"
#include "platform/singleinstance.h"
#include "shell/programentry.h"
#include "tests/support/modaldriver.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QTimer>

namespace {
int runProgram()
{
    char name[] = "zr35-mouse-software";
    char *argv[] = {name, nullptr};
    int argc = 1;
    return ProgramMain(argc, argv);
}
} // namespace

// The whole start in this process. Order matters: once the first instance ran here, this
// process holds the single-instance lock until it ends.
class TestProgramStart : public QObject
{
    Q_OBJECT
private slots:
    void secondStartShowsTheNoticeAndEnds()
    {
        SingleInstance running;
        QVERIFY(running.tryAcquire());
        ModalDriver answer(ModalDriver::named(QStringLiteral("ExeIsRun")),
                           QStringLiteral("NewHong"));
        // A main window would block in its event loop here; the notice alone returns.
        QCOMPARE(runProgram(), 0);
        QVERIFY2(answer.fired(), qPrintable(answer.failure()));
        // The start-up steps before the check ran all the same.
        QVERIFY(QFileInfo(UserDir::filePath(QStringLiteral("usersetting/MacroPage"))).isDir());
        QVERIFY(QFile::exists(UserDir::filePath(QStringLiteral("Macro.ini"))));
    }

    void firstStartShowsTheMainWindow()
    {
        QSize shownSize;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (w->isVisible() && w->windowTitle() == QLatin1String(ApplicationName)) {
                    shownSize = w->size();
                    w->close();
                }
            }
        });
        closer.start(20);
        QCOMPARE(runProgram(), 0);
        QCOMPARE(shownSize, QSize(1020, 700));
        // This process is now the running instance.
        SingleInstance other;
        QVERIFY(!other.tryAcquire());
    }
};

ZR35_TEST_MAIN(TestProgramStart)
#include "tst_programstart.moc"
