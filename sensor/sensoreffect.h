#pragma once

#include "sensor/dpilightrows.h"

#include <QFrame>

#include <memory>

class MyConmboBox;
class QLabel;

// The DPI light panel's form: the mode list, a speed and a brightness slider with the step shown
// beside each, and a line in each slider's row that stands in for it while it is hidden.
class Ui_SensorEffect
{
public:
    QLabel *label;
    MyConmboBox *Model;
    DpiLightRows Rows;

    void setupUi(QFrame *panel);
    void retranslateUi(QFrame *panel);
};

// The sensor page's panel for the mouse's DPI indicator light: off, steady (with a brightness of
// ten steps) or breathing (with a speed of five steps). Only the slider that matters for the mode
// is shown. Each change the user makes writes its byte; the page sets the panel from a record or
// a report of the device while SensorFilling is set, which writes nothing.
class SensorEffect : public QFrame
{
    Q_OBJECT
public:
    explicit SensorEffect(QWidget *parent = nullptr);
    ~SensorEffect() override;

    // Selects mode 0..2 and shows its slider. A changed mode runs the mode slot as the user's
    // choice would; any other mode changes nothing.
    void ShowMode(int mode);
    // Neither blocks the slider's signals; a value outside the slider's range shows as its end.
    void SetSpeed(int speed);
    void SetBrightness(int step);
    void SetSlidersEnabled(bool enabled);
    void SetModeEnabled(bool enabled);
    void SetTitle(const QString &text);
    void SetSpeedTitle(const QString &text);
    void SetBrightnessTitle(const QString &text);
    void SetModeItemText(int index, const QString &text);

private slots:
    void on_Model_currentIndexChanged(int index);
    void on_SpeedH_valueChanged(int value);
    void on_SpeedH_sliderMoved(int value);
    void on_LightH_valueChanged(int value);
    void on_LightH_sliderMoved(int value);

private:
    std::unique_ptr<Ui_SensorEffect> ui;
    QString PictureDir;
};
