#include "shell/dialog.h"

#include "buttons/page/buttoninterface.h"
#include "core/blockingconnect.h"
#include "core/configini.h"
#include "core/devicecache.h"
#include "core/devicelink.h"
#include "core/devicestate.h"
#include "core/postmsg.h"
#include "macro/macro.h"
#include "platform/delayms.h"
#include "platform/devicelib/devicelib.h"
#include "platform/diagnostics.h"
#include "platform/exceptionhandler.h"
#include "sensor/sensor.h"
#include "settings/formsetting.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/dialogs/updataparam.h"
#include "shell/pagebackground.h"
#include "shell/widgets/formparts.h"
#include "shell/widgets/stylewhenpolished.h"
#include "shell/widgets/theme.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Stack indices of the pages.
constexpr int ButtonPageIndex = 0;
constexpr int SensorPageIndex = 1;
constexpr int MacroPageIndex = 2;
constexpr int SettingPageIndex = 3;

// At or below this level the battery fill turns red.
constexpr int LowBatteryLevel = 15;
const QString BatteryStyle = QStringLiteral("#progressBar{border: none;background-color: "
                                            "transparent;}#progressBar::chunk {background-color: "
                                            "%1;}");

QToolButton *makeToolButton(QWidget *parent, const char *name, const QRect &geometry,
                            bool checkable = false)
{
    auto *button = FormParts::Make<QToolButton>(parent, name, geometry);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    button->setCheckable(checkable);
    return button;
}

QFrame *makeFrame(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *f = FormParts::Make<QFrame>(parent, name, geometry);
    f->setFrameShape(QFrame::NoFrame);
    return f;
}

QFrame *separator(QWidget *parent, const char *name, int x)
{
    QFrame *line = makeFrame(parent, name, QRect(x, 65, 3, 21));
    line->setFrameShape(QFrame::VLine);
    line->setStyleSheet(QStringLiteral("background-color: rgb(75, 75, 75);"));
    return line;
}

QString tabStyle(const QString &folder, const QString &normal, const QString &hover,
                 const QString &checked)
{
    return QStringLiteral("QToolButton{border: 0px;background-position:center;background-repeat:"
                          "no-repeat;background-image: url(%1%2);}QToolButton:hover{background-"
                          "image:  url(%1%3);}QToolButton:checked{background-image: url(%1%4);}")
        .arg(folder, normal, hover, checked);
}

} // namespace

