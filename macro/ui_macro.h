#pragma once

class MyConmboBox;
class QCheckBox;
class QFrame;
class QGridLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class QToolButton;
class QWidget;

// The macro page's form: the macro list on the left, the selected macro's events beside it, and
// on the right the record buttons, the delay and repeat choices, the event choice and Save.
class Ui_Macro
{
public:
    QGridLayout *gridLayout;
    QFrame *MacroPage;
    QLabel *label;
    QListWidget *listWidgetHong;
    QLabel *label_2;
    QListWidget *listWidgetKey;
    QPushButton *StartRecord;
    QPushButton *StopRecord;
    QCheckBox *AutoInsertDelay;
    QLabel *AutoInsertDelayLabel;
    QCheckBox *DefaultDelay;
    QSpinBox *DelayTime;
    QCheckBox *ReUntilLoose;
    QLabel *ReUntilLooseLabel;
    QCheckBox *ReUntilClick;
    QLabel *ReUntilClickLabel;
    QCheckBox *ReUntil;
    QLabel *ReUntilLabel;
    QCheckBox *ReNumber;
    QSpinBox *NumberEdit;
    QLabel *label_3;
    MyConmboBox *ChooseEvent;
    QToolButton *Save;
    QToolButton *NewHong;
    QToolButton *DeleteHong;
    QToolButton *Amend;
    QToolButton *DeleteKey;

    void setupUi(QWidget *page);
    void retranslateUi(QWidget *page);
};
