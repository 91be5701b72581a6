#pragma once

#include "sensor/ui_sensordpi.h"

#include <QFrame>
#include <QString>

#include <memory>

class QButtonGroup;
class QCheckBox;
class QColor;
class QColorDialog;
class QSpinBox;

// The form of the DPI editor's second layout: the title and the level-count box, then one row per
// level: a check box that makes the level current, a colour button (named by position as the
// live editor's colour bars are: level 1's is always "BlueButtonA"), a value slider and a box
// with the value the level holds. No widget takes keyboard focus.
class Ui_SensorDPIB
{
public:
    QLabel *label;
    MyConmboBox *ChooseEvent;
    QCheckBox *LevelBoxes[DpiLevels::Count];     // MA .. MH
    QToolButton *ColorButtons[DpiLevels::Count]; // BlueButtonA .. LightYellowButtonA
    MySlider *Sliders[DpiLevels::Count];         // horizontalSliderA .. horizontalSliderH
    QSpinBox *ValueBoxes[DpiLevels::Count];      // spinBoxA .. spinBoxH

    void setupUi(QFrame *panel);
    void retranslateUi(QFrame *panel);
};

// A second DPI editor with all eight levels on screen at once, one row each, for a host that
// wants it in place of SensorDPI (no page builds it). It writes the same record fields through the
// same helpers as SensorDPI: the current level, a level's colour (to the level whose button was
// clicked), a level's value (snapped to the model's ranges and encoded for its sensor), and the
// level count with the exchange that keeps the current level in use.
//
// It keeps no copy of the record: a level's value is what its row shows. Every operation of the
// host sets sliders with their signals blocked, so filling the editor never writes; every change
// of the user's is written while writes are enabled and no page fills its widgets.
class SensorDPIB : public QFrame
{
    Q_OBJECT
public:
    explicit SensorDPIB(QWidget *parent = nullptr);
    ~SensorDPIB() override;

    // The host's operations. Level and count indices are 0-based; an index outside 0..7 does
    // nothing.
    // Returns whether the count box's signals were blocked before.
    bool BlockCountSignals(bool block);
    // Empties the count box without reporting a change.
    void ClearCountItems();
    void InsertLevelItem(int index, const QString &text);
    // The count change runs unless the count box's signals are blocked.
    void SetCountIndex(int index);
    // Rows 0..countIndex shown, the others hidden.
    void ShowLevelRows(int countIndex);
    void BlockSliderSignals(bool block);
    void SetSliderEnabled(bool enabled);
    void SetSliderMinimum(int value);
    void SetSliderMaximum(int value);
    void SetSliderValue(int value, int level);
    void SetValueDisplay(int value, int level);
    // The text read as a decimal number becomes the level's slider value and shown value.
    void SetLevelText(int level, const QString &text);
    // "#rrggbb", stored without restyling (ApplyLevelColor shows it); other texts are ignored.
    void SetLevelColor(int level, const QString &colour);
    void ApplyLevelColor(int level);
    void ApplyAllColors();
    // The colour buttons in the eight fixed colours, leaving the stored colours as they are.
    void ShowFixedColors();
    void SetCurrentLevel(int level);
    void SetLevelCount(int count);
    // Checks the level's box; its slot writes the current stage while writes are allowed.
    void SelectLevel(int level);
    // As SelectLevel, but an offline device (with writes enabled and no page filling) is only
    // reported.
    void SelectLevelIfOnline(int level);
    void SetTitle(const QString &text);

    // What the editor holds, for its host and tests.
    int GetCurrentLevel() const { return CurrentLevel; }
    int GetLevelCount() const { return LevelCount; }
    QString GetLevelColor(int level) const;

private slots:
    void on_ChooseEvent_currentIndexChanged(int index);
    void on_horizontalSliderA_valueChanged(int value) { ValueChanged(0, value); }
    void on_horizontalSliderB_valueChanged(int value) { ValueChanged(1, value); }
    void on_horizontalSliderC_valueChanged(int value) { ValueChanged(2, value); }
    void on_horizontalSliderD_valueChanged(int value) { ValueChanged(3, value); }
    void on_horizontalSliderE_valueChanged(int value) { ValueChanged(4, value); }
    void on_horizontalSliderF_valueChanged(int value) { ValueChanged(5, value); }
    void on_horizontalSliderG_valueChanged(int value) { ValueChanged(6, value); }
    void on_horizontalSliderH_valueChanged(int value) { ValueChanged(7, value); }
    void on_MA_toggled(bool checked) { LevelToggled(0, checked); }
    void on_MB_toggled(bool checked) { LevelToggled(1, checked); }
    void on_MC_toggled(bool checked) { LevelToggled(2, checked); }
    void on_MD_toggled(bool checked) { LevelToggled(3, checked); }
    void on_ME_toggled(bool checked) { LevelToggled(4, checked); }
    void on_MF_toggled(bool checked) { LevelToggled(5, checked); }
    void on_MG_toggled(bool checked) { LevelToggled(6, checked); }
    void on_MH_toggled(bool checked) { LevelToggled(7, checked); }
    void on_BlueButtonA_clicked() { OpenColorDialog(0); }
    void SetColor(const QColor &colour);
    void on_BrightRedButtonA_clicked() { OpenColorDialog(1); }
    void on_RedButtonA_clicked() { OpenColorDialog(2); }
    void on_YellowButtonA_clicked() { OpenColorDialog(3); }
    void on_GreenButtonA_clicked() { OpenColorDialog(4); }
    void on_PurpleButtonA_clicked() { OpenColorDialog(5); }
    void on_LightBlueButtonA_clicked() { OpenColorDialog(6); }
    void on_LightYellowButtonA_clicked() { OpenColorDialog(7); }

private:
    static bool ValidLevel(int level) { return level >= 0 && level < DpiLevels::Count; }
    bool MayWrite() const;
    void ApplyStyles();
    void ShowButtonColor(int level, const QString &colour);
    void SetRowValue(int level, int value);

    void LevelToggled(int level, bool checked);
    void OpenColorDialog(int level);
    void ValueChanged(int level, int value);
    void ExchangeLevels(int current, int last);

    std::unique_ptr<Ui_SensorDPIB> ui;
    QColorDialog *ColorDialog = nullptr;
    QString PictureDir;
    QButtonGroup *LevelGroup = nullptr;
    int CurrentLevel = 1;
    int LevelCount = 1;
    QString LevelColors[DpiLevels::Count];
    int SavedLevel = 0;
    int ColorEditLevel = 0;
};
