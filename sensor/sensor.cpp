// The sensor page: construction, its own controls (sensor mode, performance mode and its
// duration) and its texts. What it shows of the device is in sensorfill.cpp.
#include "sensor/sensor.h"

#include "core/blockingconnect.h"
#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "platform/appdir.h"
#include "sensor/model/sensorcodes.h"
#include "sensor/model/sensorheader.h"
#include "sensor/model/sensormodel.h"
#include "sensor/motionsync.h"
#include "sensor/panelform.h"
#include "sensor/rippecontrol.h"
#include "sensor/sensordpi.h"
#include "sensor/sensoreffect.h"
#include "sensor/sensorlod.h"
#include "sensor/sensorrate.h"
#include "sensor/sensortextentries.h"
#include "sensor/straightline.h"
#include "sensor/ui_sensor.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/theme.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QTextStream>
#include <QToolButton>

namespace {} // namespace

// The form starts with null widgets: the first change events come while setupUi still builds it.
Sensor::Sensor(QWidget *parent) : QWidget(parent), ui(new Ui_Sensor())
{
    ui->setupUi(this);
    ui->frame_3->hide();
    PictureDir = Theme::PictureFolder(QStringLiteral("Sensor"));
    SensorPageDir = UserDir::filePath(QStringLiteral("usersetting/SensorPage"));

    PostMsg *hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigHideModel(int)), this, SLOT(SlotHideModel(int)));
    QDir().mkpath(SensorPageDir);
    ReadLevelCount();

    PanelForm::StyleList(ui->ModelChoose, PictureDir);
    PanelForm::StyleList(ui->PerformanceOpen, PictureDir);
    ui->PerformanceOpen->setMaxVisibleItems(5);
    ReadSensorHeader();
    ApplyStyles();
    ModelView = static_cast<QListView *>(ui->ModelChoose->view());

    // The device's records and reports: the device-event callback and the device service wait
    // until the page has taken each.
    ConnectBlocking(SIGNAL(SigUpDataLightSensor(FlashDataMap)), this,
                    SLOT(SlotUpDataSenSorUISensor(FlashDataMap)));
    ConnectBlocking(SIGNAL(SigFormReset()), this, SLOT(SlotFormReset()));
    ConnectBlocking(SIGNAL(SigUpDataReportRate(int)), this, SLOT(SlotUpDataReportRate(int)));
    ConnectBlocking(SIGNAL(SigUpDataDPI(int)), this, SLOT(SlotUpDataDPI(int)));
    ConnectBlocking(SIGNAL(SigUpDataDPILed(FlashDataMap)), this,
                    SLOT(SlotUpDataDPILed(FlashDataMap)));
    connect(hub, SIGNAL(SigUpDataSensorUIB(FlashDataMap)), this,
            SLOT(SlotUpDataSenSorUIB(FlashDataMap)));
    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));

    SlotAllLanguage(State().CurrentLanguage.load());
}

Sensor::~Sensor() = default;

// The editor starts with the number of levels kept for it; nothing in the program writes the
// file, so a missing or empty one means one level.
void Sensor::ReadLevelCount()
{
    int count = 1;
    QFile file(SensorPageDir + QStringLiteral("/Level.ini"));
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        const QString line = QTextStream(&file).readLine();
        if (!line.isEmpty())
            count = line.toInt();
    }
    ui->frameDpi->SetLevelCount(count);
}

// The header is read once: the DPI codec takes the chips' register codes from it, the page the
// features each chip has.
void Sensor::ReadSensorHeader()
{
    const SensorDefines defines = LoadSensorHeader();
    SensorModel &model = SensorModel::instance();
    model.DefineNames = defines.DefineNames;
    model.DefineValues = defines.DefineValues;
    SensorFeatureLists = defines.SensorFeatureLists;
}

void Sensor::ApplyStyles()
{
    ui->label_11->setStyleSheet(Theme::LabelStyle());
    ui->label_5->setStyleSheet(Theme::LabelStyle());
    ui->Performance->setStyleSheet(
        Theme::CheckBoxStyle(PictureDir, QStringLiteral("CheckBoxChecked.png")));
    for (QToolButton *marker :
         {ui->TitleButton, ui->TitleButton_2, ui->TitleButton_3, ui->TitleButton_4})
        marker->setStyleSheet(QStringLiteral("#%1{border-image: url(%2Title.png);}")
                                  .arg(marker->objectName(), PictureDir));
}

