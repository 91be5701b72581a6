#pragma once

#include <QDialog>

#include <memory>

class QFrame;
class QLabel;
class QToolButton;

class Ui_LessThree
{
public:
    QFrame *LessThreeframe;
    QToolButton *CloseButton;
    QLabel *label;
    QToolButton *NewHong;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// Asks the user to wait while a setting is being written to the device.
class LessThree : public QDialog
{
    Q_OBJECT
public:
    explicit LessThree(QWidget *parent = nullptr);
    ~LessThree() override;

private slots:
    void on_NewHong_clicked();
    void on_CloseButton_clicked();
    void SlotAllLanguage(int language);

private:
    std::unique_ptr<Ui_LessThree> ui;
};
