#include <QApplication>
#include <QLabel>

#include "platform/appinfo.h"
#include "platform/windowreport.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    WindowReport::installIfRequested(app);
    QLabel window(QStringLiteral("%1").arg(QLatin1String(ApplicationName)));
    window.setWindowTitle(QLatin1String(ApplicationName));
    window.resize(1020, 700);
    window.show();
    return app.exec();
}
