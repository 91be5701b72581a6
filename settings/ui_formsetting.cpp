#include "settings/ui_formsetting.h"

#include "sensor/stopclosetime.h"
#include "settings/settingstheme.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/widgets/mybutton.h"
#include "shell/widgets/myconmbobox.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTextEdit>
#include <QToolButton>

namespace {

// Where the design puts the sections below the sleep time.
constexpr int DesignSectionOffset = 80;

template <typename W>
W *make(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *widget = new W(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}

QLabel *makeLabel(QWidget *parent, const char *name, const QRect &geometry, int points)
{
    auto *made = make<QLabel>(parent, name, geometry);
    made->setFont(NoticeFrame::font(points));
    return made;
}

// The bullet in front of a section's heading.
QToolButton *title(QWidget *parent, const char *name, int x, int y)
{
    auto *button = make<QToolButton>(parent, name, {x, y, 16, 10});
    button->setEnabled(false);
    button->setFixedSize(16, 10);
    button->setAutoRaise(true);
    return button;
}

QFrame *separator(QWidget *parent, const char *name, int y)
{
    auto *line = make<QFrame>(parent, name, {40, y, 781, 1});
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    // Drawn in the separators' grey: the frame's own shading does not show on the dark page.
    line->setStyleSheet(QStringLiteral("background-color: rgb(57, 57, 57);"));
    return line;
}

// A read-only text beside a check box, drawn on the page's own background.
QTextEdit *explanation(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *text = make<QTextEdit>(parent, name, geometry);
    text->setFont(NoticeFrame::font(9));
    text->setReadOnly(true);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return text;
}

// A check box used as one of the LED radios; its text is drawn white in every colour group.
QCheckBox *radio(QWidget *parent, const char *name, int y)
{
    auto *box = make<QCheckBox>(parent, name, {70, y, 16, 31});
    box->setFont(NoticeFrame::font(9));
    SettingsTheme::UseWhiteText(box);
    return box;
}

} // namespace

void Ui_FormSetting::setupUi(QWidget *page)
{
    if (page->objectName().isEmpty())
        page->setObjectName(QStringLiteral("FormSetting"));
    page->resize(883, 630);

    FrameSetting = make<QFrame>(page, "FrameSetting", {0, 0, 883, 630});
    FrameSetting->setFrameShape(QFrame::StyledPanel);
    FrameSetting->setFrameShadow(QFrame::Raised);
    FrameSetting->setStyleSheet(QStringLiteral(
        "#FrameSetting{border:none;}"
        "QScrollBar:vertical{width:13px;background:transparent;margin:0px;}"
        "QScrollBar::handle:vertical{background:rgb(110,110,110);border-radius:4px;"
        "min-height:40px;margin:2px 3px;}"
        "QScrollBar::add-line:vertical,QScrollBar::sub-line:vertical{height:0px;}"
        "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:transparent;}"));
    scrollArea = make<QScrollArea>(FrameSetting, "scrollArea", {0, 0, 880, 630});
    scrollArea->setFixedSize(880, 630);
    scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea->setWidgetResizable(true);
    scrollAreaWidgetContents =
        make<QWidget>(scrollArea, "scrollAreaWidgetContents", {0, 0, 880, 630});
    // Placed in the scroll area while still empty: moving it there filled would resolve the
    // style of every widget on it again.
    scrollArea->setWidget(scrollAreaWidgetContents);
    QWidget *c = scrollAreaWidgetContents;

    label = makeLabel(c, "label", {600, 20, 251, 20}, 9);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    line = separator(c, "line", 95);

    TitleButton_2 = title(c, "TitleButton_2", 40, 20);
    label_2 = makeLabel(c, "label_2", {70, 13, 131, 24}, 11);
    comboBox = make<MyConmboBox>(c, "comboBox", {40, 50, 142, 30});
    comboBox->setFont(NoticeFrame::font(10));
    comboBox->setMaxVisibleItems(5);

    TitleButton_3 = title(c, "TitleButton_3", 40, 120);
    label_3 = makeLabel(c, "label_3", {70, 113, 400, 24}, 11);
    label_4 = makeLabel(c, "label_4", {40, 155, 160, 20}, 9);
    label_5 = makeLabel(c, "label_5", {230, 155, 200, 20}, 9);
    label_6 = makeLabel(c, "label_6", {40, 185, 160, 20}, 9);
    label_7 = makeLabel(c, "label_7", {230, 185, 200, 20}, 9);
    Receive_2 = make<QToolButton>(c, "Receive_2", {230, 170, 128, 26});
    Receive_2->setFont(NoticeFrame::font(10));
    toolButton_2 = make<QToolButton>(c, "toolButton_2", {460, 160, 14, 14});
    toolButton_3 = make<QToolButton>(c, "toolButton_3", {460, 190, 14, 14});
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(11);
    for (QToolButton *marker : {toolButton_2, toolButton_3}) {
        marker->setEnabled(false);
        marker->setFont(arial);
    }
    NewLabel = make<QTextEdit>(c, "NewLabel", {37, 213, 821, 37});
    NewLabel->setReadOnly(true);
    NewLabel->setFont(NoticeFrame::font(9));
    NewLabel->setStyleSheet(QStringLiteral("color: rgb(255, 106, 0);"));
    line_2 = separator(c, "line_2", 250);

    TitleButton_4 = title(c, "TitleButton_4", 40, 260);
    label_8 = makeLabel(c, "label_8", {70, 253, 400, 24}, 11);
    pushButton_2 = make<QPushButton>(c, "pushButton_2", {40, 290, 112, 26});
    pushButton_2->setFont(NoticeFrame::font(10));
    line_3 = separator(c, "line_3", 325);

    TitleButton_8 = title(c, "TitleButton_8", 40, 335);
    label_12 = makeLabel(c, "label_12", {70, 328, 400, 24}, 11);
    label_12->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));
    label_13 = makeLabel(c, "label_13", {70, 370, 161, 61}, 9);
    label_13->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_13->setWordWrap(true);
    label_13->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));
    frameClose = new StopCloseTime(c);
    frameClose->setObjectName(QStringLiteral("frameClose"));
    frameClose->setGeometry(250, 365, 145, 35);
    frameClose->setFrameShape(QFrame::StyledPanel);
    frameClose->setFrameShadow(QFrame::Raised);

    TitleButton_5 = title(c, "TitleButton_5", 40, 430);
    label_9 = makeLabel(c, "label_9", {70, 343, 400, 24}, 11);
    checkBox = make<QCheckBox>(c, "checkBox", {40, 380, 21, 17});
    label_10 = makeLabel(c, "label_10", {70, 380, 351, 16}, 9);
    toolButton = make<QToolButton>(c, "toolButton", {40, 420, 14, 20});
    pushButton = make<MyButton>(c, "pushButton", {60, 420, 291, 20});
    QFont underlined = NoticeFrame::font(11);
    underlined.setUnderline(true);
    pushButton->setFont(underlined);
    line_4 = separator(c, "line_4", 455);

    TitleButton_6 = title(c, "TitleButton_6", 40, 480);
    label_11 = makeLabel(c, "label_11", {70, 473, 400, 24}, 11);
    checkBox_2 = make<QCheckBox>(c, "checkBox_2", {40, 510, 21, 17});
    textEdit = explanation(c, "textEdit", {65, 505, 701, 51});
    textEdit->setEnabled(false);
    textEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    TitleButton_7 = title(c, "TitleButton_7", 40, 560);
    label_14 = makeLabel(c, "label_14", {70, 553, 400, 24}, 11);
    ReUntil = radio(c, "ReUntil", 580);
    ReUntil_2 = radio(c, "ReUntil_2", 620);
    ReUntil_3 = radio(c, "ReUntil_3", 660);
    textEdit_2 = explanation(c, "textEdit_2", {90, 580, 731, 41});
    textEdit_3 = explanation(c, "textEdit_3", {90, 620, 731, 41});
    textEdit_4 = explanation(c, "textEdit_4", {90, 660, 731, 41});
    line_5 = separator(c, "line_5", 705);

    pushButton_4 = make<QPushButton>(c, "pushButton_4", {490, 640, 371, 23});
    pushButton_4->setFont(NoticeFrame::font(11));
    pushButton_3 = make<MyButton>(c, "pushButton_3", {610, 620, 251, 23});
    QFont italic = NoticeFrame::font(11);
    italic.setItalic(true);
    pushButton_3->setFont(italic);

    placeSections(DesignSectionOffset);
    for (QWidget *widget : page->findChildren<QWidget *>())
        widget->setFocusPolicy(Qt::NoFocus);

    retranslateUi(page);
    QMetaObject::connectSlotsByName(page);
}

