#pragma once

#include <QFrame>

#include <memory>

class MyConmboBox;
class QLabel;

// The lift-off distance panel's form: the title and the list of distances.
class Ui_SensorLOD
{
public:
    QLabel *label;
    MyConmboBox *LOD;

    void setupUi(QFrame *panel);
    void retranslateUi(QFrame *panel);
};

// The sensor page's lift-off distance panel: "1mm" and "2mm", and "0.7mm" at the top of the list
// for the sensor that has it. A choice writes the distance's code; the page adds or removes the
// short distance and selects the stored one while it fills itself (SensorFilling set), which
// writes nothing.
class SensorLOD : public QFrame
{
    Q_OBJECT
public:
    explicit SensorLOD(QWidget *parent = nullptr);
    ~SensorLOD() override;

    // Only a list of two entries gets the short distance, and only a list of three loses it. The
    // selected distance stays selected (and, while writes are allowed, is written again); with
    // the short one selected, its removal selects 1 mm.
    void AddShortDistance();
    void RemoveShortDistance();
    void SetComboEnabled(bool enabled);
    // The stored code minus one: 0 is 1 mm, 1 is 2 mm, 2 is 0.7 mm (when the list has it). Other
    // values change nothing.
    void SetLod(int value);
    void SetTitle(const QString &text);
    void SetTitleToolTip(const QString &text);

private slots:
    void on_LOD_currentIndexChanged(int index);

private:
    std::unique_ptr<Ui_SensorLOD> ui;
    QString PictureDir;
};
