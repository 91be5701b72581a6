#include <QApplication>

#include "platform/windowreport.h"
#include "shell/dialogmain.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    WindowReport::installIfRequested(app);
    DialogMain window;
    window.show();
    return app.exec();
}
