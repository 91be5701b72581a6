#include "platform/desktop/screencolour.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

namespace {

std::function<QImage(const QPoint &)> &grabOverride()
{
    static std::function<QImage(const QPoint &)> grab;
    return grab;
}

// The toolkit maps its device-independent coordinates to the screen's pixels itself, also under
// QT_SCALE_FACTOR, so the position needs no scale of its own.
QImage grabScreen(const QPoint &global)
{
    QScreen *screen = QGuiApplication::screenAt(global);
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return QImage();
    const QPoint local = global - screen->geometry().topLeft();
    return screen->grabWindow(0, local.x(), local.y(), 2, 2).toImage();
}

QColor firstPixel(const QImage &image)
{
    if (image.isNull() || image.width() < 1 || image.height() < 1)
        return QColor();
    return QColor(image.pixel(0, 0));
}

} // namespace

QColor ScreenColour::screenPixel(const QPoint &global)
{
    return firstPixel(grabOverride() ? grabOverride()(global) : grabScreen(global));
}

QColor ScreenColour::colourAt(const QPoint &global, QWidget *window)
{
    const QColor colour = screenPixel(global);
    if (colour.isValid() || window == nullptr)
        return colour;
    const QPoint local = window->mapFromGlobal(global);
    if (!window->rect().contains(local))
        return QColor();
    return firstPixel(window->grab(QRect(local, QSize(1, 1))).toImage());
}

void ScreenColour::setGrabForTest(const std::function<QImage(const QPoint &)> &grab)
{
    grabOverride() = grab;
}
