#pragma once

#include <QFrame>

#include <memory>

class QButtonGroup;
class QCheckBox;
class QLabel;

// The second layout of the lift-off distance panel's form: the title and one check box per
// distance in a row, 0.7 mm first when the sensor has it.
class Ui_SensorLODB
{
public:
    QLabel *label;
    QCheckBox *MM1; // 1 mm
    QCheckBox *MM2; // 2 mm
    QCheckBox *MM0; // 0.7 mm, shown only for the sensor that has it

    void setupUi(QFrame *panel);
    void retranslateUi(QFrame *panel);
};

// The lift-off distance panel with a check box per distance, for a host that wants it in place
// of SensorLOD (no page builds it). A click writes the box's distance code, also for the box
// already checked; the host's setters write nothing.
class SensorLODB : public QFrame
{
    Q_OBJECT
public:
    explicit SensorLODB(QWidget *parent = nullptr);
    ~SensorLODB() override;

    // Shows 0.7 mm first in the row, before 1 mm and 2 mm.
    void AddShortDistance();
    // Hides 0.7 mm and closes the row up.
    void RemoveShortDistance();
    void SetButtonsEnabled(bool enabled);
    // The stored code minus one: 0 checks 1 mm, 1 checks 2 mm, 2 checks 0.7 mm while the panel
    // offers it (after AddShortDistance, whether or not the panel is on screen now). Any other
    // value changes nothing. Nothing is written.
    void SetLod(int value);
    void SetTitle(const QString &text);
    void SetTitleToolTip(const QString &text);

private slots:
    void on_MM1_clicked(bool checked);
    void on_MM2_clicked(bool checked);
    void on_MM0_clicked(bool checked);

private:
    void DistanceClicked(int code);
    void PlaceBoxes(bool shortDistance);

    std::unique_ptr<Ui_SensorLODB> ui;
    QString PictureDir;
    QButtonGroup *DistanceGroup = nullptr;
};
