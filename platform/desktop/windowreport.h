#pragma once

class QApplication;

// Lets a test that starts the real executable know when the program is up: with the environment
// variable ZR35_REPORT_WINDOW set to 1, the line "window-shown" goes to stdout once, when the
// first top-level window is shown. Without the variable nothing is installed.
namespace WindowReport {
void installIfRequested(QApplication &app);
} // namespace WindowReport
