#pragma once

#include <QList>

class MyButton;
class MyConmboBox;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;
class QTextEdit;
class QToolButton;
class QWidget;
class StopCloseTime;

// The settings page's form: a scroll area whose content holds, from top to bottom, the language,
// the device information, pairing, the sleep time, other settings, the long-range mode, the
// receiver LED mode and the two links at the foot. The sections from "other" down sit below the
// sleep time by the page's section offset (placeSections).
class Ui_FormSetting
{
public:
    QFrame *FrameSetting;
    QScrollArea *scrollArea;
    QWidget *scrollAreaWidgetContents;

    QLabel *label; // the program's version, kept in view while the page scrolls
    QFrame *line;

    QToolButton *TitleButton_2;
    QLabel *label_2;
    MyConmboBox *comboBox; // language

    QToolButton *TitleButton_3;
    QLabel *label_3;
    QLabel *label_4; // receiver firmware version: caption and value
    QLabel *label_5;
    QLabel *label_6; // mouse firmware version: caption and value
    QLabel *label_7;
    QToolButton *Receive_2;    // the update button; its caption carries the update state
    QToolButton *toolButton_2; // new-firmware markers of the receiver and the mouse line
    QToolButton *toolButton_3;
    QTextEdit *NewLabel;
    QFrame *line_2;

    QToolButton *TitleButton_4;
    QLabel *label_8;
    QPushButton *pushButton_2; // pairing
    QFrame *line_3;

    QToolButton *TitleButton_8;
    QLabel *label_12;
    QLabel *label_13;
    StopCloseTime *frameClose;

    QToolButton *TitleButton_5;
    QLabel *label_9;
    QCheckBox *checkBox; // start with the desktop session
    QLabel *label_10;
    QToolButton *toolButton;
    MyButton *pushButton; // the desktop's mouse settings
    QFrame *line_4;

    QToolButton *TitleButton_6;
    QLabel *label_11;
    QCheckBox *checkBox_2; // long-range mode
    QTextEdit *textEdit;

    QToolButton *TitleButton_7;
    QLabel *label_14;
    QCheckBox *ReUntil; // receiver LED modes 1, 2 and 3, used as radios
    QCheckBox *ReUntil_2;
    QCheckBox *ReUntil_3;
    QTextEdit *textEdit_2;
    QTextEdit *textEdit_3;
    QTextEdit *textEdit_4;
    QFrame *line_5;

    QPushButton *pushButton_4; // a caption from the link table
    MyButton *pushButton_3;    // the link

    void setupUi(QWidget *page);
    void retranslateUi(QWidget *page);

    // Puts the sections from "other" down at `offset` below their places in the design.
    void placeSections(int offset);

    QList<QWidget *> longRangeSection() const;
    QList<QWidget *> ledSection() const;
};
