#pragma once

#include <QString>
#include <QtTest>

class QWidget;

// Draws a widget as it shows now (QWidget::grab) and saves it as <build>/screens/<name>.png, so
// that the forms the tests build can be looked at. Returns why it could not, empty on success: a
// widget of no size or a picture with nothing drawn in it is a failure, not a blank file.
QString saveScreen(QWidget *widget, const QString &name);

// The folder the pictures go to.
QString screensFolder();

#define ZR35_SAVE_SCREEN(widget, name)                                                             \
    do {                                                                                           \
        const QString zr35ScreenError = saveScreen((widget), (name));                              \
        QVERIFY2(zr35ScreenError.isEmpty(), qPrintable(zr35ScreenError));                          \
    } while (false)
