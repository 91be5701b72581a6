#pragma once

#include <QDialog>

#include <memory>

class QFrame;
class QLabel;
class QToolButton;

class Ui_RePair
{
public:
    QFrame *RePairA;
    QToolButton *CloseButton;
    QLabel *label;
    QToolButton *OK;
    QToolButton *Cancel;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// Asks whether the mouse and its receiver are to be paired again. The answer is Confirmed, read
// after exec() returns (exec() itself always reports a rejection: every button closes).
class RePair : public QDialog
{
    Q_OBJECT
public:
    explicit RePair(QWidget *parent = nullptr);
    ~RePair() override;

    bool Confirmed = false;

private slots:
    void on_CloseButton_clicked();
    void on_OK_clicked();
    void on_Cancel_clicked();
    void SlotAllLanguage(int language);

private:
    std::unique_ptr<Ui_RePair> ui;
};