void Ui_FormSetting::retranslateUi(QWidget *page)
{
    page->setWindowTitle(QStringLiteral("Form"));
    label->setText(QStringLiteral("版本 1.2.0"));
    label_2->setText(QStringLiteral("语言"));
    comboBox->clear();
    comboBox->addItems({QStringLiteral("English"), QStringLiteral("Ukrainian")});
    label_3->setText(QStringLiteral("设备信息"));
    label_4->setText(QStringLiteral("接收器固件版本:"));
    label_6->setText(QStringLiteral("鼠标固件版本:"));
    Receive_2->setText(QStringLiteral("更新"));
    label_8->setText(QStringLiteral("配对"));
    pushButton_2->setText(QStringLiteral("配对"));
    label_12->setText(QStringLiteral("休眠时间"));
    label_13->setText(QStringLiteral("鼠标在此时间内未使用时进入休眠"));
    label_9->setText(QStringLiteral("其他"));
    label_10->setText(QStringLiteral("开机启动"));
    // The mouse picture is the button; a caption would be drawn over it.
    toolButton->setText(QString());
    pushButton->setText(QStringLiteral("打开系统鼠标设置"));
    label_11->setText(QStringLiteral("远距离模式"));
    label_14->setText(QStringLiteral("选择接收器上的LED指示灯所传达的信息"));
    for (QToolButton *button :
         {TitleButton_2, TitleButton_3, TitleButton_4, TitleButton_5, TitleButton_6, TitleButton_7,
          TitleButton_8, toolButton_2, toolButton_3})
        button->setText(QString());
    for (QCheckBox *box : {checkBox, checkBox_2, ReUntil, ReUntil_2, ReUntil_3})
        box->setText(QString());
}

