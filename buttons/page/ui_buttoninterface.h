#pragma once

class DebounceTime;
class MyConmboBox;
class MyToolButton;
class QFrame;
class QGridLayout;
class QGroupBox;
class QLabel;
class QScrollArea;
class QSpacerItem;
class QStackedWidget;
class QToolButton;
class QVBoxLayout;
class QWidget;

// The button page's form. Top left the profile box; top centre the mouse picture `widget` with
// the number marks on its buttons; right, the reset, import and export buttons; along the bottom
// `groupBox` with the row list (a numbered row selector per mouse button), the category stack
// (`page_2`: the function categories) and, in `groupBox_4`, the option stack (the choices of a
// category, or the debounce panel `page_9`). Object names are the ones the page's slots and the
// language files are keyed to; several do not describe their widget (`FireKey` is row 1,
// `VolumeUp` the mute option).
class Ui_Buttoninterface
{
public:
    QGridLayout *gridLayout_9;
    QFrame *MainWindow;
    QLabel *label;
    QWidget *widget;
    QToolButton *Number1, *Number2, *Number3, *Number4, *Number5, *Number6, *Number7, *Number8,
        *Number9, *Number10, *Number11, *Number12;
    QToolButton *OutputData;
    QToolButton *ImportData;
    QGroupBox *groupBox;

    // The row list.
    QScrollArea *scrollArea_11;
    QWidget *scrollAreaWidgetContents_11;
    QLabel *label_14, *label_9, *label_15, *label_11, *label_12, *label_13, *label_16, *label_17,
        *label_18, *label_19, *label_20, *label_21;
    QToolButton *FireKey, *RightKey, *BackKey, *StartPause, *TopMusic, *BackMusic, *Button7,
        *Button8, *Button9, *Button10, *Button11, *Button12;

    // The category stack: an empty page and the categories.
    QStackedWidget *stackedWidget;
    QWidget *page;
    QGridLayout *gridLayout_3;
    QWidget *page_2;
    QGridLayout *gridLayout;
    QScrollArea *scrollArea_4;
    QWidget *scrollAreaWidgetContents_4;
    QVBoxLayout *verticalLayout_9;
    QToolButton *LeftKey_3, *RightKey_3, *MidKey, *BackKey_2, *ForWardKey, *DPI_2, *DPI_3;
    MyToolButton *DPI_6;
    MyToolButton *DPI_8;
    QToolButton *DPI_5, *DPI_13, *DPI_11, *DPI_4, *DPI_9, *DPI_7, *DPI_12, *DPI_10;

    // The option stack, pages in index order.
    QGroupBox *groupBox_4;
    QStackedWidget *stackedWidget_2;
    // 0: multimedia keys.
    QWidget *page_3;
    QGridLayout *gridLayout_2;
    QScrollArea *scrollArea_3;
    QWidget *scrollAreaWidgetContents_3;
    QVBoxLayout *verticalLayout_4;
    QToolButton *Player, *StartPause_2, *BackMusic_2, *TopMusic_2, *Mute, *VolumeUp, *VolumeDown,
        *VolumeDown_4, *VolumeDown_5, *VolumeDown_6, *VolumeDown_3, *VolumeDown_8, *VolumeDown_9,
        *VolumeDown_7, *VolumeDown_10, *VolumeDown_12, *VolumeDown_13, *VolumeDown_11;
    // 1: the saved macros (their buttons are made at run time).
    QWidget *page_5;
    QGridLayout *gridLayout_5;
    QScrollArea *scrollArea_7;
    QWidget *scrollAreaWidgetContents_7;
    QVBoxLayout *verticalLayout_6;
    // 2: lighting toggles.
    QWidget *page_6;
    QGridLayout *gridLayout_6;
    QScrollArea *scrollArea_8;
    QWidget *scrollAreaWidgetContents_8;
    QVBoxLayout *verticalLayout_10;
    QToolButton *VolumeUp_4, *VolumeUp_5, *VolumeUp_6, *VolumeUp_7;
    QSpacerItem *verticalSpacer;
    // 3: DPI lock, 100 to 1200 DPI.
    QWidget *page_8;
    QGridLayout *gridLayout_8;
    QScrollArea *scrollArea_10;
    QWidget *scrollAreaWidgetContents_10;
    QVBoxLayout *verticalLayout_12;
    QToolButton *VolumeUp_11, *VolumeUp_12, *VolumeUp_13, *VolumeUp_16, *VolumeUp_15, *VolumeUp_19,
        *VolumeUp_20, *VolumeUp_22, *VolumeUp_18, *VolumeUp_24, *VolumeUp_23, *VolumeUp_21;
    // 4: the debounce panel, shown while no choice is open.
    QWidget *page_9;
    QGroupBox *groupBox_2;
    QLabel *label_3;
    DebounceTime *DebunceButton;
    // 5: horizontal wheel.
    QWidget *page_4;
    QGridLayout *gridLayout_4;
    QScrollArea *scrollArea_6;
    QWidget *scrollAreaWidgetContents_6;
    QVBoxLayout *verticalLayout_5;
    QToolButton *VolumeUp_2, *VolumeDown_2;
    QSpacerItem *verticalSpacer_2;
    // 6: DPI control.
    QWidget *page_7;
    QGridLayout *gridLayout_7;
    QScrollArea *scrollArea_9;
    QWidget *scrollAreaWidgetContents_9;
    QVBoxLayout *verticalLayout_11;
    QToolButton *VolumeUp_8, *VolumeUp_9, *VolumeUp_10;
    QSpacerItem *verticalSpacer_3;
    // 7: vertical wheel.
    QWidget *page_10;
    QScrollArea *scrollArea_12;
    QWidget *scrollAreaWidgetContents_12;
    QVBoxLayout *verticalLayout_7;
    QToolButton *VolumeUp_14, *VolumeDown_14;
    QSpacerItem *verticalSpacer_4;

    MyConmboBox *ProjectChoose;
    QToolButton *Reset;

    void setupUi(QWidget *form);
    void retranslateUi(QWidget *form);

    // Option-stack indexes.
    enum OptionPage
    {
        MultimediaPage = 0,
        MacroPage = 1,
        LightingPage = 2,
        DpiLockPage = 3,
        DebouncePage = 4,
        HorizontalWheelPage = 5,
        DpiControlPage = 6,
        VerticalWheelPage = 7
    };
};
