#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class KeyboardHook;
class MyLineEdit;
class QCheckBox;
class QFrame;
class QLabel;
class QToolButton;

class Ui_GroupKey
{
public:
    QFrame *groupKeyA;
    QLabel *label;
    QToolButton *CloseButton;
    MyLineEdit *lineEdit;
    QCheckBox *Shift;
    QCheckBox *Ctrl;
    QCheckBox *Alt;
    QCheckBox *Win;
    QToolButton *NewHong;
    QToolButton *NewHong_2;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// Takes a key combination for a mouse button: up to three parts, the ticked modifiers (Shift,
// Ctrl, Alt, Win) first, then the keys typed, joined by "+" ("Shift+Ctrl+A"). Keys arrive through
// the dialog's keyboard hook, never through the field, which the keyboard cannot edit: each press
// adds its key's name once (modifier keys are the boxes' job and add nothing), a fourth key starts
// a new combination, and so does a key more than two seconds after the combination's first.
// A combination of more than three parts is refused with a notice and the field starts again.
// The result is Confirmed and KeyText, read after exec() returns.
class GroupKey : public QDialog
{
    Q_OBJECT
public:
    explicit GroupKey(QWidget *parent = nullptr);
    // Removes the hook whichever way the dialog ends.
    ~GroupKey() override;

    // Tests: the clock, in milliseconds, the two-second window is measured on.
    void SetClock(std::function<qint64()> clock);

    bool Confirmed = false;
    QString KeyText;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_2_clicked();
    void on_NewHong_clicked();
    void UpdateCapslockTip(int vk, bool down, bool repeat);
    void on_lineEdit_textEdited(const QString &text);
    void SlotAllLanguage(int language);

private:
    std::unique_ptr<KeyboardHook> Hook;
    int PartCount = 0;
    int LastVk = -1;
    bool FirstKey = true;
    std::function<qint64()> Clock;
    qint64 KeyStart = 0;
    std::unique_ptr<Ui_GroupKey> ui;
};

// The keys of a combination text, "Num+" taken whole: "A+Num++B" is A, Num+ and B.
QStringList CombinationKeys(const QString &text);
