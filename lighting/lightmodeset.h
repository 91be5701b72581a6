#pragma once

#include <QDialog>
#include <QList>

#include <memory>

class MyConmboBox;
class QFrame;
class QLabel;
class QSlider;
class QSpinBox;
class QToolButton;
namespace LightForm {
struct ColourBoxes;
}

class Ui_LightModeSet
{
public:
    QFrame *LightModeSetframe;
    QLabel *label;
    MyConmboBox *LightMod;
    QLabel *label_2;
    QSlider *horizontalLight;
    QLabel *label_3;
    QSlider *horizontalSpeed;
    QLabel *label_6;
    QLabel *label_7; // the colour board
    QLabel *label_8;
    QLabel *labelPreView;
    QLabel *label_11;
    QLabel *label_10;
    QLabel *label_12;
    QToolButton *ReduceR;
    QSpinBox *RSpinBox;
    QToolButton *AddR;
    QToolButton *ReduceG;
    QSpinBox *GSpinBox;
    QToolButton *AddG;
    QToolButton *ReduceB;
    QSpinBox *BSpinBox;
    QToolButton *AddB;
    QLabel *label_13;
    QList<QToolButton *> presets; // toolButtonColorA .. toolButtonColorN
    QFrame *line;
    QFrame *line_2;
    QToolButton *CloseButton;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);

    QList<QWidget *> colourSection() const;
};

// The light-mode dialog: the lighting page's mode, brightness, speed and colour controls with the
// same mode rules, presets, preview and colour board, but nothing outside itself: no record, no
// device, no hub connection. What the user sets lives in its widgets as long as the dialog does.
// The settings page holds one and never shows it. Its texts stay the form's own until
// UpDataLanguage or SlotAllLanguage is called.
class LightModeSet : public QDialog
{
    Q_OBJECT
public:
    explicit LightModeSet(QWidget *parent = nullptr);
    ~LightModeSet() override;

    void UpDataLanguage();

public slots:
    void SlotAllLanguage(int language);

protected:
    // A press off the colour boxes releases their focus; one on the colour board (shown or not)
    // puts the colour under the pointer into the boxes.
    void mousePressEvent(QMouseEvent *event) override;

private slots:
    void on_LightMod_currentIndexChanged(int mode);
    void on_AddR_clicked();
    void on_AddG_clicked();
    void on_AddB_clicked();
    void on_ReduceR_clicked();
    void on_ReduceG_clicked();
    void on_ReduceB_clicked();
    void on_RSpinBox_valueChanged(int value);
    void on_GSpinBox_valueChanged(int value);
    void on_BSpinBox_valueChanged(int value);
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
    // Tells the hub (SigButtonCheck), then hides the dialog.
    void on_CloseButton_clicked();

private:
    void applyTheme();
    void showPreview();
    void preset(int index);
    LightForm::ColourBoxes boxes() const;

    std::unique_ptr<Ui_LightModeSet> ui;
    QString ImageFolder;
};
