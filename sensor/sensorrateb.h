#pragma once

#include "sensor/model/sensorcodes.h"

#include <QFrame>

#include <memory>

class QButtonGroup;
class QCheckBox;
class QLabel;

// The second layout of the report-rate panel's form: the title and one row of seven check boxes.
class Ui_SensorRateB
{
public:
    QLabel *label;
    QCheckBox *RateBoxes[SensorCodes::RateButtons]; // Button125HZ .. Button8000HZ

    void setupUi(QFrame *panel);
    void retranslateUi(QFrame *panel);
};

// The report-rate panel in one row of check boxes, for a host that wants it in place of
// SensorRate (no page builds it). It writes and reports a rate exactly as SensorRate does and
// offers the same operations.
class SensorRateB : public QFrame
{
    Q_OBJECT
public:
    explicit SensorRateB(QWidget *parent = nullptr);
    ~SensorRateB() override;

    // Checks rate 0..6 (125..8000 Hz); other indexes change nothing, and nothing is written.
    void SetRate(int index);
    // As SensorRate::ShowHighRates.
    void ShowHighRates(int level);
    void SetTitle(const QString &text);

private slots:
    void on_Button125HZ_clicked(bool checked) { RateClicked(0, checked); }
    void on_Button250HZ_clicked(bool checked) { RateClicked(1, checked); }
    void on_Button500HZ_clicked(bool checked) { RateClicked(2, checked); }
    void on_Button1000HZ_clicked(bool checked) { RateClicked(3, checked); }
    void on_Button2000HZ_clicked(bool checked) { RateClicked(4, checked); }
    void on_Button4000HZ_clicked(bool checked) { RateClicked(5, checked); }
    void on_Button8000HZ_clicked(bool checked) { RateClicked(6, checked); }

private:
    void RateClicked(int index, bool checked);

    std::unique_ptr<Ui_SensorRateB> ui;
    QString PictureDir;
    QButtonGroup *RateGroup = nullptr;
};
