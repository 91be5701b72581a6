#pragma once

#include <QFrame>

#include <memory>

class QSlider;
class QSpinBox;

class Ui_DebouncetimeB
{
public:
    QSlider *Debunce;
    QSpinBox *spinBoxA;

    void setupUi(QFrame *panel);
    void retranslateUi(QFrame *panel);
};

// The debounce time as a slider of 1..20 with the value shown beside it, for a host that wants
// it in place of DebounceTime (no page builds it). The value the user lets go of is written as it
// is, while writes are enabled; no notice asks the user to wait.
class DebouncetimeB : public QFrame
{
    Q_OBJECT
public:
    explicit DebouncetimeB(QWidget *parent = nullptr);
    ~DebouncetimeB() override;

    // Shows `value` on the slider and beside it; nothing is written.
    void SetValue(int value);
    // The unit shown after the value; the index is not used (a host that sets the unit of every
    // entry, as for the list, leaves the last one).
    void SetItemText(int index, const QString &unit);

private slots:
    void on_Debunce_sliderMoved(int value);
    void on_Debunce_valueChanged(int value);

private:
    std::unique_ptr<Ui_DebouncetimeB> ui;
    QString PictureDir;
};
