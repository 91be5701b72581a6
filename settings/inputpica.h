#pragma once

#include <QDialog>

#include <memory>

class QFrame;
class QToolButton;

class Ui_InputPicA
{
public:
    QFrame *InputPicAFrame;
    QToolButton *CloseButton;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// The screen picture panel of a device with a picture screen, the layout with upright tiles.
// The settings page holds one and never shows it. For now it is its frame and its close button;
// the screen controls and the clock grow here.
class InputPicA : public QDialog
{
    Q_OBJECT
public:
    explicit InputPicA(QWidget *parent = nullptr);
    ~InputPicA() override;

private slots:
    // Tells the hub (SigButtonCheck), then hides the panel.
    void on_CloseButton_clicked();

private:
    std::unique_ptr<Ui_InputPicA> ui;
};
