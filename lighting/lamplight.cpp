#include "lighting/lamplight.h"

#include "core/blockingconnect.h"
#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "lighting/lightform.h"
#include "lighting/lightlook.h"
#include "lighting/ui_lamplight.h"
#include "sensor/model/sensorcodes.h"
#include "sensor/stopclosetime.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/theme.h"

#include <QEvent>
#include <QLabel>
#include <QListView>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

namespace {

bool mayWrite()
{
    return State().WriteEnabled.load() != 0 && State().LightFilling.load() == 0;
}

// Entries of the page's row of LightTexts.
constexpr int ModeTitleEntry = 0;
constexpr int FirstModeEntry = 1; // six modes; entry 7 is shown nowhere
constexpr int FirstSleepEntry = 12;

// Reset values: colour flow, brightness 10, speed 8, idle one minute.
constexpr int ResetMode = 1;
constexpr int ResetBrightness = 10;
constexpr int ResetSpeed = 8;
constexpr int ResetSleepItem = 2;

} // namespace

LampLight::LampLight(QWidget *parent) : QWidget(parent), ui(new Ui_LampLight)
{
    ui->setupUi(this);
    ImageFolder = Theme::PictureFolder(QStringLiteral("Light"));
    ui->line->hide();
    ui->line_2->hide();
    // Only the look of the mode shown: a page being built has nothing of the user's to write
    // (writing mode 0 here would switch an online mouse's light off).
    showMode(ui->LightMod->currentIndex());
    applyTheme();

    PostMsg *hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(State().CurrentLanguage.load());
    ConnectBlocking(SIGNAL(SigUpDataLightLight(FlashDataMap)), this,
                    SLOT(SlotUpDataLightUILight(FlashDataMap)));
    connect(hub, SIGNAL(SigUpDataLightUIA(FlashDataMap)), this,
            SLOT(SlotUpDataLightUIA(FlashDataMap)));
    ConnectBlocking(SIGNAL(SigFormReset()), this, SLOT(SlotFormResetLight()));
}

LampLight::~LampLight() = default;

void LampLight::applyTheme()
{
    ui->LightPage->setStyleSheet(Theme::PageScrollBarStyle());
    LightForm::AddModeListView(ui->LightMod);
    LightForm::StyleModeList(ui->LightMod, ImageFolder);

    const QString label = Theme::LabelStyle();
    for (QLabel *text : {ui->label, ui->label_2, ui->label_3, ui->label_4, ui->label_5, ui->label_6,
                         ui->label_8, ui->label_13})
        text->setStyleSheet(label);
    const QString number = QStringLiteral("QSpinBox{color: %1;background-color: "
                                          "transparent;border: 0px;}")
                               .arg(Theme::Rgb(QStringLiteral("LabelColor")));
    ui->LightSpinBox_2->setStyleSheet(number);
    ui->SpeedSpinBox_2->setStyleSheet(number);
    const QString slider = LightLook::SliderStyle(ImageFolder, QStringLiteral("HuaKuai.png"), 0);
    ui->horizontalLight->setStyleSheet(slider);
    ui->horizontalSpeed->setStyleSheet(slider);
    ui->RippeControl->setStyleSheet(
        LightLook::SwitchStyle(QStringLiteral("RippeControl"), ImageFolder));
    LightForm::StyleColourSection(ImageFolder, boxes(), {ui->ReduceR, ui->ReduceG, ui->ReduceB},
                                  {ui->AddR, ui->AddG, ui->AddB}, ui->presets, ui->label_7,
                                  ui->labelPreView);
}

void LampLight::SlotAllLanguage(int language)
{
    const TextTable &texts = LightTexts;
    NoticeFrame::setText(ui->label, texts, language, ModeTitleEntry);
    for (int i = 0; i < LightLook::Modes; ++i)
        ui->LightMod->setItemText(
            i, texts.text(language, FirstModeEntry + i, ui->LightMod->itemText(i)));
    const QList<QPair<QLabel *, int>> labels{
        {ui->label_2, 8},   {ui->label_3, 9},  {ui->label_4, 10},  {ui->label_5, 11},
        {ui->label_6, 23},  {ui->label_8, 24}, {ui->label_13, 25}, {ui->label_11, 26},
        {ui->label_10, 27}, {ui->label_12, 28}};
    for (const auto &entry : labels)
        NoticeFrame::setText(entry.first, texts, language, entry.second);
    for (int i = 0; i < SensorCodes::SleepTimes; ++i) {
        const QString text = texts.text(language, FirstSleepEntry + i, QString());
        if (!text.isEmpty())
            ui->frameClose->SetItemText(i, text);
    }
}

