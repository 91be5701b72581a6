#pragma once

#include <QDialog>

#include <memory>

class QFrame;
class QLabel;
class QToolButton;

class Ui_MouseOffLine
{
public:
    QFrame *MouseOffLineA;
    QToolButton *CloseButton;
    QLabel *label;
    QToolButton *NewHong;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// Tells the user that the mouse cannot be reached (MouseOffLineMode 0) or that the pages did not
// refresh in time (1). It closes by itself when the device service finds the mouse again.
class MouseOffLine : public QDialog
{
    Q_OBJECT
public:
    explicit MouseOffLine(QWidget *parent = nullptr);
    ~MouseOffLine() override;

private slots:
    void on_NewHong_clicked();
    void on_CloseButton_clicked();
    void SlotAllLanguage(int language);

private:
    std::unique_ptr<Ui_MouseOffLine> ui;
};
