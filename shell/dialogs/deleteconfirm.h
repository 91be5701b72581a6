#pragma once

#include <QDialog>

#include <memory>

class QFrame;
class QLabel;
class QToolButton;

class Ui_DeleteConfirm
{
public:
    QFrame *DeleteConfirmA;
    QToolButton *CloseButton;
    QLabel *label;
    QToolButton *NewHong;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// Asks whether the current macro is to be deleted. The answer is Confirmed, read after exec()
// returns (exec() itself always reports a rejection: every button closes).
class DeleteConfirm : public QDialog
{
    Q_OBJECT
public:
    explicit DeleteConfirm(QWidget *parent = nullptr);
    ~DeleteConfirm() override;

    bool Confirmed = false;

private slots:
    void on_NewHong_clicked();
    void on_CloseButton_clicked();
    void SlotAllLanguage(int language);

private:
    std::unique_ptr<Ui_DeleteConfirm> ui;
};
