#pragma once

#include <QFrame>

#include <memory>

class QSlider;
class QSpinBox;

class Ui_StopCloseTimeB
{
public:
    QSlider *StopClose;
    QSpinBox *spinBoxA;

    void setupUi(QFrame *panel);
    void retranslateUi(QFrame *panel);
};

// The sleep time as a slider of the eleven times (10 s, 30 s, 1 min, 5 min .. 40 min) with the
// time shown beside it as a number and its unit, for a host that wants it in place of
// StopCloseTime (no page builds it). The time the user lets go of is written while writes are
// enabled and the lighting page is not filling its widgets.
class StopCloseTimeB : public QFrame
{
    Q_OBJECT
public:
    explicit StopCloseTimeB(QWidget *parent = nullptr);
    ~StopCloseTimeB() override;

    // Shows entry 0..10 of the sleep-time list, writing nothing; other entries change nothing.
    void SetIndex(int index);
    // Takes the units from the list's texts: entry 0 ("10 s") gives the seconds' unit without its
    // "10", entry 5 ("15 min") the minutes' without its "15". Other entries change nothing.
    void SetItemText(int index, const QString &text);

private slots:
    void on_StopClose_sliderMoved(int position);
    void on_StopClose_valueChanged(int position);

private:
    void ShowPosition(int position);

    std::unique_ptr<Ui_StopCloseTimeB> ui;
    QString PictureDir;
    QString SecondsUnit;
    QString MinutesUnit;
};
