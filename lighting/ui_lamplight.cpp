#include "lighting/ui_lamplight.h"

#include "lighting/lightform.h"
#include "sensor/stopclosetime.h"
#include "shell/widgets/formparts.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/theme.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <QWidget>

using namespace LightForm;

namespace {

QSpinBox *stepNumber(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *box = FormParts::Make<QSpinBox>(parent, name, geometry);
    box->setRange(1, 10);
    box->setReadOnly(true);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    box->setAlignment(Qt::AlignCenter);
    box->setFocusPolicy(Qt::NoFocus);
    box->setFont(Theme::Font(11));
    return box;
}

} // namespace

void Ui_LampLight::setupUi(QWidget *page)
{
    if (page->objectName().isEmpty())
        page->setObjectName(QStringLiteral("LampLight"));
    page->resize(883, 630);
    page->setMaximumSize(883, 630);
    gridLayout = new QGridLayout(page);
    gridLayout->setObjectName(QStringLiteral("gridLayout"));
    gridLayout->setSpacing(0);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    LightPage = new QFrame(page);
    LightPage->setObjectName(QStringLiteral("LightPage"));
    LightPage->setFrameShape(QFrame::StyledPanel);
    LightPage->setFrameShadow(QFrame::Raised);
    gridLayout->addWidget(LightPage, 0, 0, 1, 1);

    line = FormParts::GreyLine(LightPage, "line", {68, 225, 281, 3});
    line_2 = FormParts::GreyLine(LightPage, "line_2", {68, 309, 281, 3});
    LightMod = new MyConmboBox(LightPage);
    LightMod->setObjectName(QStringLiteral("LightMod"));
    LightMod->setGeometry(67, 112, 308, 34);
    LightMod->setFixedSize(308, 34);
    LightMod->setFocusPolicy(Qt::NoFocus);
    LightMod->setFont(Theme::Font(11));
    for (int i = 0; i < 6; ++i)
        LightMod->addItem(QString());

    label = FormParts::Label(LightPage, "label", {68, 80, 241, 21}, 11);
    label_2 = FormParts::Label(LightPage, "label_2", {67, 173, 161, 21}, 11);
    horizontalLight = addStepSlider(LightPage, "horizontalLight", {67, 215, 281, 25});
    horizontalLight->setMinimumSize(25, 25);
    horizontalLight->setMaximumSize(316, 22);
    LightSpinBox_2 = stepNumber(LightPage, "LightSpinBox_2", {350, 218, 38, 20});
    label_3 = FormParts::Label(LightPage, "label_3", {68, 259, 191, 21}, 11);
    horizontalSpeed = addStepSlider(LightPage, "horizontalSpeed", {68, 300, 281, 25});
    SpeedSpinBox_2 = stepNumber(LightPage, "SpeedSpinBox_2", {350, 300, 38, 20});
    label_4 = FormParts::Label(LightPage, "label_4", {130, 360, 261, 31}, 11);
    RippeControl = new QToolButton(LightPage);
    RippeControl->setObjectName(QStringLiteral("RippeControl"));
    RippeControl->setGeometry(68, 368, 36, 18);
    RippeControl->setFixedSize(36, 18);
    RippeControl->setCheckable(true);
    RippeControl->setAutoRaise(false);
    RippeControl->setFocusPolicy(Qt::NoFocus);
    label_5 = FormParts::Label(LightPage, "label_5", {68, 425, 161, 61}, 11);
    label_5->setAlignment(Qt::AlignLeading | Qt::AlignLeft | Qt::AlignTop);
    label_5->setWordWrap(true);
    frameClose = new StopCloseTime(LightPage);
    frameClose->setObjectName(QStringLiteral("frameClose"));
    frameClose->setGeometry(235, 420, 145, 35);
    frameClose->setFrameShape(QFrame::StyledPanel);
    frameClose->setFrameShadow(QFrame::Raised);

    label_6 = FormParts::Label(LightPage, "label_6", {449, 80, 321, 20}, 11);
    label_7 = FormParts::Label(LightPage, "label_7", {448, 112, 308, 34}, 11);
    label_7->setMinimumSize(308, 34);
    label_8 = FormParts::Label(LightPage, "label_8", {449, 197, 261, 17}, 11);
    labelPreView = FormParts::Label(LightPage, "labelPreView", {450, 238, 60, 60}, 11);
    labelPreView->setFixedSize(60, 60);
    labelPreView->setScaledContents(true);
    labelPreView->setAlignment(Qt::AlignCenter);
    label_11 = FormParts::Label(LightPage, "label_11", {572, 220, 16, 17}, 11);
    label_10 = FormParts::Label(LightPage, "label_10", {572, 258, 16, 17}, 11);
    label_12 = FormParts::Label(LightPage, "label_12", {572, 295, 15, 17}, 11);
    ReduceR = addStepButton(LightPage, "ReduceR", {593, 228, 14, 4}, true);
    ReduceG = addStepButton(LightPage, "ReduceG", {593, 266, 14, 4}, true);
    ReduceB = addStepButton(LightPage, "ReduceB", {593, 304, 14, 4}, true);
    RSpinBox = addColourBox(LightPage, "RSpinBox", {613, 220, 45, 20}, 10);
    GSpinBox = addColourBox(LightPage, "GSpinBox", {613, 258, 45, 20}, 11);
    BSpinBox = addColourBox(LightPage, "BSpinBox", {613, 296, 45, 20}, 10);
    AddR = addStepButton(LightPage, "AddR", {664, 223, 14, 14}, false);
    AddG = addStepButton(LightPage, "AddG", {664, 263, 14, 14}, false);
    AddB = addStepButton(LightPage, "AddB", {664, 299, 14, 14}, false);
    label_13 = FormParts::Label(LightPage, "label_13", {448, 328, 341, 17}, 11);
    presets = addPresets(LightPage, {450, 373}, 28, 45, 50);

    for (QLabel *text : {label, label_2, label_3, label_4, label_5, label_6, label_8, label_10,
                         label_11, label_12, label_13})
        text->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));

    retranslateUi(page);
    QMetaObject::connectSlotsByName(page);
}

