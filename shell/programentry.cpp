#include "shell/programentry.h"

#include "core/startup.h"
#include "platform/desktop/screenmetrics.h"
#include "platform/desktop/windowreport.h"
#include "platform/singleinstance.h"
#include "shell/dialogmain.h"
#include "shell/dialogs/exeisrun.h"
#include "shell/toolkitlanguage.h"
#include "shell/widgets/dialogbuttonicons.h"
#include "shell/widgets/fontscaling.h"

#include <QApplication>
#include <QWidget>

#include <memory>

namespace {
// Held from the first check to the end of the process: the lock marks this instance as the
// running one until the process ends, however it ends.
SingleInstance &InstanceGuard()
{
    static SingleInstance guard;
    return guard;
}
} // namespace

int ProgramMain(int &argc, char **argv)
{
    PrepareUserFolder();
    // The scale factor must be in the environment before the application object reads it.
    PrepareScaling(ScreenMetrics::desktopWidth());
    CleanOldDiagnostics();

    std::unique_ptr<QApplication> ownApplication;
    // Every window is drawn in software by the widgets, so the windows ask for no OpenGL surface:
    // otherwise the first window loads the system's OpenGL stack (tens of milliseconds before the
    // window shows, and some 50 MiB of memory with a software renderer) for nothing.
    if (!QCoreApplication::instance()) {
        QCoreApplication::setAttribute(Qt::AA_ForceRasterWidgets);
        ownApplication = std::make_unique<QApplication>(argc, argv);
        DialogButtonIcons::install(*ownApplication);
    }
    auto *app = qobject_cast<QApplication *>(QCoreApplication::instance());
    if (!app)
        return 1;
    WindowReport::installIfRequested(*app);
    const double fontFactor = ScreenFontFactor();

    if (!InstanceGuard().tryAcquire()) {
        ExeIsRun notice(nullptr);
        notice.exec();
        return 0;
    }

    // Before the main window: it applies the stored language as it is built.
    FollowLanguageInToolkitDialogs();
    std::unique_ptr<QWidget> window(new DialogMain(nullptr));
    ScaleWidgetFont(window.get(), fontFactor);
    window->show();
    return app->exec();
}
