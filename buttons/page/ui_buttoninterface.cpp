#include "buttons/page/ui_buttoninterface.h"

#include "sensor/debouncetime.h"
#include "shell/widgets/elidingtoolbutton.h"
#include "shell/widgets/formparts.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/mytoolbutton.h"
#include "shell/widgets/pageframe.h"
#include "shell/widgets/theme.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QScrollArea>
#include <QSpacerItem>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <vector>

namespace {

using Ui = Ui_Buttoninterface;
using ButtonMember = QToolButton *Ui::*;
using LabelMember = QLabel *Ui::*;

using FormParts::Make;

void fix(QWidget *widget, int width, int height)
{
    widget->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    widget->setMinimumSize(width, height);
    widget->setMaximumSize(width, height);
}

// Every tool button of the form takes no keyboard focus and draws flat until its picture shows.
template <typename T = QToolButton>
T *makeButton(QWidget *parent, const char *name)
{
    auto *button = Make<T>(parent, name);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    return button;
}

// Every sheet of the form is set as the form is built, on its widget before anything is placed
// in it and before the widget is first polished: the sheet is then only kept, and read when the
// widget is polished (the page is built hidden and polished when first shown), which is also when
// its pictures are decoded. Set on a polished widget, a sheet restyles the widget and everything
// below it at once.

// A picture button that shows `normal`, `hover` while pointed at and `pressed` while held.
QString threeStateSheet(const QString &folder, const QString &textColor, const char *normal,
                        const char *hover, const char *pressed)
{
    return QStringLiteral("QToolButton{border:0px;background-position:center;"
                          "background-repeat:no-repeat;color: %1;border-image: %2;}"
                          "QToolButton:hover{border-image: %3;}"
                          "QToolButton:pressed{border-image: %4;}")
        .arg(textColor, Theme::Url(folder, normal), Theme::Url(folder, hover),
             Theme::Url(folder, pressed));
}

// A number mark: its digit over a round picture that lights up when pointed at or pressed.
QString markSheet(const QString &folder, const char *digitColor)
{
    return QStringLiteral("QToolButton{color: %1;border:0px;background-position:center;"
                          "background-repeat:no-repeat;background-image: %2;}"
                          "QToolButton:hover{background-image: %3;}"
                          "QToolButton:pressed{padding-left: 0px;background-image: %4;}")
        .arg(QLatin1String(digitColor), Theme::Url(folder, "NumberOrigin.png"),
             Theme::Url(folder, "NumberHover.png"), Theme::Url(folder, "NumberClick.png"));
}

// A category of the chooser on its bar picture, the checked one on the highlighted bar.
QString categorySheet(const QString &folder, const char *picture, const char *checked)
{
    return QStringLiteral("QToolButton{border:0px;color: rgb(255,255,255);"
                          "background-position:center;background-repeat:no-repeat;"
                          "background-image: %1;}"
                          "QToolButton:checked{color: rgb(255,255,255);background-image: %2;}")
        .arg(Theme::Url(folder, picture), Theme::Url(folder, checked));
}

void setBorderless(QWidget *widget)
{
    widget->setStyleSheet(QStringLiteral("#%1{border: 0;}").arg(widget->objectName()));
}

// The contents of a list draw nothing of their own.
void setTransparent(QWidget *contents)
{
    contents->setStyleSheet(QStringLiteral("background-color:transparent;border:none;"));
}

QScrollArea *makeScrollArea(QWidget *parent, const char *name)
{
    auto *area = Make<QScrollArea>(parent, name);
    area->setFocusPolicy(Qt::NoFocus);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setWidgetResizable(true);
    return area;
}

struct Mark
{
    ButtonMember member;
    const char *name;
    QPoint at;
};
const Mark Marks[] = {
    {&Ui::Number1, "Number1", {140, 60}},    {&Ui::Number2, "Number2", {260, 60}},
    {&Ui::Number3, "Number3", {198, 60}},    {&Ui::Number4, "Number4", {100, 120}},
    {&Ui::Number5, "Number5", {100, 167}},   {&Ui::Number6, "Number6", {310, 240}},
    {&Ui::Number7, "Number7", {380, 60}},    {&Ui::Number8, "Number8", {380, 100}},
    {&Ui::Number9, "Number9", {380, 140}},   {&Ui::Number10, "Number10", {380, 180}},
    {&Ui::Number11, "Number11", {330, 100}}, {&Ui::Number12, "Number12", {330, 140}},
};

// The row list: the number label at x 0 and the row selector at x 30. Row 6 overlaps row 5 and
// rows 7 to 12 lie below the visible list; the page hides all seven.
struct Row
{
    LabelMember label;
    const char *labelName;
    int labelY;
    ButtonMember selector;
    const char *selectorName;
    int selectorY;
};
const Row Rows[] = {
    {&Ui::label_14, "label_14", 6, &Ui::FireKey, "FireKey", 5},
    {&Ui::label_9, "label_9", 48, &Ui::RightKey, "RightKey", 47},
    {&Ui::label_15, "label_15", 88, &Ui::BackKey, "BackKey", 87},
    {&Ui::label_11, "label_11", 131, &Ui::StartPause, "StartPause", 130},
    {&Ui::label_12, "label_12", 173, &Ui::TopMusic, "TopMusic", 172},
    {&Ui::label_13, "label_13", 180, &Ui::BackMusic, "BackMusic", 179},
    {&Ui::label_16, "label_16", 215, &Ui::Button7, "Button7", 214},
    {&Ui::label_17, "label_17", 250, &Ui::Button8, "Button8", 249},
    {&Ui::label_18, "label_18", 285, &Ui::Button9, "Button9", 284},
    {&Ui::label_19, "label_19", 320, &Ui::Button10, "Button10", 319},
    {&Ui::label_20, "label_20", 355, &Ui::Button11, "Button11", 354},
    {&Ui::label_21, "label_21", 390, &Ui::Button12, "Button12", 389},
};

// The categories of page_2, in list order, with their point size (the long captions are set
// smaller). DPI_6 and DPI_8 open a dialog on a double click, so they are MyToolButtons. The
// categories that lead to a list of choices have a bar with an arrow.
struct Category
{
    ButtonMember member; // nullptr for the two MyToolButtons
    const char *name;
    int points;
    bool leadsToList;
};
const Category Categories[] = {
    {&Ui::LeftKey_3, "LeftKey_3", 8, false},
    {&Ui::RightKey_3, "RightKey_3", 8, false},
    {&Ui::MidKey, "MidKey", 8, false},
    {&Ui::BackKey_2, "BackKey_2", 8, false},
    {&Ui::ForWardKey, "ForWardKey", 8, false},
    {&Ui::DPI_2, "DPI_2", 8, false},
    {&Ui::DPI_3, "DPI_3", 8, false},
    {nullptr, "DPI_6", 8, false},
    {nullptr, "DPI_8", 8, false},
    {&Ui::DPI_5, "DPI_5", 8, false},
    {&Ui::DPI_13, "DPI_13", 6, true},
    {&Ui::DPI_11, "DPI_11", 6, true},
    {&Ui::DPI_4, "DPI_4", 6, true},
    {&Ui::DPI_9, "DPI_9", 6, true},
    {&Ui::DPI_7, "DPI_7", 6, true},
    {&Ui::DPI_12, "DPI_12", 7, true},
    {&Ui::DPI_10, "DPI_10", 8, true},
};

struct NamedButton
{
    ButtonMember member;
    const char *name;
};

// An option page of the option stack: a scroll area (in a grid layout, except on page_10) whose
// contents list the page's option buttons, on some pages followed by a spacer.
struct ChoicePage
{
    QWidget *Ui::*page;
    const char *pageName;
    QGridLayout *Ui::*grid; // nullptr: the scroll area is placed by hand
    const char *gridName;
    QScrollArea *Ui::*area;
    const char *areaName;
    QWidget *Ui::*contents;
    const char *contentsName;
    int contentsHeight;
    QVBoxLayout *Ui::*list;
    const char *listName;
    std::vector<NamedButton> buttons;
    QSpacerItem *Ui::*spacer;
};

const std::vector<ChoicePage> &optionPages()
{
    static const std::vector<ChoicePage> pages = {
        {&Ui::page_3,
         "page_3",
         &Ui::gridLayout_2,
         "gridLayout_2",
         &Ui::scrollArea_3,
         "scrollArea_3",
         &Ui::scrollAreaWidgetContents_3,
         "scrollAreaWidgetContents_3",
         500,
         &Ui::verticalLayout_4,
         "verticalLayout_4",
         {{&Ui::Player, "Player"},
          {&Ui::StartPause_2, "StartPause_2"},
          {&Ui::BackMusic_2, "BackMusic_2"},
          {&Ui::TopMusic_2, "TopMusic_2"},
          {&Ui::Mute, "Mute"},
          {&Ui::VolumeUp, "VolumeUp"},
          {&Ui::VolumeDown, "VolumeDown"},
          {&Ui::VolumeDown_4, "VolumeDown_4"},
          {&Ui::VolumeDown_5, "VolumeDown_5"},
          {&Ui::VolumeDown_6, "VolumeDown_6"},
          {&Ui::VolumeDown_3, "VolumeDown_3"},
          {&Ui::VolumeDown_8, "VolumeDown_8"},
          {&Ui::VolumeDown_9, "VolumeDown_9"},
          {&Ui::VolumeDown_7, "VolumeDown_7"},
          {&Ui::VolumeDown_10, "VolumeDown_10"},
          {&Ui::VolumeDown_12, "VolumeDown_12"},
          {&Ui::VolumeDown_13, "VolumeDown_13"},
          {&Ui::VolumeDown_11, "VolumeDown_11"}},
         nullptr},
        {&Ui::page_5,
         "page_5",
         &Ui::gridLayout_5,
         "gridLayout_5",
         &Ui::scrollArea_7,
         "scrollArea_7",
         &Ui::scrollAreaWidgetContents_7,
         "scrollAreaWidgetContents_7",
         220,
         &Ui::verticalLayout_6,
         "verticalLayout_6",
         {},
         nullptr},
        {&Ui::page_6,
         "page_6",
         &Ui::gridLayout_6,
         "gridLayout_6",
         &Ui::scrollArea_8,
         "scrollArea_8",
         &Ui::scrollAreaWidgetContents_8,
         "scrollAreaWidgetContents_8",
         220,
         &Ui::verticalLayout_10,
         "verticalLayout_10",
         {{&Ui::VolumeUp_4, "VolumeUp_4"},
          {&Ui::VolumeUp_5, "VolumeUp_5"},
          {&Ui::VolumeUp_6, "VolumeUp_6"},
          {&Ui::VolumeUp_7, "VolumeUp_7"}},
         &Ui::verticalSpacer},
        {&Ui::page_8,
         "page_8",
         &Ui::gridLayout_8,
         "gridLayout_8",
         &Ui::scrollArea_10,
         "scrollArea_10",
         &Ui::scrollAreaWidgetContents_10,
         "scrollAreaWidgetContents_10",
         400,
         &Ui::verticalLayout_12,
         "verticalLayout_12",
         {{&Ui::VolumeUp_11, "VolumeUp_11"},
          {&Ui::VolumeUp_12, "VolumeUp_12"},
          {&Ui::VolumeUp_13, "VolumeUp_13"},
          {&Ui::VolumeUp_16, "VolumeUp_16"},
          {&Ui::VolumeUp_15, "VolumeUp_15"},
          {&Ui::VolumeUp_19, "VolumeUp_19"},
          {&Ui::VolumeUp_20, "VolumeUp_20"},
          {&Ui::VolumeUp_22, "VolumeUp_22"},
          {&Ui::VolumeUp_18, "VolumeUp_18"},
          {&Ui::VolumeUp_24, "VolumeUp_24"},
          {&Ui::VolumeUp_23, "VolumeUp_23"},
          {&Ui::VolumeUp_21, "VolumeUp_21"}},
         nullptr},
        // Index 4, the debounce page, is built by hand.
        {&Ui::page_4,
         "page_4",
         &Ui::gridLayout_4,
         "gridLayout_4",
         &Ui::scrollArea_6,
         "scrollArea_6",
         &Ui::scrollAreaWidgetContents_6,
         "scrollAreaWidgetContents_6",
         220,
         &Ui::verticalLayout_5,
         "verticalLayout_5",
         {{&Ui::VolumeUp_2, "VolumeUp_2"}, {&Ui::VolumeDown_2, "VolumeDown_2"}},
         &Ui::verticalSpacer_2},
        {&Ui::page_7,
         "page_7",
         &Ui::gridLayout_7,
         "gridLayout_7",
         &Ui::scrollArea_9,
         "scrollArea_9",
         &Ui::scrollAreaWidgetContents_9,
         "scrollAreaWidgetContents_9",
         220,
         &Ui::verticalLayout_11,
         "verticalLayout_11",
         {{&Ui::VolumeUp_8, "VolumeUp_8"},
          {&Ui::VolumeUp_9, "VolumeUp_9"},
          {&Ui::VolumeUp_10, "VolumeUp_10"}},
         &Ui::verticalSpacer_3},
        {&Ui::page_10,
         "page_10",
         nullptr,
         nullptr,
         &Ui::scrollArea_12,
         "scrollArea_12",
         &Ui::scrollAreaWidgetContents_12,
         "scrollAreaWidgetContents_12",
         220,
         &Ui::verticalLayout_7,
         "verticalLayout_7",
         {{&Ui::VolumeUp_14, "VolumeUp_14"}, {&Ui::VolumeDown_14, "VolumeDown_14"}},
         &Ui::verticalSpacer_4},
    };
    return pages;
}

// The DPI-lock options show their value; the other defaults follow.
const NamedButton DpiLockOrder[] = {
    {&Ui::VolumeUp_11, "100"},  {&Ui::VolumeUp_12, "200"},  {&Ui::VolumeUp_13, "300"},
    {&Ui::VolumeUp_16, "400"},  {&Ui::VolumeUp_15, "500"},  {&Ui::VolumeUp_19, "600"},
    {&Ui::VolumeUp_20, "700"},  {&Ui::VolumeUp_22, "800"},  {&Ui::VolumeUp_18, "900"},
    {&Ui::VolumeUp_24, "1000"}, {&Ui::VolumeUp_23, "1100"}, {&Ui::VolumeUp_21, "1200"},
};

// The form's own texts, in the order they are set. The language application replaces them; they
// come back on a language change event.
const NamedButton DefaultTexts[] = {
    {&Ui::OutputData, "导出"},
    {&Ui::ImportData, "导入"},
    {&Ui::FireKey, "左键"},
    {&Ui::RightKey, "右键"},
    {&Ui::BackKey, "中键"},
    {&Ui::StartPause, "后退键"},
    {&Ui::TopMusic, "前进键"},
    {&Ui::BackMusic, "下一曲"},
    {&Ui::Button7, "前进键"},
    {&Ui::Button8, "前进键"},
    {&Ui::Button9, "前进键"},
    {&Ui::Button10, "前进键"},
    {&Ui::Button11, "前进键"},
    {&Ui::Button12, "前进键"},
    {&Ui::LeftKey_3, "左键"},
    {&Ui::RightKey_3, "右键"},
    {&Ui::MidKey, "中键"},
    {&Ui::BackKey_2, "后退键"},
    {&Ui::ForWardKey, "前进键"},
    {&Ui::DPI_2, "切换报告率"},
    {&Ui::DPI_3, "配置切换"},
    {&Ui::DPI_5, "待定义按键"},
    {&Ui::DPI_13, "鼠标上/下滚"},
    {&Ui::DPI_11, "鼠标左/右滚"},
    {&Ui::DPI_4, "DPI锁定"},
    {&Ui::DPI_9, "开关装饰灯"},
    {&Ui::DPI_7, "DPI切换"},
    {&Ui::DPI_12, "多媒体功能"},
    {&Ui::DPI_10, "宏定义"},
    {&Ui::Player, "播放器"},
    {&Ui::StartPause_2, "播放/暂停"},
    {&Ui::BackMusic_2, "下一曲"},
    {&Ui::TopMusic_2, "上一曲"},
    {&Ui::Mute, "停止播放"},
    {&Ui::VolumeUp, "静音"},
    {&Ui::VolumeDown, "音量加"},
    {&Ui::VolumeDown_4, "音量减"},
    {&Ui::VolumeDown_5, "邮件"},
    {&Ui::VolumeDown_6, "计算器"},
    {&Ui::VolumeDown_3, "我的电脑"},
    {&Ui::VolumeDown_8, "主页"},
    {&Ui::VolumeDown_9, "搜索"},
    {&Ui::VolumeDown_7, "前进"},
    {&Ui::VolumeDown_10, "后退"},
    {&Ui::VolumeDown_12, "停止网页"},
    {&Ui::VolumeDown_13, "刷新"},
    {&Ui::VolumeDown_11, "收藏夹"},
    {&Ui::VolumeUp_4, "开/关所有装饰灯"},
    {&Ui::VolumeUp_5, "开/关DPI指示灯"},
    {&Ui::VolumeUp_6, "开/关灯带"},
    {&Ui::VolumeUp_7, "循环切换灯带效果"},
    {&Ui::VolumeUp_2, "左滚"},
    {&Ui::VolumeDown_2, "右滚"},
    {&Ui::VolumeUp_8, "DPI循环"},
    {&Ui::VolumeUp_9, "DPI+"},
    {&Ui::VolumeUp_10, "DPI-"},
    {&Ui::VolumeUp_14, "上滚"},
    {&Ui::VolumeDown_14, "下滚"},
    {&Ui::Reset, "重置"},
};

} // namespace

