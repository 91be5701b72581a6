#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>

#include <functional>

class QWidget;

// The colour the screen shows at a point, for the lighting colour board: a click on the board
// takes the colour under the pointer.
namespace ScreenColour {

// The colour at `global` (a global position in the toolkit's coordinates, as QCursor::pos gives
// it): the top-left pixel of a 2 x 2 grab of the screen under that point. Where the screen gives
// no pixel (Wayland, a platform without grabs), `window`'s own drawing at that point, since the
// press that asks lies in it; an invalid colour when neither gives one. GUI thread.
QColor colourAt(const QPoint &global, QWidget *window);
// The screen's own pixel at `global` (the grab alone); invalid where the screen gives none.
QColor screenPixel(const QPoint &global);

// Tests: replaces the screen grab by `grab` (given the global position, it returns the grabbed
// picture; a null picture stands for a screen without grabs). An empty function restores it.
void setGrabForTest(const std::function<QImage(const QPoint &)> &grab);

} // namespace ScreenColour