void LampLight::changeEvent(QEvent *event)
{
    // Deliberately not passed on: the language signal is the only source of texts.
    Q_UNUSED(event)
}

void LampLight::showMode(int index)
{
    LightForm::ShowMode(index, ui->line, ui->line_2, ui->colourSection(),
                        {ui->horizontalLight, ui->LightSpinBox_2},
                        {ui->horizontalSpeed, ui->SpeedSpinBox_2});
}

void LampLight::on_LightMod_currentIndexChanged(int index)
{
    if (mayWrite() && index >= 0 && index < LightLook::Modes)
        WriteLightMode(index);
    showMode(index);
}

void LampLight::on_horizontalLight_sliderMoved(int value)
{
    ui->LightSpinBox_2->setValue(value);
}

void LampLight::on_horizontalLight_valueChanged(int value)
{
    ui->LightSpinBox_2->setValue(value);
    // The slider shows 1..10 for the stored 0..9.
    if (mayWrite())
        WriteLightBrightness(value - 1);
}

void LampLight::on_horizontalSpeed_sliderMoved(int value)
{
    ui->SpeedSpinBox_2->setValue(value);
}

void LampLight::on_horizontalSpeed_valueChanged(int value)
{
    ui->SpeedSpinBox_2->setValue(value);
    if (mayWrite())
        WriteLightSpeed(value - 1);
}

void LampLight::on_RippeControl_clicked(bool checked)
{
    if (mayWrite())
        WriteLightOffWhileMoving(checked ? 1 : 0);
}

void LampLight::SlotUpDataLightUILight(const FlashDataMap &record)
{
    fill(record, true);
}

void LampLight::SlotUpDataLightUIA(const FlashDataMap &record)
{
    fill(record, false);
}

void LampLight::fill(const FlashDataMap &record, bool slidersEnabled)
{
    ui->horizontalLight->setEnabled(slidersEnabled);
    ui->horizontalSpeed->setEnabled(slidersEnabled);
    State().LightFilling = 1;
    {
        const QSignalBlocker light(ui->horizontalLight);
        const QSignalBlocker speed(ui->horizontalSpeed);
        const QSignalBlocker red(ui->RSpinBox);
        const QSignalBlocker green(ui->GSpinBox);
        const QSignalBlocker blue(ui->BSpinBox);
        ui->horizontalLight->setValue(record.LightBrightness + 1);
        ui->LightSpinBox_2->setValue(record.LightBrightness + 1);
        ui->horizontalSpeed->setValue(record.LightSpeed + 1);
        ui->SpeedSpinBox_2->setValue(record.LightSpeed + 1);
        ui->RSpinBox->setValue(record.LightRed);
        ui->GSpinBox->setValue(record.LightGreen);
        ui->BSpinBox->setValue(record.LightBlue);
        setPreview(record.LightRed, record.LightGreen, record.LightBlue);
    }
    // Not blocked: a change of mode shows its controls (and writes nothing while filling).
    ui->LightMod->setCurrentIndex(record.LightOn != 0 ? record.LightMode : 0);
    ui->RippeControl->setChecked(record.LightOffWhileMoving != 0);
    const int item = SensorCodes::SleepIndex(record.SleepTime);
    if (item >= 0)
        ui->frameClose->SetIndex(item);
    State().LightFilling = 0;
}

void LampLight::SlotFormResetLight()
{
    State().LightFilling = 1;
    ui->LightMod->setCurrentIndex(ResetMode);
    ui->horizontalLight->setValue(ResetBrightness);
    ui->horizontalSpeed->setValue(ResetSpeed);
    ui->LightSpinBox_2->setValue(ResetBrightness);
    ui->SpeedSpinBox_2->setValue(ResetSpeed);
    ui->RippeControl->setChecked(true);
    ui->frameClose->SetIndex(ResetSleepItem);
    State().LightFilling = 0;
}
