#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class MyConmboBox;
class QComboBox;
class QFrame;

// What the forms of the sensor panels share: the panel frame, the one-list panels' list and the
// look of a panel's drop-down list.
namespace PanelForm {

// Names the panel `name` unless its host has named it, sizes it and frames it as a raised panel;
// `fixed` keeps it at that size in a layout.
void SetUp(QFrame *panel, const char *name, const QSize &size, bool fixed);

// The list of a panel that is one list (debounce time, sleep time): at `geometry`, between
// 131 x 34 and 220 x 34, never taking the keyboard focus.
MyConmboBox *AddList(QFrame *panel, const char *name, const QRect &geometry);

// A drop-down list of a sensor panel: the theme's list over the pictures of `folder`, with a list
// view of its own (the selected and hovered row in the selection colour) unless `ownView` is
// false. A disabled list's text is dimmed: the form's black would vanish on the dark field.
void StyleList(QComboBox *list, const QString &folder, bool ownView = true);

} // namespace PanelForm
