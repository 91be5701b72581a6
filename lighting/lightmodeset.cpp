#include "lighting/lightmodeset.h"

#include "core/devicestate.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "lighting/lightform.h"
#include "lighting/lightlook.h"
#include "platform/desktop/screencolour.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/widgets/fontscaling.h"
#include "shell/widgets/formparts.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/stylewhenpolished.h"
#include "shell/widgets/theme.h"

#include <QFrame>
#include <QLabel>
#include <QListView>
#include <QMouseEvent>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

using namespace LightForm;

namespace {

// Entries of the dialog's row of ScreenInfoTexts (0..4 are the picture panels', 12 is unused).
constexpr int TitleEntry = 5;
constexpr int FirstModeEntry = 6;

} // namespace

void Ui_LightModeSet::setupUi(QDialog *dialog)
{
    if (dialog->objectName().isEmpty())
        dialog->setObjectName(QStringLiteral("LightModeSet"));
    dialog->resize(638, 318);
    LightModeSetframe =
        NoticeFrame::addPanel(dialog, QStringLiteral("LightModeSetframe"), {638, 318});
    QFrame *frame = LightModeSetframe;
    label = FormParts::Label(frame, "label", {30, 30, 241, 21}, 11);
    LightMod = new MyConmboBox(frame);
    LightMod->setObjectName(QStringLiteral("LightMod"));
    LightMod->setGeometry(30, 60, 281, 34);
    LightMod->setFixedSize(281, 34);
    LightMod->setFont(Theme::Font(11));
    LightMod->setFocusPolicy(Qt::NoFocus);
    for (int i = 0; i < LightLook::Modes; ++i)
        LightMod->addItem(QString());
    label_2 = FormParts::Label(frame, "label_2", {30, 110, 161, 21}, 11);
    horizontalLight = addStepSlider(frame, "horizontalLight", {30, 140, 281, 25});
    horizontalLight->setMinimumSize(25, 25);
    horizontalLight->setMaximumSize(316, 22);
    horizontalLight->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    label_3 = FormParts::Label(frame, "label_3", {30, 190, 191, 21}, 11);
    horizontalSpeed = addStepSlider(frame, "horizontalSpeed", {30, 220, 281, 25});
    label_6 = FormParts::Label(frame, "label_6", {380, 30, 321, 20}, 11);
    label_7 = FormParts::Label(frame, "label_7", {380, 60, 200, 22}, 11);
    label_7->setMinimumSize(200, 22);
    label_8 = FormParts::Label(frame, "label_8", {380, 110, 261, 17}, 11);
    labelPreView = FormParts::Label(frame, "labelPreView", {380, 140, 60, 60}, 11);
    labelPreView->setFixedSize(60, 60);
    labelPreView->setScaledContents(true);
    labelPreView->setAlignment(Qt::AlignCenter);
    label_11 = FormParts::Label(frame, "label_11", {470, 130, 16, 17}, 11);
    label_10 = FormParts::Label(frame, "label_10", {470, 160, 16, 17}, 11);
    label_12 = FormParts::Label(frame, "label_12", {470, 190, 15, 17}, 11);
    label_12->setFixedSize(15, 17);
    ReduceR = addStepButton(frame, "ReduceR", {491, 138, 14, 4}, true);
    RSpinBox = addColourBox(frame, "RSpinBox", {511, 130, 45, 20}, 10);
    AddR = addStepButton(frame, "AddR", {562, 133, 14, 14}, false);
    ReduceG = addStepButton(frame, "ReduceG", {491, 168, 14, 4}, true);
    GSpinBox = addColourBox(frame, "GSpinBox", {511, 160, 45, 20}, 11);
    AddG = addStepButton(frame, "AddG", {562, 163, 14, 14}, false);
    ReduceB = addStepButton(frame, "ReduceB", {491, 198, 14, 4}, true);
    BSpinBox = addColourBox(frame, "BSpinBox", {511, 190, 45, 20}, 10);
    AddB = addStepButton(frame, "AddB", {562, 193, 14, 14}, false);
    label_13 = FormParts::Label(frame, "label_13", {380, 220, 341, 17}, 11);
    presets = addPresets(frame, {380, 250}, 18, 30, 30);
    line = FormParts::GreyLine(frame, "line", {31, 150, 281, 3});
    line_2 = FormParts::GreyLine(frame, "line_2", {31, 230, 281, 3});
    CloseButton = addPanelCloseButton(frame);
    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_LightModeSet::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    const char *modes[] = {"关闭", "彩色流动", "单色呼吸", "混色常亮", "霓虹", "混彩呼吸"};
    for (int i = 0; i < LightLook::Modes; ++i)
        LightMod->setItemText(i, QString::fromUtf8(modes[i]));
    label->setText(QStringLiteral("灯光模式"));
    label_2->setText(QStringLiteral("亮度"));
    label_3->setText(QStringLiteral("速度"));
    label_6->setText(QStringLiteral("自定义颜色"));
    label_8->setText(QStringLiteral("预览"));
    label_11->setText(QStringLiteral("R:"));
    label_10->setText(QStringLiteral("G:"));
    label_12->setText(QStringLiteral("B:"));
    label_13->setText(QStringLiteral("预设颜色"));
    CloseButton->setText(QString());
}

