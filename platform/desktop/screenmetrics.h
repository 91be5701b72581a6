#pragma once

// The two screen measures the program sizes itself by. Overrides (set by tests, or the
// environment variables ZR35_DESKTOP_WIDTH and ZR35_SCREEN_DPI for whole-process tests) win over
// what the display reports.
namespace ScreenMetrics {
// The desktop's width in physical pixels. Usable before the application object exists, which is
// when the scale factor must be chosen: read from the X display, 1920 when there is none.
int desktopWidth();
// The screen's logical horizontal DPI (96 at 100 % scaling); 96 before the application object
// exists or when it has no screen.
int horizontalDpi();
// A value of 0 or less removes the override.
void setDesktopWidthOverride(int pixels);
void setHorizontalDpiOverride(int dpi);
} // namespace ScreenMetrics
