#pragma once

#include <QDialog>

#include <memory>

class QFrame;
class QLabel;
class QSpinBox;
class QToolButton;

class Ui_AddDelayTime
{
public:
    QFrame *AddDelayTimeA;
    QLabel *label;
    QToolButton *CloseButton;
    QSpinBox *spinBox;
    QToolButton *NewHong;
    QToolButton *NewHong_2;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// Takes a delay of 10 to 65535 milliseconds for a macro event. The result is Confirmed and Delay,
// read after exec() returns; only OK sets them.
class AddDelayTime : public QDialog
{
    Q_OBJECT
public:
    explicit AddDelayTime(QWidget *parent = nullptr);
    ~AddDelayTime() override;

    bool Confirmed = false;
    int Delay = 0;

private slots:
    void on_NewHong_clicked();
    void on_NewHong_2_clicked();
    void on_CloseButton_clicked();
    void SlotAllLanguage(int language);

private:
    std::unique_ptr<Ui_AddDelayTime> ui;
};
