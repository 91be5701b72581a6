#include "settings/ui_formsetting.h"

#include "sensor/stopclosetime.h"
#include "shell/widgets/formparts.h"
#include "shell/widgets/mybutton.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/theme.h"

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

// The bullet in front of a section's heading.
QToolButton *title(QWidget *parent, const char *name, int x, int y)
{
    auto *button = FormParts::Make<QToolButton>(parent, name, {x, y, 16, 10});
    button->setEnabled(false);
    button->setFixedSize(16, 10);
    button->setAutoRaise(true);
    return button;
}

QFrame *separator(QWidget *parent, const char *name, int y)
{
    return FormParts::GreyLine(parent, name, {40, y, 781, 1});
}

// A read-only text beside a check box, drawn on the page's own background.
QTextEdit *explanation(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *text = FormParts::Make<QTextEdit>(parent, name, geometry);
    text->setFont(Theme::Font(9));
    text->setReadOnly(true);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return text;
}

// A check box used as one of the LED radios; its text is drawn white in every colour group.
QCheckBox *radio(QWidget *parent, const char *name, int y)
{
    auto *box = FormParts::Make<QCheckBox>(parent, name, {70, y, 16, 31});
    box->setFont(Theme::Font(9));
    FormParts::UseWhiteText(box);
    return box;
}

} // namespace

