#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

class QWidget;

// The steps of the program's start that need no window: the user data folder, the toolkit's
// scaling, the cleanup of old diagnostics, and the font scaling every form applies to itself.

// Makes the user data folder's fixed layout (Log, Device_Info, Exception, usersetting and its
// three page folders) and an empty Macro.ini when it is missing. Failures are ignored: start-up
// goes on without them.
void PrepareUserFolder();

// Switches the toolkit's own high-DPI scaling off (fonts are scaled by the program instead) and,
// on a desktop wider than 1920 pixels, sets QT_SCALE_FACTOR to the whole number width / 1920.
// Must run before the application object exists.
void PrepareScaling(int desktopWidth);
// The QT_SCALE_FACTOR text for a desktop width; empty when the variable is to be left alone.
QByteArray ScaleFactorText(int desktopWidth);

// Removes the old files of the user folder's Log and Exception folders.
void CleanOldDiagnostics();
// Removes from `folder` every plain file last changed more than seven whole days before `now`;
// sub-folders are neither removed nor entered. A file dated after `now` is removed as well: its
// age wraps around as an unsigned 32-bit count of seconds, and such a date cannot be trusted.
void DeleteOldFiles(const QString &folder, const QDateTime &now = QDateTime::currentDateTime());

// Forms are designed for 96 DPI: the factor by which their point sizes shrink or grow on a screen
// of `dpi` (1 at 96, 0.8 at 120). Computed in single precision, as the stored layouts expect.
double FontFactor(int dpi);
// FontFactor for the screen the program runs on.
double ScreenFontFactor();

// Scales the font of `widget` and of every widget inside it by `factor`, each exactly once: a
// widget whose font is inherited gets it already scaled from its parent. The main window's walk
// leaves the widget named "Receive_2" at its own size (its children are still scaled) and makes
// the font of the widget named "NoApear" the application's tool-tip font.
void ScaleWidgetFont(QWidget *widget, double factor);
// The same walk without exceptions; every dialog applies it to itself once its texts are set.
void ScaleFormFont(QWidget *widget, double factor);
// The same, leaving the widgets named in `skipped` (not their children) as they are: a field that
// sets only its family then keeps following its scaled parent.
void ScaleFormFont(QWidget *widget, double factor, const QStringList &skipped);
