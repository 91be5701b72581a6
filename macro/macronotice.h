#pragma once

#include <QDialog>
#include <QRect>
#include <QString>

#include <memory>

class QFrame;
class QLabel;
class QToolButton;
class TextTable;

// What one notice of the macro editor differs in from the others.
struct MacroNoticeShape
{
    QString className; // the dialog's object name
    QString frameName; // the background panel's object name, which its style sheet selects
    QRect label;       // the message's place on the panel
    int confirmX;      // left edge of the confirm button "NewHong"
    QString defaultText;
    const TextTable *texts; // entry 0 is the message
};

class Ui_MacroNotice
{
public:
    QFrame *frame;
    QToolButton *CloseButton;
    QToolButton *NewHong;
    QLabel *label;

    void setupUi(QDialog *dialog, const MacroNoticeShape &shape);
    void retranslateUi(QDialog *dialog, const MacroNoticeShape &shape);
};

// The notices of the macro editor: a frameless 300 x 140 dialog with a message, a confirm button
// and a close button, telling why an action did not happen. Built on the caller's stack without a
// parent, placed, run with exec() and destroyed; the confirm button, the close button and Esc all
// just close it, and nothing is read from it afterwards.
class MacroNotice : public QDialog
{
    Q_OBJECT
public:
    ~MacroNotice() override;

protected:
    MacroNotice(const MacroNoticeShape &shape, QWidget *parent);
    QLabel *Message() const;

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();
    void SlotAllLanguage(int language);

private:
    std::unique_ptr<Ui_MacroNotice> ui;
    const TextTable *Texts;
};
