#pragma once

#include <QDialog>
#include <QString>

#include <memory>

class QFrame;
class QLabel;
class QPushButton;
class QTextEdit;
class QTimer;
class QToolButton;

class Ui_Match
{
public:
    QFrame *MatchA;
    QToolButton *toolButton_2; // decorations
    QToolButton *CloseButton;
    QPushButton *MatchButton; // start; also shows the outcome
    QTextEdit *textEdit;      // the instructions
    QLabel *label;            // the wired-mode notice
    QToolButton *toolButton_3;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// The pairing dialog: pairs a mouse held in its pairing state with a receiver. Callers build it
// without a parent, call PrepareMatch, place it and run it with exec(). Start (the button or the
// space bar) runs the device server on the receiver with the dialog's own callback and asks the
// receiver to pair mice of the product's customer id; the dialog then polls once a second until
// the receiver reports the outcome, the receiver disappears or PairTimeLimitMs pass. A pairing
// replaces the device server's callback and closing hands hot-plug notification to the home page,
// so callers that need either afterwards restart them (restartDeviceServer).
//
// While a pairing runs the dialog cannot be closed, by its close button, Escape or the window
// system. The pairing's state is the device state's PairResult, PairActive and PairPageRestore.
class Match : public QDialog
{
    Q_OBJECT
public:
    // A receiver that keeps answering "pairing" ends as a failure after this long.
    static constexpr int PairTimeLimitMs = 30000;

    explicit Match(QWidget *parent = nullptr);
    ~Match() override;

    // Takes the device to pair: the current device on the device page; otherwise PairDeviceInfo
    // when PairDeviceSet is set; otherwise the first entry of the home page's list, if there is
    // one (with none, pairing stays disabled). Call once, before exec().
    void PrepareMatch();

    // The device library's event callback of a pairing. Runs on a device-library thread.
    static void PairCallback(const unsigned char *header, int headerLength,
                             const unsigned char *payload, int payloadLength);

    // Tests only: another time limit for the dialogs made afterwards; 0 restores PairTimeLimitMs.
    static void setTimeLimitForTests(int milliseconds);

public slots:
    // The close button, Escape and the window system's close: refused while a pairing runs;
    // otherwise the home page's hot-plug callback is registered again, the timers stop, the page
    // flag a pairing took is given back and the dialog closes.
    void WindowClosedSet();
    void reject() override;

private slots:
    void on_MatchButton_clicked();
    void onPairTimeupDestroy();
    void onUSBTimeupDestroy();
    void onTextTimeupDestroy();
    void onPairTimeLimit();
    void SlotStopTimer();
    void SlotButtonenable(int enable);
    void SlotAllLanguage(int language);

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void StartPair();
    // The dialog's own end of a pairing (receiver gone, time limit): shown as a failure.
    void FailHere();
    void SetButtonLook(const QString &picture, bool allowed = true);

    std::unique_ptr<Ui_Match> ui;
    quint8 PairAllowed = 0; // the device to pair is wireless
    QString CurrentPath;
    quint8 PairCid = 0;
    QString PairPath;
    QString PairVid;
    QString PairPid;
    quint8 PairWired = 0;
    QString StartText;
    QString PairingText;
    QString FailText;
    QString SuccessText;

    QTimer *PairStatusTimer; // 1000 ms while a pairing runs: status read and receiver check
    QTimer *PairUsbTimer;    // 100 ms from PrepareMatch on: wired or wireless
    QTimer *PairTextTimer;   // 500 ms while a pairing runs: the dots of the button text
    QTimer *PairLimitTimer;  // once per pairing: the time limit
    int PairDotCount = 0;
    QString PairImageFolder;
    QString PairButtonColor;
    QString ButtonStyle; // the style last given to MatchButton
};
