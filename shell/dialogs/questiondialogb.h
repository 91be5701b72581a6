#pragma once

#include <QDialog>

#include <memory>

class QFrame;
class QLabel;
class QToolButton;

class Ui_QuestiondialogB
{
public:
    QFrame *QuestionB;
    QToolButton *CloseButton;
    QLabel *label;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// Tells the user that two identical devices are plugged in; the home page lists neither.
class QuestiondialogB : public QDialog
{
    Q_OBJECT
public:
    explicit QuestiondialogB(QWidget *parent = nullptr);
    ~QuestiondialogB() override;

private slots:
    void on_CloseButton_clicked();
    void SlotAllLanguage(int language);

private:
    std::unique_ptr<Ui_QuestiondialogB> ui;
};
