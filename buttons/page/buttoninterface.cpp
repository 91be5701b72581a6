// The button page: construction, button groups and teardown (the form sets its style sheets).
#include "buttons/page/buttoninterface.h"

#include "buttons/model/dpicodes.h"
#include "buttons/page/ui_buttoninterface.h"
#include "core/blockingconnect.h"
#include "core/configini.h"
#include "core/devicestate.h"
#include "core/postmsg.h"
#include "core/worker.h"
#include "platform/appdir.h"
#include "platform/devicelib/devicelib.h"
#include "sensor/model/sensorheader.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/mytoolbutton.h"
#include "shell/widgets/theme.h"

#include <QButtonGroup>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QScrollArea>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

Buttoninterface::Buttoninterface(QWidget *parent) : QWidget(parent), ui(new Ui_Buttoninterface())
{
    ui->setupUi(this);
    // The page offers five rows whatever the model's key count; the others keep working hidden,
    // so that code may still check or relabel them.
    for (QWidget *hidden : std::initializer_list<QWidget *>{
             ui->BackMusic, ui->Button7,  ui->Button8,  ui->Button9,  ui->Button10, ui->Button11,
             ui->Button12,  ui->label_13, ui->label_16, ui->label_17, ui->label_18, ui->label_19,
             ui->label_20,  ui->label_21, ui->Number6,  ui->Number7,  ui->Number8,  ui->Number9,
             ui->Number10,  ui->Number11, ui->Number12})
        hidden->hide();

    PostMsg *hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigMouseIndex(int)), this, SLOT(SlotMouseIndex(int)));
    ImageFolder = Theme::PictureFolder(QStringLiteral("Buttoninterface"));
    // Kept for the layout of the user folder; the page stores nothing there.
    QDir().mkpath(UserDir::filePath(QStringLiteral("usersetting/MainPage")));

    RowGroup = new QButtonGroup(this);
    CategoryGroup = new QButtonGroup(this);
    OptionGroup = new QButtonGroup(this);
    NumberGroup = new QButtonGroup(this);
    for (QButtonGroup *group : {RowGroup, CategoryGroup, OptionGroup, NumberGroup})
        group->setExclusive(true);
    SetupButtonGroups();
    ButtonColorText = ConfigIni::instance()->color(QStringLiteral("ButtonColor"));

    // The saved macros' buttons, one per macro file.
    BuildMacroButtonList();

    ui->DPI_3->hide();
    ui->DPI_9->hide();
    ui->scrollArea_11->setFrameShape(QFrame::NoFrame);
    ui->ProjectChoose->setView(new QListView);
    // Set once the list is in place: moved there with its own sheet, it would be styled at once.
    ui->ProjectChoose->view()->setStyleSheet(Theme::ComboListStyle());
    LoadSensorDefinitions();

    // The device-event callback and the service pass wait until the page has taken the record
    // or reset its model.
    ConnectBlocking(SIGNAL(SigUpDataLightUIButton(FlashDataMap)), this,
                    SLOT(SlotUpDataButtonUIButton(FlashDataMap)));
    connect(hub, SIGNAL(SigUpDataButtonUIC(FlashDataMap)), this,
            SLOT(SlotUpDataButtonUIB(FlashDataMap)));
    ConnectBlocking(SIGNAL(SigFormReset()), this, SLOT(SlotFormResetButton()));
    ConnectBlocking(SIGNAL(SigUpDataConfigUI(int, int, bool)), this,
                    SLOT(SlotUpDataConfigUI(int, int, bool)));
    connect(hub, SIGNAL(SigAddMacroButton()), this, SLOT(SlotAddMacroButton()));
    connect(hub, SIGNAL(SigDeleteMacroButton(QString)), this, SLOT(SlotDeleteMacroButton(QString)));
    connect(hub, SIGNAL(SigMacroRename(QString, QString)), this,
            SLOT(SlotMacroRename(QString, QString)));
    connect(hub, SIGNAL(SigUpDataMacro(QString, int)), this, SLOT(SlotUpDataMacro(QString, int)));

    DeviceState::instance()->WorkerThread = new Worker;

    ui->stackedWidget->setCurrentWidget(ui->page);
    ui->stackedWidget_2->setCurrentWidget(ui->page_9);
    // The main window announces the language once every page exists; until then the form's own
    // texts stand.
    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
}

Buttoninterface::~Buttoninterface()
{
    ClearReadAllPending();
    StopWorkerThread();
    StopUsbChanged();
}

void Buttoninterface::SetupButtonGroups()
{
    for (QToolButton *row :
         {ui->FireKey, ui->RightKey, ui->BackKey, ui->StartPause, ui->TopMusic, ui->BackMusic,
          ui->Button7, ui->Button8, ui->Button9, ui->Button10, ui->Button11, ui->Button12})
        RowGroup->addButton(row);
    for (QToolButton *category :
         {ui->LeftKey_3, ui->RightKey_3, ui->MidKey, ui->BackKey_2, ui->ForWardKey, ui->DPI_2,
          ui->DPI_3, ui->DPI_4, ui->DPI_5, static_cast<QToolButton *>(ui->DPI_6), ui->DPI_7,
          static_cast<QToolButton *>(ui->DPI_8), ui->DPI_9, ui->DPI_10, ui->DPI_11, ui->DPI_12,
          ui->DPI_13})
        CategoryGroup->addButton(category);
    for (QToolButton *option :
         {ui->Player,        ui->StartPause_2,  ui->BackMusic_2,   ui->TopMusic_2,
          ui->Mute,          ui->VolumeUp,      ui->VolumeDown,    ui->VolumeDown_3,
          ui->VolumeDown_4,  ui->VolumeDown_5,  ui->VolumeDown_6,  ui->VolumeDown_7,
          ui->VolumeDown_8,  ui->VolumeDown_9,  ui->VolumeDown_10, ui->VolumeDown_11,
          ui->VolumeDown_12, ui->VolumeDown_13, ui->VolumeUp_4,    ui->VolumeUp_5,
          ui->VolumeUp_6,    ui->VolumeUp_7,    ui->VolumeUp_11,   ui->VolumeUp_12,
          ui->VolumeUp_13,   ui->VolumeUp_15,   ui->VolumeUp_16,   ui->VolumeUp_18,
          ui->VolumeUp_19,   ui->VolumeUp_20,   ui->VolumeUp_21,   ui->VolumeUp_22,
          ui->VolumeUp_23,   ui->VolumeUp_24,   ui->VolumeDown_2,  ui->VolumeUp_2,
          ui->VolumeUp_10,   ui->VolumeUp_8,    ui->VolumeUp_9,    ui->VolumeUp_14,
          ui->VolumeDown_14})
        OptionGroup->addButton(option);
    for (QToolButton *mark :
         {ui->Number1, ui->Number2, ui->Number3, ui->Number4, ui->Number5, ui->Number6, ui->Number7,
          ui->Number8, ui->Number9, ui->Number10, ui->Number11, ui->Number12})
        NumberGroup->addButton(mark);
}

void Buttoninterface::LoadSensorDefinitions()
{
    const SensorDefines defines = LoadSensorHeader();
    DefineNames += defines.DefineNames;
    DefineValues += defines.DefineValues;
}

int Buttoninterface::DpiToCode(int dpi) const
{
    return ::DpiToCode(dpi, SensorName, DefineNames, DefineValues);
}

int Buttoninterface::CodeToDpi(int code) const
{
    return ::CodeToDpi(code, SensorName, DefineNames, DefineValues);
}
