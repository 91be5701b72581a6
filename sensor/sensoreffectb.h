#pragma once

#include "sensor/dpilightrows.h"

#include <QFrame>

#include <memory>

class QButtonGroup;
class QCheckBox;
class QLabel;

// The second layout of the DPI light panel's form: the title, a row of three mode boxes, and the
// speed and brightness rows below.
class Ui_SensorEffectB
{
public:
    QLabel *label;
    QCheckBox *MM1; // steady
    QCheckBox *MM2; // breathing
    QCheckBox *MM3; // off
    DpiLightRows Rows;

    void setupUi(QFrame *panel);
    void retranslateUi(QFrame *panel);
    // The box of light mode 0 (off), 1 (steady) or 2 (breathing); null for any other mode.
    QCheckBox *ModeBox(int mode) const;
};

// The DPI light panel with a check box per mode, for a host that wants it in place of
// SensorEffect (no page builds it). A click on a mode box shows the mode's slider and writes the
// mode, also for the box already checked; the sliders write as the twin's do.
class SensorEffectB : public QFrame
{
    Q_OBJECT
public:
    explicit SensorEffectB(QWidget *parent = nullptr);
    ~SensorEffectB() override;

    // Checks mode 0..2 and shows its rows, writing nothing; other modes change nothing.
    void ShowMode(int mode);
    // Neither blocks the slider's signals: a changed step runs the slider's slot, whose guards
    // keep a fill (SensorFilling set) from writing.
    void SetSpeed(int speed);
    void SetBrightness(int step);
    void SetSlidersEnabled(bool enabled);
    // The text of mode 0..2's box; other modes change nothing.
    void SetModeItemText(int mode, const QString &text);
    void SetTitle(const QString &text);
    void SetSpeedTitle(const QString &text);
    void SetBrightnessTitle(const QString &text);

private slots:
    void on_SpeedH_valueChanged(int value);
    void on_SpeedH_sliderMoved(int value);
    void on_LightH_valueChanged(int value);
    void on_LightH_sliderMoved(int value);
    void on_MM3_clicked(bool checked);
    void on_MM1_clicked(bool checked);
    void on_MM2_clicked(bool checked);

private:
    void ModeClicked(int mode, bool checked);

    std::unique_ptr<Ui_SensorEffectB> ui;
    QString PictureDir;
    QButtonGroup *ModeGroup = nullptr;
};
