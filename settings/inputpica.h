#pragma once

#include <QDialog>
#include <QString>
#include <QThread>

#include <memory>

class QButtonGroup;
class QFrame;
class QLabel;
class QSlider;
class QTimer;
class QToolButton;

// The form of both screen picture panels; they differ only in where five kinds of widget sit.
class Ui_InputPicA
{
public:
    // Upright picture tiles (74 x 100) or wide ones (88 x 64).
    enum class Tiles
    {
        Upright,
        Wide
    };

    QFrame *InputPicAFrame;
    QToolButton *CheckButton; // the screen-off switch
    QLabel *label;
    QLabel *label_3;
    QSlider *SpeedH; // screen brightness 1..5
    QLabel *label_2;
    QToolButton *toolButtonA; // the four picture slots
    QToolButton *toolButtonB;
    QToolButton *toolButtonC;
    QToolButton *toolButtonD;
    QToolButton *Input;
    QToolButton *Output;
    QLabel *label_4; // the slots' numbers
    QLabel *label_5;
    QLabel *label_6;
    QLabel *label_7;
    QToolButton *CloseButton;

    void setupUi(QDialog *dialog, Tiles tiles = Tiles::Upright);
    void retranslateUi(QDialog *dialog);
    // The look both panels share: pictures of Picture/ScreeInfo/, theme colours, fonts scaled
    // for the screen.
    void applyLook(QDialog *dialog);
    // The picture slots as one exclusive group owned by the dialog.
    QButtonGroup *groupSlots(QDialog *dialog);
    // Texts 0..4 of the language's row of ScreenInfoTexts; a missing row or entry keeps the text.
    void applyLanguage(int language);
};

// A thread the upright panel holds and never starts: run() says it runs, once, and ends.
class MyThread : public QThread
{
    Q_OBJECT
public:
    ~MyThread() override;

protected:
    void run() override;
};

// The screen picture panel of a device with a picture screen, the layout with upright tiles:
// screen off, brightness, four picture slots, import and export. Its controls change only their
// own look. It also carries the screen's clock: once started (StartScreenCheck, which nothing in
// the program calls, since the clock would take the one hot-plug notification from the pages),
// every 50th tick of 200 ms sends the first screen found the local date and time.
// The settings page holds one and never shows it; its texts stay the form's own until
// UpDataLanguage or SlotAllLanguage is called.
class InputPicA : public QDialog
{
    Q_OBJECT
public:
    explicit InputPicA(QWidget *parent = nullptr);
    ~InputPicA() override;

    void StartScreenCheck(bool start);
    void UpDataLanguage();

public slots:
    void SlotAllLanguage(int language);

private slots:
    // Tells the hub (SigButtonCheck), then hides the panel.
    void on_CloseButton_clicked();
    void onEraseChipTimeTimer();

private:
    std::unique_ptr<Ui_InputPicA> ui;
    QString ImageFolder;
    QButtonGroup *Group = nullptr;
    QTimer *Timer = nullptr;
    int TickCount = 0;
    const int PacketLength = 40;
    MyThread Thread;
};
