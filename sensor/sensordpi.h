#pragma once

#include "sensor/ui_sensordpi.h"

#include <QFrame>
#include <QPoint>
#include <QRect>
#include <QString>

#include <memory>

class QButtonGroup;
class QColorDialog;

// The DPI editor of the sensor page: up to eight DPI levels side by side, each a button carrying
// the level's DPI value with a bar in the level's indicator colour under it, a marker under the
// level the mouse uses now, a count box for the levels in use, and a slider with a value box and
// step buttons for the selected level's value. Clicking a bar opens a colour dialog for its level.
//
// The editor keeps no copy of the device record: a level's DPI value is its button's text, and
// every change goes to the current record through the device-write helpers. The sensor page fills
// it through the operations below while SensorFilling is set, or with WriteEnabled clear, and the
// editor then only changes what it shows. Every move of the slider the program makes is made with
// the slider's signals blocked; only the user's moves (mouse, keys, wheel, step buttons) are
// written, and each user action is written once.
class SensorDPI : public QFrame
{
    Q_OBJECT
public:
    explicit SensorDPI(QWidget *parent = nullptr);
    ~SensorDPI() override;

    // The sensor page's operations. Level indices are 0-based; the operations on one level do
    // nothing for an index outside 0..7.
    // The model's default levels from Config.ini: colours from DPIColor (whole triples only),
    // values from DPIGrade when it has at least eight. Nothing is selected or written.
    void SetDefaultDPI();
    // Restyles the bars for `level` being the selected one; outside 0..7 every bar is normal.
    void MarkCurrentBar(int level);
    // Checks the level's button and shows it selected, its value on the slider and in the box.
    void SelectLevel(int level);
    void SetLevelText(int level, const QString &text);
    // "#rrggbb"; stored without restyling (MarkCurrentBar shows it). Other texts are ignored.
    void SetLevelColor(int level, const QString &colour);
    void SetCurrentLevel(int level);
    void SetLevelCount(int count);
    // Levels 0..n shown, n + 1..7 hidden, for n in 0..7.
    void ShowLevelButtons(int n);
    // 1-based: the marker to the point of level `position`, for 1..8.
    void MoveLevelMark(int position);
    void InsertLevelItem(int index, const QString &text);
    // Empties the count box without reporting a change.
    void ClearCountItems();
    void SetCountIndex(int index);
    void BlockCountSignals(bool block);
    void BlockSliderSignals(bool block);
    void SetSliderEnabled(bool enabled);
    // The slider's range and value change silently: a value the program sets is never written.
    void SetSliderMinimum(int value);
    void SetSliderMaximum(int value);
    void SetSliderValue(int value);
    void SetValueDisplay(int value);
    void SetTitle(const QString &title);
    void SetValueDisplayVisible(bool visible);
    // The level buttons and bars, the slider and the value box.
    void BlockLevelSignals(bool block);
    // The slider, the count box and the level buttons and bars.
    void BlockEditSignals(bool block);

    // What the editor holds, for its host and tests.
    int GetCurrentLevel() const { return CurrentLevel; }
    int GetLevelCount() const { return LevelCount; }
    QString GetLevelColor(int level) const;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void on_ChooseEvent_currentIndexChanged(int index);
    void on_horizontalSliderC_valueChanged(int value);
    void on_horizontalSliderC_sliderMoved(int value);
    void on_ReduceLevelA_clicked();
    void on_AddLevelA_clicked();
    void SetColor(const QColor &colour);

    void on_BlueButton_toggled(bool checked) { LevelButtonToggled(0, checked); }
    void on_BrightRedButton_toggled(bool checked) { LevelButtonToggled(1, checked); }
    void on_RedButton_toggled(bool checked) { LevelButtonToggled(2, checked); }
    void on_YellowButton_toggled(bool checked) { LevelButtonToggled(3, checked); }
    void on_GreenButton_toggled(bool checked) { LevelButtonToggled(4, checked); }
    void on_PurpleButton_toggled(bool checked) { LevelButtonToggled(5, checked); }
    void on_LightBlueButton_toggled(bool checked) { LevelButtonToggled(6, checked); }
    void on_LightYellowButton_toggled(bool checked) { LevelButtonToggled(7, checked); }

