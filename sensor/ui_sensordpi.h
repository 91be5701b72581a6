#pragma once

#include <QPoint>

class MyConmboBox;
class MySlider;
class QFrame;
class QLabel;
class QSpinBox;
class QToolButton;

// The eight DPI levels of the DPI editor, by position: whatever colour a level shows, level 1 is
// always "BlueButton" with the colour bar "BlueButtonA". A level button is 54 x 56 at
// (ButtonX, 99), its colour bar 50 x 12 at (BarX, 141), across the button's lower edge; the
// current-level marker stands at (MarkX, 154) under it.
struct DpiLevelPlace
{
    const char *Name;
    int ButtonX;
    int BarX;
    int MarkX;
    const char *DefaultColor; // red, green, blue
    const char *DefaultText;
};

namespace DpiLevels {
constexpr int Count = 8;
constexpr int ButtonY = 99;
constexpr int BarY = 141;
constexpr int MarkY = 154;
extern const DpiLevelPlace Table[Count];
} // namespace DpiLevels

// The DPI editor's form: title, level-count box, value slider with its value box and step
// buttons, the eight levels and the marker. No widget takes keyboard focus.
class Ui_SensorDPI
{
public:
    QLabel *label;
    MyConmboBox *ChooseEvent;
    MySlider *horizontalSliderC;
    QSpinBox *spinBoxA;
    QToolButton *LevelButtons[DpiLevels::Count];
    QToolButton *LevelBars[DpiLevels::Count];
    QLabel *label_8;
    QToolButton *ReduceLevelA;
    QToolButton *AddLevelA;

    void setupUi(QFrame *panel);
    void retranslateUi(QFrame *panel);
};