// "Corded" is the mouse's own choice on a cable or at the highest rates: never written. Neither
// is an emptied list (a stored mode the list does not have).
void Sensor::on_ModelChoose_currentIndexChanged(int index)
{
    if (State().WriteEnabled.load() == 0 || State().SensorFilling.load() != 0)
        return;
    if (index < 0 || index == SensorCodes::CordedItem)
        return;
    WriteSensorMode(index);
}

void Sensor::on_Performance_clicked(bool checked)
{
    if (State().WriteEnabled.load() != 0)
        WritePerformanceMode(checked ? 1 : 0);
}

void Sensor::on_Performance_toggled(bool checked)
{
    ui->PerformanceOpen->setEnabled(checked);
}

void Sensor::on_PerformanceOpen_currentIndexChanged(int index)
{
    if (State().WriteEnabled.load() == 0 || State().SensorFilling.load() != 0)
        return;
    const int time = SensorCodes::PerformanceTime(index);
    if (time >= 0)
        WritePerformanceTime(time);
}

// The duration is offered only while the performance mode is on, whatever changed.
void Sensor::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (ui->Performance && ui->PerformanceOpen)
        ui->PerformanceOpen->setEnabled(ui->Performance->isChecked());
}

void Sensor::SlotAllLanguage(int language)
{
    const auto text = [language](int entry, const QString &current) {
        return SensorTexts.text(language, entry, current);
    };
    ui->frameDpi->SetTitle(text(SensorText::DpiTitle, QStringLiteral("DPI级数")));
    ui->frameRate->SetTitle(text(SensorText::RateTitle, QStringLiteral("回报率")));
    ui->label_5->setText(text(SensorText::SettingsTitle, ui->label_5->text()));
    ui->label_11->setText(text(SensorText::ModeTitle, ui->label_11->text()));
    ui->frameLOD->SetTitle(text(SensorText::LodTitle, QStringLiteral(" LOD")));
    ui->Performance->setText(text(SensorText::Performance, ui->Performance->text()));
    ui->frame->SetTitle(text(SensorText::RippleTitle, QStringLiteral("波纹控制")));
    ui->frame_4->SetTitle(text(SensorText::StraightLineTitle, QStringLiteral("直线修正")));
    ui->frame_3->SetTitle(text(SensorText::MotionSyncTitle, QStringLiteral("motion sync")));
    for (int i = 0; i < SensorCodes::PerformanceItems; ++i) {
        ui->PerformanceOpen->setItemText(
            i, text(SensorText::FirstDuration + i, ui->PerformanceOpen->itemText(i)));
    }
    ui->frameEffect->SetTitle(text(SensorText::LightTitle, QStringLiteral("DPI灯效")));
    const QString modes[SensorCodes::LightModes] = {QStringLiteral("关闭"), QStringLiteral("常亮"),
                                                    QStringLiteral("呼吸")};
    for (int i = 0; i < SensorCodes::LightModes; ++i)
        ui->frameEffect->SetModeItemText(i, text(SensorText::FirstLightMode + i, modes[i]));
    ui->frameEffect->SetSpeedTitle(text(SensorText::SpeedTitle, QStringLiteral("速度")));
    ui->frameEffect->SetBrightnessTitle(text(SensorText::BrightnessTitle, QStringLiteral("亮度")));
    ui->label_11->setToolTip(text(SensorText::ModeTip, ui->label_11->toolTip()));
    ui->frameLOD->SetTitleToolTip(text(SensorText::LodTip, QString()));
    ui->Performance->setToolTip(text(SensorText::PerformanceTip, ui->Performance->toolTip()));
    ui->frame_3->SetTitleToolTip(text(SensorText::MotionSyncTip, QString()));
    ui->frame_4->SetTitleToolTip(text(SensorText::StraightLineTip, QString()));
    ui->frame->SetTitleToolTip(text(SensorText::RippleTip, QString()));
}
