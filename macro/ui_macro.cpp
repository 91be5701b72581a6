#include "macro/ui_macro.h"

#include "shell/widgets/formparts.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/pageframe.h"
#include "shell/widgets/theme.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

namespace {

// Every widget's place inside the page frame, and the points of its font; the number boxes (0)
// keep the font they are made with.
const struct
{
    const char *name;
    QRect geometry;
    int points;
} Places[] = {
    {"label", {70, 60, 141, 17}, 11},
    {"listWidgetHong", {70, 87, 261, 421}, 11},
    {"label_2", {350, 60, 201, 17}, 11},
    {"listWidgetKey", {350, 87, 261, 421}, 11},
    {"StartRecord", {637, 57, 190, 32}, 9},
    {"StopRecord", {637, 57, 190, 32}, 9},
    {"AutoInsertDelay", {640, 100, 20, 20}, 11},
    {"AutoInsertDelayLabel", {660, 100, 201, 41}, 10},
    {"DefaultDelay", {640, 142, 211, 20}, 10},
    {"DelayTime", {660, 167, 76, 30}, 0},
    {"ReUntilLoose", {640, 217, 21, 20}, 11},
    {"ReUntilLooseLabel", {660, 215, 201, 41}, 10},
    {"ReUntilClick", {640, 257, 21, 20}, 11},
    {"ReUntilClickLabel", {660, 255, 201, 41}, 10},
    {"ReUntil", {640, 297, 16, 17}, 11},
    {"ReUntilLabel", {660, 295, 201, 41}, 10},
    {"ReNumber", {640, 337, 191, 17}, 10},
    {"NumberEdit", {660, 362, 76, 30}, 0},
    {"label_3", {640, 407, 181, 16}, 11},
    {"ChooseEvent", {640, 432, 181, 30}, 11},
    {"Save", {640, 477, 116, 30}, 11},
    {"NewHong", {70, 530, 116, 30}, 11},
    {"DeleteHong", {200, 530, 116, 30}, 11},
    {"Amend", {350, 530, 116, 30}, 11},
    {"DeleteKey", {485, 530, 116, 30}, 11},
};

using FormParts::Make;
using FormParts::UseWhiteText;

QListWidget *makeList(QWidget *parent, const char *name, Qt::FocusPolicy focus)
{
    auto *list = Make<QListWidget>(parent, name);
    list->setFocusPolicy(focus);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return list;
}

QLabel *makeExplanation(QWidget *parent, const char *name)
{
    auto *label = Make<QLabel>(parent, name);
    label->setAlignment(Qt::AlignLeading | Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

QSpinBox *makeSpinBox(QWidget *parent, const char *name, int minimum, int maximum)
{
    auto *box = Make<QSpinBox>(parent, name);
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(12);
    box->setFont(arial);
    box->setAlignment(Qt::AlignCenter);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    box->setFocusPolicy(Qt::ClickFocus);
    box->setRange(minimum, maximum);
    box->setValue(minimum);
    box->setStyleSheet(QStringLiteral(
        "QSpinBox{color: rgb(255, 255, 255);background-color: rgb(91, 91, 91);border: none;}"));
    return box;
}

QToolButton *makeListButton(QWidget *parent, const char *name)
{
    auto *button = Make<QToolButton>(parent, name);
    button->setFixedSize(116, 30);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QPushButton *makeRecordButton(QWidget *parent, const char *name)
{
    auto *button = Make<QPushButton>(parent, name);
    button->setFixedSize(190, 32);
    return button;
}

} // namespace

void Ui_Macro::setupUi(QWidget *page)
{
    MacroPage = PageFrame::build(page, "Macro", "MacroPage", &gridLayout);

    label = Make<QLabel>(MacroPage, "label");
    UseWhiteText(label);
    listWidgetHong = makeList(MacroPage, "listWidgetHong", Qt::ClickFocus);
    listWidgetHong->setContextMenuPolicy(Qt::CustomContextMenu);
    listWidgetHong->setAutoScroll(true);
    label_2 = Make<QLabel>(MacroPage, "label_2");
    UseWhiteText(label_2);
    listWidgetKey = makeList(MacroPage, "listWidgetKey", Qt::NoFocus);
    StartRecord = makeRecordButton(MacroPage, "StartRecord");
    StopRecord = makeRecordButton(MacroPage, "StopRecord");

    AutoInsertDelay = Make<QCheckBox>(MacroPage, "AutoInsertDelay");
    AutoInsertDelay->setFocusPolicy(Qt::NoFocus);
    AutoInsertDelayLabel = makeExplanation(MacroPage, "AutoInsertDelayLabel");
    DefaultDelay = Make<QCheckBox>(MacroPage, "DefaultDelay");
    UseWhiteText(DefaultDelay);
    DelayTime = makeSpinBox(MacroPage, "DelayTime", 10, 99999);

    ReUntilLoose = Make<QCheckBox>(MacroPage, "ReUntilLoose");
    ReUntilLooseLabel = makeExplanation(MacroPage, "ReUntilLooseLabel");
    ReUntilClick = Make<QCheckBox>(MacroPage, "ReUntilClick");
    UseWhiteText(ReUntilClick);
    ReUntilClick->setFocusPolicy(Qt::NoFocus);
    ReUntilClickLabel = makeExplanation(MacroPage, "ReUntilClickLabel");
    ReUntil = Make<QCheckBox>(MacroPage, "ReUntil");
    UseWhiteText(ReUntil);
    ReUntil->setChecked(false);
    ReUntilLabel = makeExplanation(MacroPage, "ReUntilLabel");
    ReNumber = Make<QCheckBox>(MacroPage, "ReNumber");
    UseWhiteText(ReNumber);
    ReNumber->setChecked(true);
    NumberEdit = makeSpinBox(MacroPage, "NumberEdit", 1, 250);

    label_3 = Make<QLabel>(MacroPage, "label_3");
    label_3->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));
    ChooseEvent = Make<MyConmboBox>(MacroPage, "ChooseEvent");
    ChooseEvent->setMinimumSize(40, 30);
    ChooseEvent->setFocusPolicy(Qt::NoFocus);
    for (int i = 0; i < 9; ++i)
        ChooseEvent->addItem(QString());

    Save = Make<QToolButton>(MacroPage, "Save");
    Save->setAutoRaise(true);
    NewHong = makeListButton(MacroPage, "NewHong");
    DeleteHong = makeListButton(MacroPage, "DeleteHong");
    Amend = makeListButton(MacroPage, "Amend");
    DeleteKey = makeListButton(MacroPage, "DeleteKey");

    for (const auto &place : Places) {
        auto *widget = MacroPage->findChild<QWidget *>(QLatin1String(place.name));
        widget->setGeometry(place.geometry);
        if (place.points > 0)
            widget->setFont(Theme::Font(place.points));
    }

    retranslateUi(page);
    QMetaObject::connectSlotsByName(page);
}

void Ui_Macro::retranslateUi(QWidget *page)
{
    page->setWindowTitle(QStringLiteral("Form"));
    label->setText(QStringLiteral("宏列表"));
    label_2->setText(QStringLiteral("按键列表"));
    StartRecord->setText(QStringLiteral("开始录制宏"));
    StopRecord->setText(QStringLiteral("停止录制宏"));
    AutoInsertDelay->setText(QString());
    AutoInsertDelayLabel->setText(QStringLiteral("TextLabel"));
    DefaultDelay->setText(QStringLiteral("默认延时"));
    ReUntilLoose->setText(QString());
    ReUntilLooseLabel->setText(QStringLiteral("TextLabel"));
    ReUntilClick->setText(QString());
    ReUntilClickLabel->setText(QStringLiteral("TextLabel"));
    ReUntil->setText(QString());
    ReUntilLabel->setText(QStringLiteral("TextLabel"));
    ReNumber->setText(QStringLiteral("循环次数"));
    label_3->setText(QStringLiteral("插入事件"));
    const QString events[] = {QString(),
                              QStringLiteral("按键按下"),
                              QStringLiteral("按键释放"),
                              QStringLiteral("延时"),
                              QStringLiteral("左键"),
                              QStringLiteral("右键"),
                              QStringLiteral("中键"),
                              QStringLiteral("前进键"),
                              QStringLiteral("后退键")};
    for (int i = 0; i < 9; ++i)
        ChooseEvent->setItemText(i, events[i]);
    Save->setText(QStringLiteral("..."));
    NewHong->setText(QStringLiteral("新建宏"));
    DeleteHong->setText(QStringLiteral("删除"));
    Amend->setText(QStringLiteral("修改"));
    DeleteKey->setText(QStringLiteral("删除"));
}
