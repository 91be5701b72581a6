#pragma once

class MotionSync;
class MyConmboBox;
class QCheckBox;
class QFrame;
class QGridLayout;
class QLabel;
class QToolButton;
class QWidget;
class RippeControl;
class SensorDPI;
class SensorEffect;
class SensorLOD;
class SensorRate;
class StraightLine;

// The sensor page's form: the DPI editor at the top, the report rate under it, the sensor
// settings (mode, lift-off distance, performance mode and the toggles), and the DPI light at the
// bottom. Each section starts with a marker at the left edge.
class Ui_Sensor
{
public:
    QGridLayout *gridLayout;
    QFrame *SenSorPage;
    SensorDPI *frameDpi;
    QToolButton *TitleButton;
    SensorRate *frameRate;
    QToolButton *TitleButton_2;
    QLabel *label_5;
    QToolButton *TitleButton_4;
    QLabel *label_11;
    MyConmboBox *ModelChoose;
    SensorLOD *frameLOD;
    QCheckBox *Performance;
    MyConmboBox *PerformanceOpen;
    RippeControl *frame;
    MotionSync *frame_3;
    StraightLine *frame_4;
    QToolButton *TitleButton_3;
    SensorEffect *frameEffect;

    void setupUi(QWidget *page);
    void retranslateUi(QWidget *page);
};
