#pragma once

#include <QDialog>

#include <memory>

class QFrame;
class QLabel;
class QToolButton;

class Ui_ContainReset
{
public:
    QFrame *ContainResetA;
    QToolButton *CloseButton;
    QLabel *label;
    QToolButton *OK;
    QToolButton *Cancel;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// Asks whether the default settings are to be restored (or, with SetText, another yes-or-no
// question). The answer is Confirmed, read after exec() returns; Return answers OK.
class ContainReset : public QDialog
{
    Q_OBJECT
public:
    explicit ContainReset(QWidget *parent = nullptr);
    ~ContainReset() override;

    void SetText(const QString &text);

    bool Confirmed = false;

private slots:
    void on_CloseButton_clicked();
    void on_OK_clicked();
    void on_Cancel_clicked();
    void SlotAllLanguage(int language);

private:
    std::unique_ptr<Ui_ContainReset> ui;
};
