#pragma once

#include <QStringList>

class QWidget;

// The font scaling every form applies to itself once its texts are set, and the main window's
// walk at start-up.

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
