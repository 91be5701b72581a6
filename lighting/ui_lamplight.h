#pragma once

#include <QList>

class MyConmboBox;
class QFrame;
class QGridLayout;
class QLabel;
class QSlider;
class QSpinBox;
class QToolButton;
class QWidget;
class StopCloseTime;

// The lighting page's form: one frame filling the page, every control on it at a fixed place.
class Ui_LampLight
{
public:
    QGridLayout *gridLayout;
    QFrame *LightPage;
    QFrame *line;   // in the brightness slider's place
    QFrame *line_2; // in the speed slider's place
    MyConmboBox *LightMod;
    QLabel *label;
    QLabel *label_2;
    QSlider *horizontalLight;
    QSpinBox *LightSpinBox_2;
    QLabel *label_3;
    QSlider *horizontalSpeed;
    QSpinBox *SpeedSpinBox_2;
    QLabel *label_4;
    QToolButton *RippeControl;
    QLabel *label_5;
    StopCloseTime *frameClose;
    // The colour section.
    QLabel *label_6;
    QLabel *label_7; // the colour board
    QLabel *label_8;
    QLabel *labelPreView;
    QLabel *label_11;
    QLabel *label_10;
    QLabel *label_12;
    QToolButton *ReduceR;
    QToolButton *ReduceG;
    QToolButton *ReduceB;
    QSpinBox *RSpinBox;
    QSpinBox *GSpinBox;
    QSpinBox *BSpinBox;
    QToolButton *AddR;
    QToolButton *AddG;
    QToolButton *AddB;
    QLabel *label_13;
    QList<QToolButton *> presets; // toolButtonColorA .. toolButtonColorN

    void setupUi(QWidget *page);
    void retranslateUi(QWidget *page);

    // Everything the light modes show and hide with the colours.
    QList<QWidget *> colourSection() const;
};
