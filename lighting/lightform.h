#pragma once

#include <QColor>
#include <QList>
#include <QPoint>
#include <QRect>

class QComboBox;
class QFrame;
class QLabel;
class QSlider;
class QSpinBox;
class QToolButton;
class QWidget;

// Widgets the lighting page and the light-mode dialog build alike, differing only in place and
// size.
namespace LightForm {

// The red, green and blue boxes of a form: the colour they hold.
struct ColourBoxes
{
    QSpinBox *Red;
    QSpinBox *Green;
    QSpinBox *Blue;

    QColor colour() const;
    // Red, then green, then blue: each box whose value changes runs its own slot at once.
    void setColour(const QColor &colour) const;
    // A press outside all three boxes (in their parent's coordinates) takes the keyboard focus
    // from them and gives it to `taker`; what was typed stays.
    void releaseFocusOutside(const QPoint &at, QWidget *taker) const;
};

// Shows the controls of light mode `mode` (LightLook::ModeLookOf); an index outside the modes
// changes nothing and gives false.
bool ShowMode(int mode, QWidget *line, QWidget *line2, const QList<QWidget *> &colours,
              const QList<QWidget *> &brightness, const QList<QWidget *> &speed);

// The mode list's own list view, five entries at a time.
void AddModeListView(QComboBox *list);
// The mode list's look: the theme's list over the pictures of `folder`, its list view in the
// selection colour.
void StyleModeList(QComboBox *list, const QString &folder);
// The colour section's look: the minus and plus pictures, each preset in its colour, the colour
// board and the preview before any colour, from `folder`; the boxes in the box colour.
void StyleColourSection(const QString &folder, const ColourBoxes &boxes,
                        const QList<QToolButton *> &minus, const QList<QToolButton *> &plus,
                        const QList<QToolButton *> &presets, QLabel *board, QLabel *preview);

// The close button at the top right of the 638 x 318 panels with Picture/ScreeInfo/ pictures.
QToolButton *addPanelCloseButton(QFrame *panel);

// A brightness or speed slider: 1..10, a page step of 1, written only when let go.
QSlider *addStepSlider(QWidget *parent, const char *name, const QRect &geometry);
// A red, green or blue box: 0..255, typed into, no arrows.
QSpinBox *addColourBox(QWidget *parent, const char *name, const QRect &geometry, int points);
// The minus (14 x 4) and plus (14 x 14) buttons beside a colour box.
QToolButton *addStepButton(QWidget *parent, const char *name, const QRect &geometry, bool minus);
// The fourteen checkable preset buttons toolButtonColorA..N of `size`, seven to a row from
// `first`, `columnStep` and `rowStep` apart.
QList<QToolButton *> addPresets(QWidget *parent, const QPoint &first, int size, int columnStep,
                                int rowStep);

} // namespace LightForm
