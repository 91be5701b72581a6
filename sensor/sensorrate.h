#pragma once

#include "sensor/model/sensorcodes.h"

#include <QFrame>

#include <memory>

class QButtonGroup;
class QLabel;
class QToolButton;

// The report-rate panel's form: the title and one checkable button per rate, 125 to 8000 Hz.
class Ui_SensorRate
{
public:
    QLabel *label;
    QToolButton *RateButtons[SensorCodes::RateButtons]; // Button125HZ .. Button8000HZ

    void setupUi(QFrame *panel);
    void retranslateUi(QFrame *panel);
};

// The sensor page's report-rate panel. A click on a rate writes its code to the device and then
// tells the hub whether the rate lies above 1000 Hz (SigHideModel), which fixes or frees the
// page's sensor mode. The checked button is the panel's only state; the page checks the one of a
// record (SetRate) and hides the rates above 1000 Hz the connection does not offer.
class SensorRate : public QFrame
{
    Q_OBJECT
public:
    explicit SensorRate(QWidget *parent = nullptr);
    ~SensorRate() override;

    // Checks rate button 0..6 (125..8000 Hz); other indexes change nothing. Checking by program
    // emits no click, so nothing is written.
    void SetRate(int index);
    // Shows the rates above 1000 Hz of connection level 0..3; other levels change nothing. Hiding
    // a button leaves it checked.
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

    std::unique_ptr<Ui_SensorRate> ui;
    QString PictureDir;
    QButtonGroup *RateGroup = nullptr;
};