void Ui_LampLight::retranslateUi(QWidget *page)
{
    page->setWindowTitle(QStringLiteral("Form"));
    const char *modes[] = {"关闭", "彩色流动", "单色呼吸", "混色常亮", "霓虹", "混彩呼吸"};
    for (int i = 0; i < 6; ++i)
        LightMod->setItemText(i, QString::fromUtf8(modes[i]));
    label->setText(QStringLiteral("灯光模式"));
    label_2->setText(QStringLiteral("亮度"));
    label_3->setText(QStringLiteral("速度"));
    label_4->setText(QStringLiteral("移动时关灯"));
    label_5->setText(QStringLiteral("静止关灯时间"));
    label_6->setText(QStringLiteral("自定义颜色"));
    label_8->setText(QStringLiteral("预览"));
    label_11->setText(QStringLiteral("R:"));
    label_10->setText(QStringLiteral("G:"));
    label_12->setText(QStringLiteral("B:"));
    label_13->setText(QStringLiteral("预设颜色"));
    for (QToolButton *button : {ReduceR, ReduceG, ReduceB})
        button->setText(QStringLiteral("..."));
}

QList<QWidget *> Ui_LampLight::colourSection() const
{
    QList<QWidget *> section{label_6,  label_7,  label_8,  labelPreView, label_10, label_11,
                             label_12, RSpinBox, GSpinBox, BSpinBox,     ReduceR,  ReduceG,
                             ReduceB,  AddR,     AddG,     AddB,         label_13};
    for (QToolButton *preset : presets)
        section.append(preset);
    return section;
}