void Ui_Dialog::setupUi(QWidget *page)
{
    if (page->objectName().isEmpty())
        page->setObjectName(QStringLiteral("Dialog"));
    page->resize(1020, 700);
    page->setMinimumSize(1020, 700);
    page->setMaximumSize(1020, 721);
    page->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    frame_2 = makeFrame(page, "frame_2", {0, 0, 1020, 700});
    frame_3 = makeFrame(frame_2, "frame_3", {-10, 106, 144, 581});
    UpArrow = makeToolButton(frame_3, "UpArrow", {60, 30, 34, 30});
    frame = makeFrame(frame_2, "frame", {0, 0, 1020, 111});
    BatteryButtonC = FormParts::Make<QLabel>(frame, "BatteryButtonC", {957, 60, 43, 20});
    ButtonMain = makeToolButton(frame, "ButtonMain", {248, 60, 30, 30}, true);
    ButtonMain->setChecked(true);
    SensorButton = makeToolButton(frame, "SensorButton", {323, 60, 30, 30}, true);
    MacroButton = makeToolButton(frame, "MacroButton", {396, 60, 30, 30}, true);
    SetButton = makeToolButton(frame, "SetButton", {910, 10, 22, 22});
    CloseButton = makeToolButton(frame, "CloseButton", {980, 20, 20, 20});
    MinButton = makeToolButton(frame, "MinButton", {940, 20, 20, 20});
    progressBar = FormParts::Make<QProgressBar>(frame, "progressBar", {958, 61, 38, 18});
    progressBar->setRange(0, 100);
    progressBar->setTextVisible(false);
    // Grey until the device reports its battery.
    progressBar->setStyleSheet(BatteryStyle.arg(QStringLiteral("rgb(191, 191, 191)")));
    label = FormParts::Make<QLabel>(frame, "label", {968, 67, 17, 7});
    label_2 = FormParts::Make<QLabel>(frame, "label_2", {908, 61, 41, 16});
    label_2->setFont(Theme::Font(10));
    label_2->setAlignment(Qt::AlignCenter);
    FormSetting = makeToolButton(frame, "FormSetting", {470, 60, 30, 30}, true);
    label_3 = FormParts::Make<QLabel>(frame, "label_3", {240, 10, 171, 51});
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPointSize(16);
    titleFont.setBold(true);
    label_3->setFont(titleFont);
    label_3->setStyleSheet(QStringLiteral("color: rgb(192, 255, 0);"));
    LightsButton = makeToolButton(frame, "LightsButton", {470, 60, 30, 30}, true);
    line = separator(frame, "line", 225);
    line_2 = separator(frame, "line_2", 301);
    line_3 = separator(frame, "line_3", 374);
    line_4 = separator(frame, "line_4", 447);
    line_5 = separator(frame, "line_5", 520);
    line_6 = separator(frame, "line_6", 593);

    frame_4 = makeFrame(frame_2, "frame_4", {140, 90, 881, 615});
    frame_4->setMaximumSize(890, 630);
    verticalLayout_4 = new QVBoxLayout(frame_4);
    verticalLayout_4->setObjectName(QStringLiteral("verticalLayout_4"));
    verticalLayout_4->setSpacing(0);
    verticalLayout_4->setContentsMargins(0, 0, 0, 0);
    stackedWidgetDialog = FormParts::Make<QStackedWidget>(frame_4, "stackedWidgetDialog");
    stackedWidgetDialog->setMaximumSize(883, 605);
    verticalLayout_4->addWidget(stackedWidgetDialog);

    retranslateUi(page);
    stackedWidgetDialog->setCurrentIndex(-1);
    QMetaObject::connectSlotsByName(page);
}

void Ui_Dialog::retranslateUi(QWidget *page)
{
    page->setWindowTitle(QStringLiteral("Dialog"));
    for (QToolButton *button : {UpArrow, ButtonMain, SensorButton, MacroButton, SetButton,
                                CloseButton, MinButton, FormSetting, LightsButton})
        button->setText(QString());
    for (QLabel *l : {BatteryButtonC, label, label_3})
        l->setText(QString());
    // The battery text is the device's level, not a text of the form: a language change keeps it.
}

Dialog::Dialog(QWidget *parent) : QWidget(parent), ui(new Ui_Dialog)
{
    ui->setupUi(this);
    ui->LightsButton->hide();
    ui->line_6->hide();
    ImageFolder = Theme::PictureFolder(QStringLiteral("Dialog"));
    Background = std::make_unique<PageBackground>(ui->frame_2, BackgroundPicture());

    // The button page first: it creates the device service the other pages' slots rely on.
    // Made inside their stack: moving a finished page there would resolve its style sheets again.
    QStackedWidget *pages = ui->stackedWidgetDialog;
    buttonPage = new Buttoninterface(pages);
    macroPage = new Macro(pages);
    sensorPage = new Sensor(pages);
    settingPage = new FormSetting(pages);
    ui->stackedWidgetDialog->addWidget(buttonPage);
    ui->stackedWidgetDialog->addWidget(sensorPage);
    ui->stackedWidgetDialog->addWidget(macroPage);
    ui->stackedWidgetDialog->addWidget(settingPage);

    ParamDialog.reset(new UpDataParam);
    qCDebug(lcDiagnostics) << "Start";

    // The page is built hidden behind the home page: its pictures wait for its first polish.
    Theme::StyleWhenPolished(this, [this] { ApplyPictures(); });
    ui->label->hide();
    ui->SetButton->hide();

    ButtonGroupA = new QButtonGroup(this);
    ButtonGroupB = new QButtonGroup(this);
    ButtonGroupA->setExclusive(true);
    ButtonGroupB->setExclusive(true);
    for (QToolButton *tab :
         {ui->ButtonMain, ui->MacroButton, ui->LightsButton, ui->SensorButton, ui->FormSetting})
        ButtonGroupB->addButton(tab);

    connect(ui->MinButton, SIGNAL(clicked()), this, SLOT(WindowMin()));
    ui->ButtonMain->setChecked(true);
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint);
    setFixedSize(width(), height());

    // From here on a crash leaves a report in the user's Exception folder.
    ExceptionHandler::Install();

    ui->stackedWidgetDialog->setCurrentIndex(ButtonPageIndex);
    PostMsg *hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigSecondPageChange()), this, SLOT(SlotSecondDialog()));
    connect(hub, SIGNAL(SigUpDataParam(int)), this, SLOT(SlotUpDataParam(int)));
    connect(hub, SIGNAL(SigStartRecord(int)), this, SLOT(SlotStartRecord(int)));
    connect(hub, SIGNAL(SigMouseIndex(int)), this, SLOT(SlotMouseIndex(int)));
    // Another device's level, or none read yet, is not this device's: the indicator waits for the
    // battery report of the device opened.
    ShowNoBatteryLevel();
    connect(hub, &PostMsg::SigSelectMouseInfo, this, [this] { ShowNoBatteryLevel(); });
    // The device-event callback waits until the indicator shows the battery it reports.
    ConnectBlocking(SIGNAL(SigBattery(bool, int, bool)), this, SLOT(SlotBattery(bool, int, bool)));
    ui->label_3->hide();
}

