#pragma once

#include "core/record/flashdatamap.h"

#include <QString>
#include <QWidget>

#include <memory>

class QSpinBox;
namespace LightForm {
struct ColourBoxes;
}
class Ui_LampLight;

// The lighting page: the light bar's mode, colour, brightness and speed, whether the light goes
// out while the mouse moves, and the idle time (its panel frameClose writes that itself). While
// writing is enabled every change the user makes is written at once; the page follows the records
// the hub carries, resets on the form reset and follows the language. No tab shows it.
//
// Building the page writes nothing: it takes the look of mode 0 only.
class LampLight : public QWidget
{
    Q_OBJECT
public:
    explicit LampLight(QWidget *parent = nullptr);
    ~LampLight() override;

public slots:
    void SlotAllLanguage(int language);
    // A record read from the device (blocking, from a library thread): fills the page, sliders
    // enabled.
    void SlotUpDataLightUILight(const FlashDataMap &record);
    // A record of the parameter-update dialog: fills the page, sliders disabled.
    void SlotUpDataLightUIA(const FlashDataMap &record);
    // The defaults (blocking, from the device service): colour flow, brightness 10, speed 8, the
    // light off while moving, one minute idle. Writes nothing; the colours stay.
    void SlotFormResetLight();

protected:
    // Presses that no control takes: they release the number boxes' focus, and one on the colour
    // board picks the colour under the pointer.
    void mousePressEvent(QMouseEvent *event) override;
    // Texts change only through the hub's language signal.
    void changeEvent(QEvent *event) override;

private slots:
    void on_LightMod_currentIndexChanged(int index);
    void on_horizontalLight_sliderMoved(int value);
    void on_horizontalLight_valueChanged(int value);
    void on_horizontalSpeed_sliderMoved(int value);
    void on_horizontalSpeed_valueChanged(int value);
    void on_RippeControl_clicked(bool checked);
    // The colours (lampcolours.cpp).
    void on_RSpinBox_valueChanged(int value);
    void on_GSpinBox_valueChanged(int value);
    void on_BSpinBox_valueChanged(int value);
    void on_AddR_clicked();
    void on_AddG_clicked();
    void on_AddB_clicked();
    void on_ReduceR_clicked();
    void on_ReduceG_clicked();
    void on_ReduceB_clicked();
    void on_toolButtonColorA_clicked();
    void on_toolButtonColorB_clicked();
    void on_toolButtonColorC_clicked();
    void on_toolButtonColorD_clicked();
    void on_toolButtonColorE_clicked();
    void on_toolButtonColorF_clicked();
    void on_toolButtonColorG_clicked();
    void on_toolButtonColorH_clicked();
    void on_toolButtonColorI_clicked();
    void on_toolButtonColorJ_clicked();
    void on_toolButtonColorK_clicked();
    void on_toolButtonColorL_clicked();
    void on_toolButtonColorM_clicked();
    void on_toolButtonColorN_clicked();

private:
    void applyTheme();
    void showMode(int index);
    void fill(const FlashDataMap &record, bool slidersEnabled);
    // The colour handling's guard: false (after the device-offline notice) when writing is
    // enabled, the page is not filling and the device does not answer.
    bool deviceReachable();
    void colourChanged(int red, int green, int blue);
    void step(QSpinBox *box, int by);
    void preset(int index);
    void setPreview(int red, int green, int blue);
    LightForm::ColourBoxes boxes() const;

    std::unique_ptr<Ui_LampLight> ui;
    QString ImageFolder;
};
