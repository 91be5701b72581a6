#pragma once

#include "settings/inputpica.h"

#include <QDialog>

#include <memory>

// The same form as the upright layout's; the wide tiles' own places come with the screen
// controls.
class Ui_InputPicB : public Ui_InputPicA
{
};

// The screen picture panel of a device with a picture screen, the layout with wide tiles.
// The settings page holds one and never shows it. For now it is its frame and its close button;
// the screen controls grow here.
class InputPicB : public QDialog
{
    Q_OBJECT
public:
    explicit InputPicB(QWidget *parent = nullptr);
    ~InputPicB() override;

private slots:
    // Tells the hub (SigButtonCheck), then hides the panel.
    void on_CloseButton_clicked();

private:
    std::unique_ptr<Ui_InputPicB> ui;
};
