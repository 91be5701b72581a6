#pragma once

class QFrame;
class QGridLayout;
class QWidget;

// What a device page's form is built on: the page, fixed at 883 x 630, holds in a grid layout
// without margins one framed panel of the same size, and every widget of the form is placed on
// that panel. The panel carries the pages' scroll-bar look.
namespace PageFrame {

constexpr int Width = 883;
constexpr int Height = 630;

// Names the page `pageName` unless it has a name, and returns its panel named `frameName`;
// *layout receives the grid layout.
QFrame *build(QWidget *page, const char *pageName, const char *frameName, QGridLayout **layout);

} // namespace PageFrame