void Ui_Buttoninterface::setupUi(QWidget *form)
{
    const QString folder = Theme::PictureFolder(QStringLiteral("Buttoninterface"));
    const QString textColor = Theme::Rgb(QStringLiteral("ButtonColor"));
    MainWindow = PageFrame::build(form, "Buttoninterface", "MainWindow", &gridLayout_9);
    gridLayout_9->setObjectName(QStringLiteral("gridLayout_9"));
    form->setMaximumSize(883, 660);
    // The row list lies over the bottom group's picture: its area and viewport draw nothing.
    MainWindow->setStyleSheet(MainWindow->styleSheet() +
                              QStringLiteral("QScrollArea,QScrollArea > #qt_scrollarea_viewport"
                                             "{background-color:transparent;}"));

    label = Make<QLabel>(MainWindow, "label");
    label->setStyleSheet(
        QStringLiteral("#label{border:0px;color: rgb(255, 255, 255);background-position:center;"
                       "background-repeat:no-repeat;background-image: %1;}")
            .arg(Theme::Url(folder, "Config.png")));
    label->setGeometry(30, 30, 20, 14);
    QSizePolicy iconPolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    iconPolicy.setHorizontalStretch(20);
    iconPolicy.setVerticalStretch(14);
    label->setSizePolicy(iconPolicy);
    label->setMaximumSize(20, 14);

    widget = Make<QWidget>(MainWindow, "widget");
    widget->setGeometry(200, 5, 432, 356);
    fix(widget, 432, 356);
    for (const Mark &mark : Marks) {
        QToolButton *button = makeButton(widget, mark.name);
        // The first marks sit on the dark mouse body, the others on its light side.
        button->setStyleSheet(
            markSheet(folder, &mark - Marks < 6 ? "rgb(255, 255, 255)" : "rgb(0, 0, 0)"));
        button->setGeometry(QRect(mark.at, QSize(38, 38)));
        button->setMinimumSize(38, 38);
        button->setMaximumSize(38, 38);
        // The first five sit on the dark mouse in the page's font; the others keep the default.
        QFont font = &mark - Marks < 5 ? Theme::Font(16) : QFont();
        font.setPointSize(16);
        font.setBold(false);
        font.setWeight(50);
        button->setFont(font);
        button->setCheckable(false);
        this->*mark.member = button;
    }

    OutputData = makeButton(MainWindow, "OutputData");
    OutputData->setGeometry(780, 350, 90, 26);
    ImportData = makeButton(MainWindow, "ImportData");
    ImportData->setGeometry(680, 350, 90, 26);
    for (QToolButton *button : {OutputData, ImportData}) {
        button->setStyleSheet(
            threeStateSheet(folder, textColor, "Reset.png", "ResetHover.png", "ResetClick.png"));
        fix(button, 90, 26);
        button->setFont(Theme::Font(10));
    }

    groupBox = Make<QGroupBox>(MainWindow, "groupBox");
    groupBox->setGeometry(7, 380, 862, 216);
    groupBox->setStyleSheet(QStringLiteral("#groupBox {border: 0;background-image: %1;}")
                                .arg(Theme::Url(folder, "TiltleBack.png")));

    scrollArea_11 = makeScrollArea(groupBox, "scrollArea_11");
    scrollArea_11->setGeometry(150, 2, 480, 212);
    fix(scrollArea_11, 480, 212);
    scrollAreaWidgetContents_11 =
        Make<QWidget>(scrollArea_11->viewport(), "scrollAreaWidgetContents_11");
    scrollAreaWidgetContents_11->setGeometry(0, 0, 510, 212);
    fix(scrollAreaWidgetContents_11, 510, 212);
    scrollAreaWidgetContents_11->setStyleSheet(
        QStringLiteral(
            "#scrollAreaWidgetContents_11{background-color:transparent;border:none;}"
            "QToolButton{border:0px;background-position:center;background-repeat:no-repeat;"
            "color: %1;background-image: %2;}"
            "QToolButton:checked{background-image: %3;}"
            "QToolButton:unchecked{background-image: %2;}"
            "QLabel{color: rgb(255, 255,255);border:0px;background-position:center;"
            "background-repeat:no-repeat;background-image: %4;}")
            .arg(textColor, Theme::Url(folder, "AMenuTitle.png"),
                 Theme::Url(folder, "AMenuTitleChecked.png"),
                 Theme::Url(folder, "LabelNumber.png")));
    // Each list is made in its scroll area and placed there while still empty, and each page is
    // made in its stack: moving a filled (or styled) tree under the styled frame would resolve the
    // style of every widget in it again.
    scrollArea_11->setWidget(scrollAreaWidgetContents_11);
    for (const Row &row : Rows) {
        const bool shown = &row - Rows < 5;
        QLabel *number = Make<QLabel>(scrollAreaWidgetContents_11, row.labelName);
        number->setGeometry(0, row.labelY, 24, 24);
        fix(number, 24, 24);
        number->setAlignment(Qt::AlignCenter);
        QFont numberFont =
            shown ? Theme::Font(16) : QFont(QStringLiteral("Microsoft YaHei UI Light"));
        numberFont.setPointSize(16);
        number->setFont(numberFont);
        this->*row.label = number;

        // A row bound to a macro is labelled with the macro's name, which may not fit.
        QToolButton *selector =
            makeButton<ElidingToolButton>(scrollAreaWidgetContents_11, row.selectorName);
        selector->setGeometry(30, row.selectorY, 262, 26);
        fix(selector, 262, 26);
        QFont selectorFont = Theme::Font(11);
        selectorFont.setBold(false);
        selectorFont.setWeight(50);
        selector->setFont(selectorFont);
        selector->setCheckable(true);
        selector->setChecked(false);
        this->*row.selector = selector;
    }

    stackedWidget = Make<QStackedWidget>(groupBox, "stackedWidget");
    stackedWidget->setGeometry(445, -11, 201, 241);
    stackedWidget->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    stackedWidget->setMinimumSize(192, 230);
    stackedWidget->setMaximumSize(230, 1111);
    page = Make<QWidget>(stackedWidget, "page");
    fix(page, 195, 240);
    gridLayout_3 = new QGridLayout(page);
    gridLayout_3->setObjectName(QStringLiteral("gridLayout_3"));
    gridLayout_3->setSpacing(0);
    gridLayout_3->setContentsMargins(0, 0, 0, 0);
    stackedWidget->addWidget(page);

    page_2 = Make<QWidget>(stackedWidget, "page_2");
    fix(page_2, 195, 240);
    // The category list lies on its own opaque background: the row list under the stack is
    // transparent and would show through.
    page_2->setStyleSheet(
        QStringLiteral("#page_2{border-image: %1;}").arg(Theme::Url(folder, "CategoryBack.png")));
    gridLayout = new QGridLayout(page_2);
    gridLayout->setObjectName(QStringLiteral("gridLayout"));
    gridLayout->setSpacing(0);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    scrollArea_4 = makeScrollArea(page_2, "scrollArea_4");
    fix(scrollArea_4, 195, 220);
    setBorderless(scrollArea_4);
    scrollArea_4->setFrameShape(QFrame::StyledPanel);
    scrollArea_4->setAlignment(Qt::AlignLeading | Qt::AlignLeft | Qt::AlignVCenter);
    scrollAreaWidgetContents_4 =
        Make<QWidget>(scrollArea_4->viewport(), "scrollAreaWidgetContents_4");
    scrollAreaWidgetContents_4->setGeometry(0, 0, 195, 420);
    fix(scrollAreaWidgetContents_4, 195, 420);
    setTransparent(scrollAreaWidgetContents_4);
    scrollArea_4->setWidget(scrollAreaWidgetContents_4);
    verticalLayout_9 = new QVBoxLayout(scrollAreaWidgetContents_4);
    verticalLayout_9->setObjectName(QStringLiteral("verticalLayout_9"));
    verticalLayout_9->setContentsMargins(7, -1, -1, -1);
    for (const Category &category : Categories) {
        QToolButton *button =
            category.member ? makeButton(scrollAreaWidgetContents_4, category.name)
                            : makeButton<MyToolButton>(scrollAreaWidgetContents_4, category.name);
        button->setStyleSheet(
            category.leadsToList
                ? categorySheet(folder, "BMenuTitleB.png", "BMenuTitleCheckedB.png")
                : categorySheet(folder, "BMenuTitle.png", "BMenuTitleChecked.png"));
        fix(button, 164, 22);
        button->setFont(Theme::Font(category.points));
        button->setCheckable(true);
        verticalLayout_9->addWidget(button);
        if (category.member)
            this->*category.member = button;
    }
    DPI_6 = scrollAreaWidgetContents_4->findChild<MyToolButton *>(QStringLiteral("DPI_6"));
    DPI_8 = scrollAreaWidgetContents_4->findChild<MyToolButton *>(QStringLiteral("DPI_8"));
    stackedWidget->addWidget(page_2);
    // A stack shows the page it makes current, and showing a page lays it out at once: the scroll
    // area would measure the whole list, every caption in its fonts, though the page is hidden
    // until the device page shows and is laid out again then. So the page becomes current before
    // its scroll area enters its layout. Set before the slots are connected: the first pages shown
    // reach no slot of the page.
    stackedWidget->setCurrentIndex(1);
    gridLayout->addWidget(scrollArea_4, 0, 0, 1, 1);

    groupBox_4 = Make<QGroupBox>(groupBox, "groupBox_4");
    setBorderless(groupBox_4);
    groupBox_4->setGeometry(643, -11, 211, 241);
    groupBox_4->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    stackedWidget_2 = Make<QStackedWidget>(groupBox_4, "stackedWidget_2");
    stackedWidget_2->setGeometry(0, 0, 213, 238);
    stackedWidget_2->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    stackedWidget_2->setMinimumSize(213, 200);
    stackedWidget_2->setMaximumSize(213, 1111111);

    // Every option page but the macro list draws its options on bars.
    const QString optionSheet = QStringLiteral("QToolButton{color: %1;border-image: %2;}"
                                               "QToolButton:checked{color: %1;border-image: %3;}")
                                    .arg(textColor, Theme::Url(folder, "CMenuTitle.png"),
                                         Theme::Url(folder, "CMenuTitleChecked.png"));
    const std::vector<ChoicePage> &pages = optionPages();
    for (std::size_t index = 0; index < pages.size(); ++index) {
        if (index == DebouncePage) {
            page_9 = Make<QWidget>(stackedWidget_2, "page_9");
            page_9->setStyleSheet(optionSheet);
            groupBox_2 = Make<QGroupBox>(page_9, "groupBox_2");
            groupBox_2->setGeometry(10, 0, 200, 241);
            // The debounce panel is a framed panel; on the dark group it would draw a stray box
            // around the list.
            groupBox_2->setStyleSheet(
                QStringLiteral("#groupBox_2 {border: 0;}#DebunceButton{border:none;}"));
            label_3 = Make<QLabel>(groupBox_2, "label_3");
            label_3->setGeometry(0, 20, 201, 31);
            label_3->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
            label_3->setFont(Theme::Font(11));
            label_3->setStyleSheet(Theme::LabelStyle());
            label_3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            DebunceButton = Make<DebounceTime>(groupBox_2, "DebunceButton");
            DebunceButton->setGeometry(35, 50, 165, 37);
            DebunceButton->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
            DebunceButton->setFrameShape(QFrame::StyledPanel);
            DebunceButton->setFrameShadow(QFrame::Raised);
            stackedWidget_2->addWidget(page_9);
        }
        const ChoicePage &option = pages[index];
        QWidget *optionPage = Make<QWidget>(stackedWidget_2, option.pageName);
        fix(optionPage, 205, 240);
        if (option.page != &Ui::page_5)
            optionPage->setStyleSheet(optionSheet);
        this->*option.page = optionPage;
        QScrollArea *area = makeScrollArea(optionPage, option.areaName);
        if (option.grid) {
            auto *grid = new QGridLayout(optionPage);
            grid->setObjectName(QLatin1String(option.gridName));
            grid->setSpacing(0);
            grid->setContentsMargins(0, 0, 0, 0);
            this->*option.grid = grid;
        } else {
            area->setGeometry(0, 10, 205, 220);
        }
        fix(area, 205, 220);
        setBorderless(area);
        this->*option.area = area;
        QWidget *contents = Make<QWidget>(area->viewport(), option.contentsName);
        contents->setGeometry(0, 0, 205, option.contentsHeight);
        fix(contents, 205, option.contentsHeight);
        // The macro list's contents keep the default background.
        if (option.contents != &Ui::scrollAreaWidgetContents_7)
            setTransparent(contents);
        area->setWidget(contents);
        this->*option.contents = contents;
        auto *list = new QVBoxLayout(contents);
        list->setObjectName(QLatin1String(option.listName));
        list->setContentsMargins(7, -1, -1, -1);
        this->*option.list = list;
        for (const NamedButton &named : option.buttons) {
            QToolButton *button = makeButton(contents, named.name);
            fix(button, 174, 22);
            button->setCheckable(true);
            button->setFont(Theme::Font(9));
            list->addWidget(button);
            this->*named.member = button;
        }
        if (option.spacer) {
            auto *spacer = new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding);
            list->addItem(spacer);
            this->*option.spacer = spacer;
        }
        if (option.grid)
            (this->*option.grid)->addWidget(area, 0, 0, 1, 1);
        stackedWidget_2->addWidget(optionPage);
    }

    ProjectChoose = Make<MyConmboBox>(MainWindow, "ProjectChoose");
    ProjectChoose->setStyleSheet(Theme::ComboBoxStyle(folder));
    ProjectChoose->setGeometry(60, 25, 128, 24);
    fix(ProjectChoose, 128, 24);
    QFont profileFont = Theme::Font(11);
    profileFont.setItalic(false);
    ProjectChoose->setFont(profileFont);
    ProjectChoose->setFocusPolicy(Qt::NoFocus);

    Reset = makeButton(MainWindow, "Reset");
    Reset->setStyleSheet(
        threeStateSheet(folder, textColor, "Reset.png", "ResetHover.png", "ResetClick.png"));
    Reset->setGeometry(580, 350, 90, 26);
    fix(Reset, 90, 26);
    Reset->setFont(Theme::Font(10));

    retranslateUi(form);
    // The debounce page has no layout to run.
    stackedWidget_2->setCurrentIndex(DebouncePage);
    QMetaObject::connectSlotsByName(form);
}

void Ui_Buttoninterface::retranslateUi(QWidget *form)
{
    const auto tr = [](const char *text) {
        return QCoreApplication::translate("Buttoninterface", text);
    };
    form->setWindowTitle(tr("Form"));
    label->setText(QString());
    for (const Mark &mark : Marks)
        (this->*mark.member)->setText(QString::number(&mark - Marks + 1));
    for (const Row &row : Rows)
        (this->*row.label)->setText(QString::number(&row - Rows + 1));
    groupBox->setTitle(QString());
    groupBox_4->setTitle(QString());
    groupBox_2->setTitle(QString());
    for (const NamedButton &text : DefaultTexts)
        (this->*text.member)->setText(tr(text.name));
    DPI_6->setText(tr("火力键"));
    DPI_8->setText(tr("组合键"));
    for (const NamedButton &text : DpiLockOrder)
        (this->*text.member)->setText(tr(text.name));
    label_3->setText(tr("按钮防抖时间"));
}
