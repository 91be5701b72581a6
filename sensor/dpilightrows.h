#pragma once

#include <QString>

class QFrame;
class QLabel;
class QSlider;
class QSpinBox;

// Where a DPI light panel puts its speed and brightness rows: each row is a title, a slider with
// its step shown right of it, and a line under the slider's middle that stands in for it while
// the mode hides it.
struct DpiLightRowsPlace
{
    int TitleX;
    int SliderX;
    int SliderWidth;
    int SpeedY;
    int BrightnessY;
};

// The speed and brightness rows both layouts of the DPI light panel share, and what the user's
// moves of their sliders do: a drag shows the step beside the slider, the let-go (or a click on
// the groove) shows and writes it while writes are allowed and no page fills its widgets.
class DpiLightRows
{
public:
    QLabel *label_14; // "速度"
    QLabel *label_15; // "亮度"
    QSlider *SpeedH;  // 1..5, stored as it is
    QSlider *LightH;  // 1..10, stored as its brightness code
    QFrame *line;
    QFrame *line_2;
    QSpinBox *SpeedSpinBox;
    QSpinBox *LightSpinBox;

    void setupUi(QFrame *panel, const DpiLightRowsPlace &place);
    void retranslateUi();
    // The label colour on the titles and steps, the slider colour and handle picture on the
    // sliders.
    void ApplyStyles(const QString &pictureDir);
    // A row's title ("速度" / "亮度" in the form), kept whole: a text wider than the form's
    // label takes up to ten more pixels from the free space left of it.
    void SetRowTitle(QLabel *title, const QString &text);

    // The rows of light mode 0 (off), 1 (steady) or 2 (breathing); false, and nothing changed,
    // for any other mode.
    bool ShowMode(int mode);
    // The user's choice of light mode 0..2: its rows shown, and the mode written while writes are
    // allowed and no page fills its widgets. Other modes change nothing.
    void ModeChosen(int mode);

    void SpeedMoved(int value);
    void SpeedChanged(int value);
    void BrightnessMoved(int value);
    void BrightnessChanged(int value);
};
