#include "macro/ui_macro.h"

#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/pageframe.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

namespace {

// Every widget's place inside the page frame.
const struct
{
    const char *name;
    QRect geometry;
} Places[] = {
    {"label", {70, 60, 141, 17}},
    {"listWidgetHong", {70, 87, 261, 421}},
    {"label_2", {350, 60, 201, 17}},
    {"listWidgetKey", {350, 87, 261, 421}},
    {"StartRecord", {637, 57, 190, 32}},
    {"StopRecord", {637, 57, 190, 32}},
    {"AutoInsertDelay", {640, 100, 20, 20}},
    {"AutoInsertDelayLabel", {660, 100, 201, 41}},
    {"DefaultDelay", {640, 142, 211, 20}},
    {"DelayTime", {660, 167, 76, 30}},
    {"ReUntilLoose", {640, 217, 21, 20}},
    {"ReUntilLooseLabel", {660, 215, 201, 41}},
    {"ReUntilClick", {640, 257, 21, 20}},
    {"ReUntilClickLabel", {660, 255, 201, 41}},
    {"ReUntil", {640, 297, 16, 17}},
    {"ReUntilLabel", {660, 295, 201, 41}},
    {"ReNumber", {640, 337, 191, 17}},
    {"NumberEdit", {660, 362, 76, 30}},
    {"label_3", {640, 407, 181, 16}},
    {"ChooseEvent", {640, 432, 181, 30}},
    {"Save", {640, 477, 116, 30}},
    {"NewHong", {70, 530, 116, 30}},
    {"DeleteHong", {200, 530, 116, 30}},
    {"Amend", {350, 530, 116, 30}},
    {"DeleteKey", {485, 530, 116, 30}},
};

QFont pageFont(int points, const QString &family = QStringLiteral("微软雅黑"))
{
    QFont font;
    font.setFamily(family);
    font.setPointSize(points);
    return font;
}

template <typename T>
T *make(QWidget *parent, const char *name, int points = 11)
{
    auto *widget = new T(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setFont(pageFont(points));
    return widget;
}

// White text whether the widget is active, inactive or disabled.
void whiteText(QWidget *widget)
{
    QPalette palette = widget->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(group, role, Qt::white);
    }
    widget->setPalette(palette);
}

QListWidget *makeList(QWidget *parent, const char *name, Qt::FocusPolicy focus)
{
    auto *list = make<QListWidget>(parent, name);
    list->setFocusPolicy(focus);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return list;
}

QLabel *makeExplanation(QWidget *parent, const char *name)
{
    auto *label = make<QLabel>(parent, name, 10);
    label->setAlignment(Qt::AlignLeading | Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

QSpinBox *makeSpinBox(QWidget *parent, const char *name, int minimum, int maximum)
{
    auto *box = make<QSpinBox>(parent, name);
    box->setFont(pageFont(12, QStringLiteral("Arial")));
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
    auto *button = make<QToolButton>(parent, name);
    button->setFixedSize(116, 30);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QPushButton *makeRecordButton(QWidget *parent, const char *name)
{
    auto *button = make<QPushButton>(parent, name, 9);
    button->setFixedSize(190, 32);
    return button;
}

} // namespace

void Ui_Macro::setupUi(QWidget *page)
{
    MacroPage = PageFrame::build(page, "Macro", "MacroPage", &gridLayout);

    label = make<QLabel>(MacroPage, "label");
    whiteText(label);
    listWidgetHong = makeList(MacroPage, "listWidgetHong", Qt::ClickFocus);
    listWidgetHong->setContextMenuPolicy(Qt::CustomContextMenu);
    listWidgetHong->setAutoScroll(true);
    label_2 = make<QLabel>(MacroPage, "label_2");
    whiteText(label_2);
    listWidgetKey = makeList(MacroPage, "listWidgetKey", Qt::NoFocus);
    StartRecord = makeRecordButton(MacroPage, "StartRecord");
    StopRecord = makeRecordButton(MacroPage, "StopRecord");

    AutoInsertDelay = make<QCheckBox>(MacroPage, "AutoInsertDelay");
    AutoInsertDelay->setFocusPolicy(Qt::NoFocus);
    AutoInsertDelayLabel = makeExplanation(MacroPage, "AutoInsertDelayLabel");
    DefaultDelay = make<QCheckBox>(MacroPage, "DefaultDelay", 10);
    whiteText(DefaultDelay);
    DelayTime = makeSpinBox(MacroPage, "DelayTime", 10, 99999);

    ReUntilLoose = make<QCheckBox>(MacroPage, "ReUntilLoose");
    ReUntilLooseLabel = makeExplanation(MacroPage, "ReUntilLooseLabel");
    ReUntilClick = make<QCheckBox>(MacroPage, "ReUntilClick");
    whiteText(ReUntilClick);
    ReUntilClick->setFocusPolicy(Qt::NoFocus);
    ReUntilClickLabel = makeExplanation(MacroPage, "ReUntilClickLabel");
    ReUntil = make<QCheckBox>(MacroPage, "ReUntil");
    whiteText(ReUntil);
    ReUntil->setChecked(false);
    ReUntilLabel = makeExplanation(MacroPage, "ReUntilLabel");
    ReNumber = make<QCheckBox>(MacroPage, "ReNumber", 10);
    whiteText(ReNumber);
    ReNumber->setChecked(true);
    NumberEdit = makeSpinBox(MacroPage, "NumberEdit", 1, 250);

    label_3 = make<QLabel>(MacroPage, "label_3");
    label_3->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));
    ChooseEvent = make<MyConmboBox>(MacroPage, "ChooseEvent");
    ChooseEvent->setMinimumSize(40, 30);
    ChooseEvent->setFocusPolicy(Qt::NoFocus);
    for (int i = 0; i < 9; ++i)
        ChooseEvent->addItem(QString());

    Save = make<QToolButton>(MacroPage, "Save");
    Save->setAutoRaise(true);
    NewHong = makeListButton(MacroPage, "NewHong");
    DeleteHong = makeListButton(MacroPage, "DeleteHong");
    Amend = makeListButton(MacroPage, "Amend");
    DeleteKey = makeListButton(MacroPage, "DeleteKey");

    for (const auto &place : Places)
        MacroPage->findChild<QWidget *>(QLatin1String(place.name))->setGeometry(place.geometry);

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
