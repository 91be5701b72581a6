#include "platform/desktop/screenmetrics.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtGlobal>

#include <X11/Xlib.h>

#include <atomic>

namespace {

constexpr int fallbackDesktopWidth = 1920;
constexpr int fallbackDpi = 96;

std::atomic<int> desktopWidthOverride{0};
std::atomic<int> dpiOverride{0};

int positiveEnvironmentValue(const char *name)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : 0;
}

int displayWidth()
{
    // Without DISPLAY, XOpenDisplay would still try a default socket; a session without X (or a
    // headless run) simply has no desktop to measure.
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return 0;
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return 0;
    const int width = DisplayWidth(display, DefaultScreen(display));
    XCloseDisplay(display);
    return width;
}

} // namespace

int ScreenMetrics::desktopWidth()
{
    if (const int width = desktopWidthOverride.load())
        return width;
    if (const int width = positiveEnvironmentValue("ZR35_DESKTOP_WIDTH"))
        return width;
    const int width = displayWidth();
    return width > 0 ? width : fallbackDesktopWidth;
}

int ScreenMetrics::horizontalDpi()
{
    if (const int dpi = dpiOverride.load())
        return dpi;
    if (const int dpi = positiveEnvironmentValue("ZR35_SCREEN_DPI"))
        return dpi;
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return fallbackDpi;
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return fallbackDpi;
    const int dpi = qRound(screen->logicalDotsPerInchX());
    return dpi > 0 ? dpi : fallbackDpi;
}

void ScreenMetrics::setDesktopWidthOverride(int pixels)
{
    desktopWidthOverride.store(pixels > 0 ? pixels : 0);
}

void ScreenMetrics::setHorizontalDpiOverride(int dpi)
{
    dpiOverride.store(dpi > 0 ? dpi : 0);
}