Dialog::~Dialog()
{
    // The button page goes first: it ends the device service before the other pages go.
    delete buttonPage;
    delete macroPage;
    delete sensorPage;
    delete settingPage;
}

void Dialog::ApplyPictures()
{
    const QString &f = ImageFolder;
    ui->ButtonMain->setStyleSheet(tabStyle(f, QStringLiteral("Home.png"),
                                           QStringLiteral("HomeHover.png"),
                                           QStringLiteral("HomeChecked.png")));
    ui->SensorButton->setStyleSheet(tabStyle(f, QStringLiteral("Sensor.png"),
                                             QStringLiteral("SensorHover.png"),
                                             QStringLiteral("SensorChecked.png")));
    ui->MacroButton->setStyleSheet(tabStyle(f, QStringLiteral("Macro.png"),
                                            QStringLiteral("MacroHover.png"),
                                            QStringLiteral("MacroChecked.png")));
    ui->FormSetting->setStyleSheet(tabStyle(f, QStringLiteral("Setting.png"),
                                            QStringLiteral("SettingHover.png"),
                                            QStringLiteral("SettingClick.png")));
    ui->LightsButton->setStyleSheet(tabStyle(f, QStringLiteral("Light.png"),
                                             QStringLiteral("LightHover.png"),
                                             QStringLiteral("LightChecked.png")));
    ui->SetButton->setStyleSheet(Theme::ThreeStateButtonStyle(f, QStringLiteral("Setting")));
    ui->MinButton->setStyleSheet(Theme::ThreeStateButtonStyle(f, QStringLiteral("Min")));
    ui->CloseButton->setStyleSheet(Theme::ThreeStateButtonStyle(f, QStringLiteral("Close")));
    ui->UpArrow->setStyleSheet(Theme::ThreeStateButtonStyle(f, QStringLiteral("PageChange")));
    ui->BatteryButtonC->setStyleSheet(
        QStringLiteral("#BatteryButtonC{border:0px;background-image: url(%1Battery.png);"
                       "background-position:center;background-repeat:no-repeat;}")
            .arg(f));
    ui->label->setStyleSheet(QStringLiteral("#label{border-image: url(%1Charg.png);}").arg(f));
    // A theme colour with fewer than three numbers falls back to the theme's default.
    ui->label_2->setStyleSheet(
        QStringLiteral("#label_2{color: rgb(%1);}")
            .arg(ConfigIni::instance()->color(QStringLiteral("LabelColor"))));
}

QString Dialog::BackgroundPicture()
{
    return Theme::PictureFolder(QStringLiteral("Dialog")) + QStringLiteral("BackGround.png");
}

// The window-sized background is the largest picture of the page and the page starts hidden
// behind the home page: it is decoded when the page shows, before it paints, and given up again
// while the home page shows (DialogMain).
void Dialog::showEvent(QShowEvent *event)
{
    Background->apply();
    QWidget::showEvent(event);
}

QList<QToolButton *> Dialog::Tabs() const
{
    return {ui->ButtonMain, ui->SensorButton, ui->LightsButton, ui->MacroButton, ui->FormSetting};
}