QList<QWidget *> Ui_LightModeSet::colourSection() const
{
    QList<QWidget *> section{label_6,  label_7, label_8, labelPreView, label_11, label_10,
                             label_12, ReduceR, ReduceG, ReduceB,      RSpinBox, GSpinBox,
                             BSpinBox, AddR,    AddG,    AddB,         label_13};
    for (QToolButton *preset : presets)
        section.append(preset);
    return section;
}

LightModeSet::LightModeSet(QWidget *parent) : QDialog(parent), ui(new Ui_LightModeSet)
{
    ui->setupUi(this);
    ImageFolder = Theme::PictureFolder(QStringLiteral("ScreeInfo"));
    setWindowFlags(Theme::FloatingPanelFlags);
    LightForm::AddModeListView(ui->LightMod);
    // The settings page builds this dialog and never shows it: its sheets wait for its polish.
    Theme::StyleWhenPolished(this, [this] { applyTheme(); });
    on_LightMod_currentIndexChanged(ui->LightMod->currentIndex());
    ScaleFormFont(this, ScreenFontFactor());
}

LightModeSet::~LightModeSet() = default;

void LightModeSet::applyTheme()
{
    const QString label = Theme::LabelStyle();
    for (QLabel *text : {ui->label, ui->label_2, ui->label_3, ui->label_6, ui->label_8,
                         ui->label_10, ui->label_11, ui->label_12, ui->label_13})
        text->setStyleSheet(label);
    ui->LightModeSetframe->setStyleSheet(Theme::PanelStyle(
        QStringLiteral("LightModeSetframe"), ImageFolder, QStringLiteral("Back.png")));
    ui->CloseButton->setStyleSheet(LightLook::CloseStyle(ImageFolder));
    LightForm::StyleModeList(ui->LightMod, ImageFolder);
    const QString slider = LightLook::SliderStyle(ImageFolder, QStringLiteral("Slider.png"), 1);
    ui->horizontalLight->setStyleSheet(slider);
    ui->horizontalSpeed->setStyleSheet(slider);
    // A colour chosen before the first polish keeps its preview.
    const QString preview = ui->labelPreView->styleSheet();
    LightForm::StyleColourSection(ImageFolder, boxes(), {ui->ReduceR, ui->ReduceG, ui->ReduceB},
                                  {ui->AddR, ui->AddG, ui->AddB}, ui->presets, ui->label_7,
                                  ui->labelPreView);
    if (!preview.isEmpty())
        ui->labelPreView->setStyleSheet(preview);
}

void LightModeSet::UpDataLanguage()
{
    SlotAllLanguage(DeviceState::instance()->CurrentLanguage.load());
}

void LightModeSet::SlotAllLanguage(int language)
{
    const TextTable &texts = ScreenInfoTexts;
    NoticeFrame::setText(ui->label, texts, language, TitleEntry);
    for (int i = 0; i < LightLook::Modes; ++i)
        ui->LightMod->setItemText(
            i, texts.text(language, FirstModeEntry + i, ui->LightMod->itemText(i)));
    const QList<QPair<QLabel *, int>> labels{
        {ui->label_2, 13},  {ui->label_3, 14},  {ui->label_6, 15},  {ui->label_8, 16},
        {ui->label_13, 17}, {ui->label_11, 18}, {ui->label_10, 19}, {ui->label_12, 20}};
    for (const auto &entry : labels)
        NoticeFrame::setText(entry.first, texts, language, entry.second);
}

