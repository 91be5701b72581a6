#pragma once

#include "settings/inputpica.h"

#include <QDialog>

#include <memory>

// The upright layout's form with the wide tiles' places.
class Ui_InputPicB : public Ui_InputPicA
{
public:
    void setupUi(QDialog *dialog) { Ui_InputPicA::setupUi(dialog, Tiles::Wide); }
};

// The screen picture panel of a device with a picture screen, the layout with wide tiles and
// without the clock. The settings page holds one and never shows it; its controls change only
// their own look and its texts stay the form's own until UpDataLanguage or SlotAllLanguage.
class InputPicB : public QDialog
{
    Q_OBJECT
public:
    explicit InputPicB(QWidget *parent = nullptr);
    ~InputPicB() override;

    void UpDataLanguage();

public slots:
    void SlotAllLanguage(int language);

private slots:
    // Tells the hub (SigButtonCheck), then hides the panel.
    void on_CloseButton_clicked();

private:
    std::unique_ptr<Ui_InputPicB> ui;
    QString ImageFolder;
    QButtonGroup *Group = nullptr;
};