void Ui_FormSetting::placeSections(int offset)
{
    // Design places, before the offset; the separators move with the sections they separate.
    const struct
    {
        QWidget *widget;
        int x;
        int y;
    } shifted[] = {
        {label_9, 70, 343},       {checkBox, 40, 380},      {label_10, 70, 380},
        {toolButton, 40, 420},    {pushButton, 60, 420},    {line_4, 40, 455},
        {TitleButton_6, 40, 480}, {label_11, 70, 473},      {checkBox_2, 40, 510},
        {textEdit, 65, 505},      {TitleButton_7, 40, 560}, {label_14, 70, 553},
        {ReUntil, 70, 580},       {textEdit_2, 90, 580},    {ReUntil_2, 70, 620},
        {textEdit_3, 90, 620},    {ReUntil_3, 70, 660},     {textEdit_4, 90, 660},
        {line_5, 40, 705},
    };
    for (const auto &placed : shifted)
        placed.widget->move(placed.x, offset + placed.y);
}

QList<QWidget *> Ui_FormSetting::longRangeSection() const
{
    return {TitleButton_6, label_11, checkBox_2, textEdit};
}

QList<QWidget *> Ui_FormSetting::ledSection() const
{
    return {TitleButton_7, label_14,   ReUntil,    ReUntil_2,
            ReUntil_3,     textEdit_2, textEdit_3, textEdit_4};
}