void Ui_FormSetting::setupUi(QWidget *page)
{
    if (page->objectName().isEmpty())
        page->setObjectName(QStringLiteral("FormSetting"));
    page->resize(883, 630);

    FrameSetting = FormParts::Make<QFrame>(page, "FrameSetting", {0, 0, 883, 630});
    FrameSetting->setFrameShape(QFrame::StyledPanel);
    FrameSetting->setFrameShadow(QFrame::Raised);
    FrameSetting->setStyleSheet(QStringLiteral(
        "#FrameSetting{border:none;}"
        "QScrollBar:vertical{width:13px;background:transparent;margin:0px;}"
        "QScrollBar::handle:vertical{background:rgb(110,110,110);border-radius:4px;"
        "min-height:40px;margin:2px 3px;}"
        "QScrollBar::add-line:vertical,QScrollBar::sub-line:vertical{height:0px;}"
        "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:transparent;}"));
    scrollArea = FormParts::Make<QScrollArea>(FrameSetting, "scrollArea", {0, 0, 880, 630});
    scrollArea->setFixedSize(880, 630);
    scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrollArea->setWidgetResizable(true);
    scrollAreaWidgetContents =
        FormParts::Make<QWidget>(scrollArea, "scrollAreaWidgetContents", {0, 0, 880, 630});
    // Placed in the scroll area while still empty: moving it there filled would resolve the
    // style of every widget on it again.
    scrollArea->setWidget(scrollAreaWidgetContents);
    QWidget *c = scrollAreaWidgetContents;

    label = FormParts::Label(c, "label", {600, 20, 251, 20}, 9);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    line = separator(c, "line", 95);

    TitleButton_2 = title(c, "TitleButton_2", 40, 20);
    label_2 = FormParts::Label(c, "label_2", {70, 13, 131, 24}, 11);
    comboBox = FormParts::Make<MyConmboBox>(c, "comboBox", {40, 50, 142, 30});
    comboBox->setFont(Theme::Font(10));
    comboBox->setMaxVisibleItems(5);

    TitleButton_3 = title(c, "TitleButton_3", 40, 120);
    label_3 = FormParts::Label(c, "label_3", {70, 113, 400, 24}, 11);
    label_4 = FormParts::Label(c, "label_4", {40, 155, 160, 20}, 9);
    label_5 = FormParts::Label(c, "label_5", {230, 155, 200, 20}, 9);
    label_6 = FormParts::Label(c, "label_6", {40, 185, 160, 20}, 9);
    label_7 = FormParts::Label(c, "label_7", {230, 185, 200, 20}, 9);
    Receive_2 = FormParts::Make<QToolButton>(c, "Receive_2", {230, 170, 128, 26});
    Receive_2->setFont(Theme::Font(10));
    toolButton_2 = FormParts::Make<QToolButton>(c, "toolButton_2", {460, 160, 14, 14});
    toolButton_3 = FormParts::Make<QToolButton>(c, "toolButton_3", {460, 190, 14, 14});
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(11);
    for (QToolButton *marker : {toolButton_2, toolButton_3}) {
        marker->setEnabled(false);
        marker->setFont(arial);
    }
    NewLabel = FormParts::Make<QTextEdit>(c, "NewLabel", {37, 213, 821, 37});
    NewLabel->setReadOnly(true);
    NewLabel->setFont(Theme::Font(9));
    NewLabel->setStyleSheet(QStringLiteral("color: rgb(255, 106, 0);"));
    line_2 = separator(c, "line_2", 250);

    TitleButton_4 = title(c, "TitleButton_4", 40, 260);
    label_8 = FormParts::Label(c, "label_8", {70, 253, 400, 24}, 11);
    pushButton_2 = FormParts::Make<QPushButton>(c, "pushButton_2", {40, 290, 112, 26});
    pushButton_2->setFont(Theme::Font(10));
    line_3 = separator(c, "line_3", 325);

    TitleButton_8 = title(c, "TitleButton_8", 40, 335);
    label_12 = FormParts::Label(c, "label_12", {70, 328, 400, 24}, 11);
    label_12->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));
    label_13 = FormParts::Label(c, "label_13", {70, 370, 161, 61}, 9);
    label_13->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_13->setWordWrap(true);
    label_13->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));
    frameClose = new StopCloseTime(c);
    frameClose->setObjectName(QStringLiteral("frameClose"));
    frameClose->setGeometry(250, 365, 145, 35);
    frameClose->setFrameShape(QFrame::StyledPanel);
    frameClose->setFrameShadow(QFrame::Raised);

    TitleButton_5 = title(c, "TitleButton_5", 40, 430);
    label_9 = FormParts::Label(c, "label_9", {70, 343, 400, 24}, 11);
    checkBox = FormParts::Make<QCheckBox>(c, "checkBox", {40, 380, 21, 17});
    label_10 = FormParts::Label(c, "label_10", {70, 380, 351, 16}, 9);
    toolButton = FormParts::Make<QToolButton>(c, "toolButton", {40, 420, 14, 20});
    pushButton = FormParts::Make<MyButton>(c, "pushButton", {60, 420, 291, 20});
    QFont underlined = Theme::Font(11);
    underlined.setUnderline(true);
    pushButton->setFont(underlined);
    line_4 = separator(c, "line_4", 455);

    TitleButton_6 = title(c, "TitleButton_6", 40, 480);
    label_11 = FormParts::Label(c, "label_11", {70, 473, 400, 24}, 11);
    checkBox_2 = FormParts::Make<QCheckBox>(c, "checkBox_2", {40, 510, 21, 17});
    textEdit = explanation(c, "textEdit", {65, 505, 701, 51});
    textEdit->setEnabled(false);
    textEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    TitleButton_7 = title(c, "TitleButton_7", 40, 560);
    label_14 = FormParts::Label(c, "label_14", {70, 553, 400, 24}, 11);
    ReUntil = radio(c, "ReUntil", 580);
    ReUntil_2 = radio(c, "ReUntil_2", 620);
    ReUntil_3 = radio(c, "ReUntil_3", 660);
    textEdit_2 = explanation(c, "textEdit_2", {90, 580, 731, 41});
    textEdit_3 = explanation(c, "textEdit_3", {90, 620, 731, 41});
    textEdit_4 = explanation(c, "textEdit_4", {90, 660, 731, 41});
    line_5 = separator(c, "line_5", 705);

    pushButton_4 = FormParts::Make<QPushButton>(c, "pushButton_4", {490, 640, 371, 23});
    pushButton_4->setFont(Theme::Font(11));
    pushButton_3 = FormParts::Make<MyButton>(c, "pushButton_3", {610, 620, 251, 23});
    QFont italic = Theme::Font(11);
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
