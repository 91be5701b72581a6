#pragma once

#include <QDialog>

#include <memory>

class QFrame;
class QLabel;
class QProgressBar;
class QToolButton;

class Ui_Progress
{
public:
    QFrame *AddDelayTimeA;
    QToolButton *CloseButton;
    QLabel *label;
    QProgressBar *progressBar_2;
    QToolButton *NewHong;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// A firmware-update progress notice: a percentage while the update runs, then the failure or
// success text with a button to close it. No page builds it; a caller drives it with
// SlotProgress.
class Progress : public QDialog
{
    Q_OBJECT
public:
    explicit Progress(QWidget *parent = nullptr);
    ~Progress() override;

public slots:
    // kind 0: running at `value` %; 1: failed; 2: succeeded; 3: hide the button; 4: back to 0 %.
    void SlotProgress(int value, int kind);
    void SlotCloseProgress();

private slots:
    void on_NewHong_clicked();
    void on_CloseButton_clicked();
    void SlotAllLanguage(int language);

private:
    void showPercent(int percent);
    void closeAndContinue();

    std::unique_ptr<Ui_Progress> ui;
    QString PrefixText;
    QString FailText;
    QString SuccessText;
};