void LightModeSet::on_LightMod_currentIndexChanged(int mode)
{
    LightForm::ShowMode(mode, ui->line, ui->line_2, ui->colourSection(), {ui->horizontalLight},
                        {ui->horizontalSpeed});
}

void LightModeSet::on_AddR_clicked()
{
    ui->RSpinBox->setValue(ui->RSpinBox->value() + 1);
}

void LightModeSet::on_AddG_clicked()
{
    ui->GSpinBox->setValue(ui->GSpinBox->value() + 1);
}

void LightModeSet::on_AddB_clicked()
{
    ui->BSpinBox->setValue(ui->BSpinBox->value() + 1);
}

void LightModeSet::on_ReduceR_clicked()
{
    ui->RSpinBox->setValue(ui->RSpinBox->value() - 1);
}

void LightModeSet::on_ReduceG_clicked()
{
    ui->GSpinBox->setValue(ui->GSpinBox->value() - 1);
}

void LightModeSet::on_ReduceB_clicked()
{
    ui->BSpinBox->setValue(ui->BSpinBox->value() - 1);
}

void LightModeSet::showPreview()
{
    ui->labelPreView->setStyleSheet(LightLook::PreviewStyle(
        ui->RSpinBox->value(), ui->GSpinBox->value(), ui->BSpinBox->value()));
}

void LightModeSet::on_RSpinBox_valueChanged(int)
{
    showPreview();
}

void LightModeSet::on_GSpinBox_valueChanged(int)
{
    showPreview();
}

void LightModeSet::on_BSpinBox_valueChanged(int)
{
    showPreview();
}

LightForm::ColourBoxes LightModeSet::boxes() const
{
    return {ui->RSpinBox, ui->GSpinBox, ui->BSpinBox};
}

void LightModeSet::preset(int index)
{
    boxes().setColour(LightLook::PresetColour(index));
}

void LightModeSet::on_toolButtonColorA_clicked()
{
    preset(0);
}
void LightModeSet::on_toolButtonColorB_clicked()
{
    preset(1);
}
void LightModeSet::on_toolButtonColorC_clicked()
{
    preset(2);
}
void LightModeSet::on_toolButtonColorD_clicked()
{
    preset(3);
}
void LightModeSet::on_toolButtonColorE_clicked()
{
    preset(4);
}
void LightModeSet::on_toolButtonColorF_clicked()
{
    preset(5);
}
void LightModeSet::on_toolButtonColorG_clicked()
{
    preset(6);
}
void LightModeSet::on_toolButtonColorH_clicked()
{
    preset(7);
}
void LightModeSet::on_toolButtonColorI_clicked()
{
    preset(8);
}
void LightModeSet::on_toolButtonColorJ_clicked()
{
    preset(9);
}
void LightModeSet::on_toolButtonColorK_clicked()
{
    preset(10);
}
void LightModeSet::on_toolButtonColorL_clicked()
{
    preset(11);
}
void LightModeSet::on_toolButtonColorM_clicked()
{
    preset(12);
}
void LightModeSet::on_toolButtonColorN_clicked()
{
    preset(13);
}

void LightModeSet::mousePressEvent(QMouseEvent *event)
{
    if (event->type() != QEvent::MouseButtonPress)
        return;
    const QPoint at = event->pos();
    boxes().releaseFocusOutside(at, this);
    if (!ui->label_7->geometry().contains(at))
        return;
    const QColor colour = ScreenColour::colourAt(event->globalPos(), this);
    if (!colour.isValid())
        return;
    boxes().setColour(colour);
    ui->labelPreView->setStyleSheet(
        LightLook::PreviewStyle(colour.red(), colour.green(), colour.blue()));
}

void LightModeSet::on_CloseButton_clicked()
{
    emit PostMsg::GetInstance()->SigButtonCheck();
    close();
}
