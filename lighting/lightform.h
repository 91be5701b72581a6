#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

class QFrame;
class QLabel;
class QSlider;
class QSpinBox;
class QToolButton;
class QWidget;

// Widgets the lighting page and the light-mode dialog build alike, differing only in place and
// size.
namespace LightForm {

QLabel *addLabel(QWidget *parent, const char *name, const QRect &geometry, int points = 11);
// A brightness or speed slider: 1..10, a page step of 1, written only when let go.
QSlider *addStepSlider(QWidget *parent, const char *name, const QRect &geometry);
// The flat grey bar that stands in a hidden slider's place.
QFrame *addLine(QWidget *parent, const char *name, const QRect &geometry);
// A red, green or blue box: 0..255, typed into, no arrows.
QSpinBox *addColourBox(QWidget *parent, const char *name, const QRect &geometry, int points);
// The minus (14 x 4) and plus (14 x 14) buttons beside a colour box.
QToolButton *addStepButton(QWidget *parent, const char *name, const QRect &geometry, bool minus);
// The fourteen checkable preset buttons toolButtonColorA..N of `size`, seven to a row from
// `first`, `columnStep` and `rowStep` apart.
QList<QToolButton *> addPresets(QWidget *parent, const QPoint &first, int size, int columnStep,
                                int rowStep);

} // namespace LightForm
