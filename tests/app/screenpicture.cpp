#include "tests/app/screenpicture.h"

#include "tests/support/screens.h"

#include <QDir>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

QImage screenPicture(const QString &display, const QRect &rect)
{
    Display *server = XOpenDisplay(display.toLatin1().constData());
    if (!server)
        return QImage();
    QImage picture;
    XImage *shown = XGetImage(server, DefaultRootWindow(server), rect.x(), rect.y(),
                              uint(rect.width()), uint(rect.height()), AllPlanes, ZPixmap);
    if (shown) {
        // The test servers run at depth 24: a pixel's value is its 0xRRGGBB.
        picture = QImage(rect.size(), QImage::Format_RGB32);
        for (int y = 0; y < rect.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
            for (int x = 0; x < rect.width(); ++x)
                line[x] = 0xFF000000u | (XGetPixel(shown, x, y) & 0xFFFFFFu);
        }
        XDestroyImage(shown);
    }
    XCloseDisplay(server);
    return picture;
}

QString saveScreenPicture(const QImage &picture, const QString &name)
{
    if (picture.isNull())
        return QStringLiteral("no picture of %1").arg(name);
    const QString path = QDir(screensFolder()).filePath(name + QStringLiteral(".png"));
    if (!QDir().mkpath(screensFolder()) || !picture.save(path))
        return QStringLiteral("%1 cannot be written").arg(path);
    return QString();
}
