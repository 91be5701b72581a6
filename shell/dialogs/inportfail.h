#pragma once

#include <QDialog>

#include <memory>

class QFrame;
class QLabel;
class QToolButton;

class Ui_InportFail
{
public:
    QFrame *InportFailA;
    QToolButton *CloseButton;
    QLabel *label;
    QToolButton *NewHong;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// Tells the user that a settings file to import was not applied: unreadable (ImportResult 1), or
// made for another sensor or with more DPI levels than the model has (ImportResult 2).
class InportFail : public QDialog
{
    Q_OBJECT
public:
    explicit InportFail(QWidget *parent = nullptr);
    ~InportFail() override;

private slots:
    void on_NewHong_clicked();
    void on_CloseButton_clicked();
    void SlotAllLanguage(int language);

private:
    std::unique_ptr<Ui_InportFail> ui;
};
