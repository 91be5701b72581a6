#pragma once

#include <QDialog>

#include <memory>

class QFrame;
class QLabel;
class QToolButton;

class Ui_LeftButtonOnly
{
public:
    QFrame *ButtonOnly;
    QToolButton *CloseButton;
    QLabel *label;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// Tells the user that some button must keep the left click; the assignment is not made.
class LeftButtonOnly : public QDialog
{
    Q_OBJECT
public:
    explicit LeftButtonOnly(QWidget *parent = nullptr);
    ~LeftButtonOnly() override;

private slots:
    void on_CloseButton_clicked();
    void SlotAllLanguage(int language);

private:
    std::unique_ptr<Ui_LeftButtonOnly> ui;
};