void Dialog::WindowClosed()
{
    on_CloseButton_clicked();
}

void Dialog::WindowMin()
{
    emit PostMsg::GetInstance()->SigChangeSize(0);
}

void Dialog::on_ButtonMain_clicked()
{
    ui->stackedWidgetDialog->setCurrentIndex(ButtonPageIndex);
    emit PostMsg::GetInstance()->SigAddMacroButton();
}

void Dialog::on_SensorButton_clicked()
{
    ui->stackedWidgetDialog->setCurrentIndex(SensorPageIndex);
}

void Dialog::on_MacroButton_clicked()
{
    ui->stackedWidgetDialog->setCurrentIndex(MacroPageIndex);
}

void Dialog::on_FormSetting_clicked()
{
    ui->stackedWidgetDialog->setCurrentIndex(SettingPageIndex);
}

void Dialog::on_LightsButton_clicked() {}
void Dialog::on_SetButton_clicked() {}
void Dialog::MouseBClicked() {}
void Dialog::MouseCClicked() {}
void Dialog::SlotMouseIndex(int) {}

void Dialog::on_UpArrow_clicked()
{
    DeviceState *state = DeviceState::instance();
    // Before the device is told: a pass or an event still busy for this page must not tell it
    // again that the program is attached.
    DeviceLink::PageLeft();
    UsbServer_SetPCDriverStatus(0);
    // Saved whatever the device's state: the record shown is what the user saw last.
    SaveDeviceCache(state->OnlineCacheName.get(), state->CurrentFlashData.get());
    ui->ButtonMain->setChecked(true);
    // Lets the device take the status before its server stops.
    DelayMs(100);
    DeviceLink::StopServer();
    PostMsg *hub = PostMsg::GetInstance();
    emit hub->SigChangeMainDialog(0);
    emit hub->SigSetMacroPage();
}

void Dialog::on_CloseButton_clicked()
{
    DeviceState *state = DeviceState::instance();
    SaveDeviceCache(state->OnlineCacheName.get(), state->CurrentFlashData.get());
    emit PostMsg::GetInstance()->SigChangeSize(1);
}

void Dialog::SlotSecondDialog()
{
    ui->ButtonMain->setChecked(true);
    ui->stackedWidgetDialog->setCurrentIndex(ButtonPageIndex);
}

void Dialog::SlotUpDataParam(int mode)
{
    // A pass announces the update before it starts reading; when the call arrives the user may
    // have gone back to the home page, where the notice has nothing to wait for.
    if (DeviceState::instance()->OnDevicePage.load() != 1)
        return;
    ParamDialog->StartUpData();
    qCDebug(lcDiagnostics) << "q";
    // Once set the mode stays: every later request of this page waits for the refresh.
    if (mode == 1)
        ParamDialog->WaitMode = 1;
    qCDebug(lcDiagnostics) << "w";
    NoticeFrame::place(ParamDialog.get(), this, NoticeOffset::UpDataParamDevicePage);
    qCDebug(lcDiagnostics) << "t1";
    ParamDialog->exec();
}

void Dialog::SlotStartRecord(int state)
{
    if (state != 0 && state != 1)
        return;
    // No page change while the macro page records: its keys would go elsewhere.
    for (QToolButton *tab : Tabs())
        tab->setEnabled(state == 1);
}

void Dialog::ShowNoBatteryLevel()
{
    ui->label->hide();
    ui->progressBar->setValue(0);
    ui->label_2->clear();
    ui->progressBar->setStyleSheet(BatteryStyle.arg(QStringLiteral("rgb(191, 191, 191)")));
}

void Dialog::SlotBattery(bool charging, int level, bool showPercent)
{
    ui->label->setVisible(charging);
    ui->progressBar->setValue(level);
    ui->label_2->setText(QString::number(level) + (showPercent ? QStringLiteral("%") : QString()));
    ui->progressBar->setStyleSheet(BatteryStyle.arg(level <= LowBatteryLevel
                                                        ? QStringLiteral("rgb(152, 43, 34)")
                                                        : QStringLiteral("rgb(0, 255, 153)")));
}

void Dialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F12)
        return;
    QWidget::keyPressEvent(event);
}

void Dialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
