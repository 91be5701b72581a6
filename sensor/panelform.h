#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QVector>

class MyConmboBox;
class QCheckBox;
class QLabel;
class QWidget;
class QComboBox;
class QFrame;
class QSlider;
class QSpinBox;

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

// A title that stands left of the panel's other widgets shows whole: when the form's width of
// `label` cuts its text, the label widens to it, `followers` move right by as much and the panel
// widens with them; a shorter title later goes back to the form's places.
void FitTitle(QLabel *label, QFrame *panel, const QVector<QWidget *> &followers);
// How far FitTitle has moved the widgets right of `label` (0 while the title fits the form).
int TitleExtra(const QLabel *label);

// A choice box of the panels' second layouts (a rate, a distance, a light mode, a DPI level): a
// check box at `geometry` with the panels' font, never taking the keyboard focus.
QCheckBox *AddChoiceBox(QFrame *panel, const char *name, const QRect &geometry);

// Such a box's look: its text in the label colour, the indicator LOD.png, and LODCheck.png while
// it is checked.
QString ChoiceBoxStyle(const QString &folder);

// The box that shows a panel's value ("spinBoxA" unless named otherwise): read-only, without
// arrows or wrapping, centred, in the panels' 10-point font, never taking the keyboard focus.
QSpinBox *AddValueBox(QFrame *panel, const QRect &geometry, int minimum, int maximum,
                      const char *name = "spinBoxA");
// Its look: the second line-edit colour on a transparent field with a grey border.
QString ValueBoxStyle();

// A value slider of the debounce and sleep panels' second layouts: horizontal, one step per
// click on the groove, and a drag that changes the value once, when the handle is let go.
QSlider *AddValueSlider(QFrame *panel, const char *name, const QRect &geometry, int minimum,
                        int maximum);
// Its look: a thin groove, the slider colour left of the tall handle picture HuaKuai.png, white
// right of it.
QString ThinSliderStyle(const QString &folder);

// The look of a step slider (the DPI light's speed and brightness, the DPI levels' values): a
// white groove, the slider colour left of the handle picture HuaKuai.png.
QString StepSliderStyle(const QString &folder);

// A plus or minus button shown only as its picture (Add.png, Reduce.png), selected by its object
// name so the style stays its own.
QString StepButtonStyle(const QString &name, const QString &folder, const QString &picture);

} // namespace PanelForm
