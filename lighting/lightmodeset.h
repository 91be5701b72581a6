#pragma once

#include <QDialog>

#include <memory>

class QFrame;
class QToolButton;

class Ui_LightModeSet
{
public:
    QFrame *LightModeSetframe;
    QToolButton *CloseButton;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// The light-mode dialog: a copy of the lighting page's controls that writes nothing. The settings
// page holds one and never shows it. For now it is its frame and its close button; the controls
// grow here.
class LightModeSet : public QDialog
{
    Q_OBJECT
public:
    explicit LightModeSet(QWidget *parent = nullptr);
    ~LightModeSet() override;

private slots:
    // Tells the hub (SigButtonCheck), then hides the dialog.
    void on_CloseButton_clicked();

private:
    std::unique_ptr<Ui_LightModeSet> ui;
};