    void on_BlueButtonA_toggled(bool checked) { LevelBarToggled(0, checked); }
    void on_BrightRedButtonA_toggled(bool checked) { LevelBarToggled(1, checked); }
    void on_RedButtonA_toggled(bool checked) { LevelBarToggled(2, checked); }
    void on_YellowButtonA_toggled(bool checked) { LevelBarToggled(3, checked); }
    void on_GreenButtonA_toggled(bool checked) { LevelBarToggled(4, checked); }
    void on_PurpleButtonA_toggled(bool checked) { LevelBarToggled(5, checked); }
    void on_LightBlueButtonA_toggled(bool checked) { LevelBarToggled(6, checked); }
    void on_LightYellowButtonA_toggled(bool checked) { LevelBarToggled(7, checked); }

    void on_BlueButton_clicked() { ShowLevelValue(0); }
    void on_BrightRedButton_clicked() { ShowLevelValue(1); }
    void on_RedButton_clicked() { ShowLevelValue(2); }
    void on_YellowButton_clicked() { ShowLevelValue(3); }
    void on_GreenButton_clicked() { ShowLevelValue(4); }
    void on_PurpleButton_clicked() { ShowLevelValue(5); }
    void on_LightBlueButton_clicked() { ShowLevelValue(6); }
    void on_LightYellowButton_clicked() { ShowLevelValue(7); }

    // A click on a bar has selected its level through the toggles; it then opens the colour
    // dialog for it.
    void on_BlueButtonA_clicked() { OpenColorDialog(); }
    void on_BrightRedButtonA_clicked() { OpenColorDialog(); }
    void on_RedButtonA_clicked() { OpenColorDialog(); }
    void on_YellowButtonA_clicked() { OpenColorDialog(); }
    void on_GreenButtonA_clicked() { OpenColorDialog(); }
    void on_PurpleButtonA_clicked() { OpenColorDialog(); }
    void on_LightBlueButtonA_clicked() { OpenColorDialog(); }
    void on_LightYellowButtonA_clicked() { OpenColorDialog(); }

private:
    static bool ValidLevel(int level) { return level >= 0 && level < DpiLevels::Count; }
    bool MayWrite() const;

    // Styles and visual states.
    void ApplyStyles();
    QString LevelStyle(const QString &image) const;
    QString BarStyle(int level, const QString &image) const;
    void ShowLevelSelected(int level, bool selected);
    void ShowBarSelected(int level, bool selected);
    void RefreshBarStyle(int level);

    // Selection.
    void LevelButtonToggled(int level, bool checked);
    void LevelBarToggled(int level, bool checked);
    void ShowLevelValue(int level);
    void OpenColorDialog();
    int CheckedLevel() const;

    // Marker drag.
    QPoint MarkHome() const;
    void ReleaseMarker(const QPoint &at);
    bool CheckDraggedLevel(int level);

    // Value.
    void CommitValue(int value);
    void FlushSliderValue();
    void StepValue(int value);

    std::unique_ptr<Ui_SensorDPI> ui;
    QString PictureDir;
    QButtonGroup *LevelGroup = nullptr;
    QButtonGroup *BarGroup = nullptr;
    QColorDialog *ColorDialog = nullptr;
    QString ButtonColorText;
    QRect LevelRects[DpiLevels::Count];
    QRect BarRects[DpiLevels::Count];
    QPoint MarkPoints[DpiLevels::Count];
    QRect DragArea;
    bool Dragging = false;
    QPoint DragOffset;
    int CurrentLevel = 1;
    int LevelCount = 1;
    QString LevelColors[DpiLevels::Count];
    int SavedLevel = 0;

    // While the user holds the slider with the mouse its value may change several times (a jump
    // to the pressed point, a page step, the release): the last one is written once, after the
    // release.
    bool SliderHeld = false;
    bool SliderValuePending = false;
    int PendingSliderValue = 0;
};
