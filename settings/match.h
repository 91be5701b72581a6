#pragma once

#include <QDialog>
#include <QString>

#include <memory>

class QFrame;
class QLabel;
class QToolButton;

class Ui_Match
{
public:
    QFrame *MatchA;
    QToolButton *CloseButton;
    QLabel *label;
    QToolButton *MatchButton;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// The receiver pairing dialog. Callers build it without a parent, call PrepareMatch, place it and
// run it modally. The pairing itself (server on the receiver with the dialog's own callback, the
// polling and the outcome on the button) grows here.
class Match : public QDialog
{
    Q_OBJECT
public:
    explicit Match(QWidget *parent = nullptr);
    ~Match() override;

    // Takes the receiver to pair: the current device on the device page; otherwise PairDeviceInfo
    // when PairDeviceSet is 1; otherwise the first entry of the home page's list. Call once,
    // before exec().
    void PrepareMatch();

    quint8 PairCid = 0;
    QString PairPath;
    QString PairVid;
    QString PairPid;
    quint8 PairWired = 0;

public slots:
    // Closing: gives the hot-plug notification back to the home page, then closes.
    void WindowClosedSet();

private slots:
    void SlotAllLanguage(int language);

private:
    std::unique_ptr<Ui_Match> ui;
};
