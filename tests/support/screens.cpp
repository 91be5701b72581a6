#include "tests/support/screens.h"

#include <QDir>
#include <QImage>
#include <QLayout>
#include <QPixmap>
#include <QWidget>

namespace {

// True when every pixel is fully transparent: the widget painted nothing.
bool nothingDrawn(const QImage &image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(line[x]) != 0)
                return false;
        }
    }
    return true;
}

} // namespace

QString screensFolder()
{
    return QStringLiteral(ZR35_BINARY_DIR "/screens");
}

QString saveScreen(QWidget *widget, const QString &name)
{
    if (!widget)
        return QStringLiteral("no widget to draw for %1").arg(name);
    // A form that was never shown has not laid out its children yet.
    widget->ensurePolished();
    if (widget->layout())
        widget->layout()->activate();
    if (widget->width() <= 0 || widget->height() <= 0)
        return QStringLiteral("%1 has no size (%2 x %3)")
            .arg(name)
            .arg(widget->width())
            .arg(widget->height());
    const QPixmap picture = widget->grab();
    if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0)
        return QStringLiteral("%1: the grab gave no picture").arg(name);
    if (nothingDrawn(picture.toImage()))
        return QStringLiteral("%1: the grab is empty, nothing was drawn").arg(name);
    if (!QDir().mkpath(screensFolder()))
        return QStringLiteral("cannot make %1").arg(screensFolder());
    const QString path = screensFolder() + QLatin1Char('/') + name + QStringLiteral(".png");
    if (!picture.save(path, "PNG"))
        return QStringLiteral("cannot write %1").arg(path);
    return QString();
}
