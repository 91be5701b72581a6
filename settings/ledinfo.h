#pragma once

#include "core/devicestate.h"

#include <QDialog>
#include <QString>

#include <memory>

class QButtonGroup;
class QCheckBox;
class QFrame;
class QLabel;
class QTextEdit;
class QToolButton;

class Ui_LedInfo
{
public:
    QFrame *LedInfoFrame;
    QToolButton *TitleButton_7;
    QLabel *label_14;
    QCheckBox *ReUntil; // receiver LED modes 1, 2 and 3
    QCheckBox *ReUntil_2;
    QCheckBox *ReUntil_3;
    QTextEdit *textEdit_2;
    QTextEdit *textEdit_3;
    QTextEdit *textEdit_4;
    QToolButton *CloseButton;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// The receiver LED panel: what the receiver's light shows in each of its three modes, with the
// mode the receiver reported last checked. It writes nothing. The settings page holds one and
// never shows it, yet it follows every receiver LED report from its construction on. Its texts
// stay the form's own until UpDataLanguage or SlotAllLanguage is called; it follows no language
// change by itself, and it keeps the form's font sizes.
class LedInfo : public QDialog
{
    Q_OBJECT
public:
    explicit LedInfo(QWidget *parent = nullptr);
    ~LedInfo() override;

    void UpDataLanguage();

public slots:
    // A receiver LED report (blocking from the device-event callback, with a copy of the record).
    // Checks the reported mode 1..3 for a receiver the report concerns
    // (ModelFeatures::ReceiverLedApplies); anything else changes nothing.
    void SlotRGBValue(const DongleRGB &rgb);
    void SlotAllLanguage(int language);

private slots:
    // Tells the hub (SigButtonCheck), then hides the panel.
    void on_CloseButton_clicked();

private:
    std::unique_ptr<Ui_LedInfo> ui;
    QString ImageFolder;
    QButtonGroup *Group = nullptr;
};
