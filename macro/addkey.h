#pragma once

#include <QDialog>

#include <memory>

class KeyboardHook;
class QFrame;
class QLabel;
class QLineEdit;
class QToolButton;

class Ui_addKey
{
public:
    QFrame *addKeyA;
    QLabel *label;
    QToolButton *CloseButton;
    QLineEdit *lineEdit;
    QToolButton *NewHong;
    QToolButton *NewHong_2;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// Takes one key for a macro event: every key message its keyboard hook reports, press or release,
// shows and keeps that key's name (the modifier keys included, a key without a name the empty
// name), so after a key is typed the dialog holds it. What is typed into the field is never the
// result. exec() returns 1 with Confirmed set after OK, 0 otherwise; the key is KeyName.
class addKey : public QDialog
{
    Q_OBJECT
public:
    explicit addKey(QWidget *parent = nullptr);
    // Removes the hook whichever way the dialog ends.
    ~addKey() override;

    bool Confirmed = false;
    QString KeyName;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private slots:
    void on_CloseButton_clicked();
    void on_NewHong_clicked();
    void on_NewHong_2_clicked();
    void UpdateCapslockTip(int vk, bool down, bool repeat);
    void SlotAllLanguage(int language);

private:
    std::unique_ptr<KeyboardHook> Hook;
    std::unique_ptr<Ui_addKey> ui;
};
