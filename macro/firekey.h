#pragma once

#include <QDialog>

#include <memory>

class QFrame;
class QLabel;
class QSpinBox;
class QToolButton;

class Ui_FireKey
{
public:
    QFrame *FireKeyA;
    QToolButton *CloseButton;
    QLabel *label_2;
    QLabel *label;
    QSpinBox *Count;
    QSpinBox *Time;
    QLabel *label_3;
    QToolButton *NewHong;
    QToolButton *NewHong_2;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// The two values of a button's fire key: the interval (10 to 255) and the repeat count (0 to 3;
// 0 fires while the button is held). The button page presets the selected button's values, runs
// the dialog and, when Confirmed, takes Interval and Count; only OK changes them.
class FireKey : public QDialog
{
    Q_OBJECT
public:
    explicit FireKey(QWidget *parent = nullptr);
    ~FireKey() override;

    // Presets, kept within the boxes' ranges.
    void SetInterval(int value);
    void SetCount(int value);

    bool Confirmed = false;
    int Interval = 10;
    int Count = 3;

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_2_clicked();
    void on_NewHong_clicked();
    void SlotAllLanguage(int language);

private:
    std::unique_ptr<Ui_FireKey> ui;
};
