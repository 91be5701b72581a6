// The update and repair dialog's form, its layouts, its buttons and its texts. The repair flow's
// members are in updaterepairflow.cpp.
#include "settings/updaterepair.h"

#include "core/devicestate.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "core/updatefailinfo.h"
#include "settings/repairrun.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/widgets/formparts.h"
#include "shell/widgets/stylewhenpolished.h"
#include "shell/widgets/theme.h"

#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QToolButton>

namespace {

// The form's geometry: x, y, width, height.
constexpr QSize DialogSize{460, 289};
constexpr QRect AutoRepairGeometry{0, 0, 460, 289};
constexpr QRect CloseButtonGeometry{430, 5, 20, 20};
constexpr QRect NewHongGeometry{250, 240, 120, 24};
constexpr QRect ToolTextGeometry{80, 20, 300, 91};
constexpr QRect ToolText2Geometry{80, 130, 300, 51};
constexpr QRect NewHong2Geometry{90, 240, 120, 24};
constexpr QRect ProgressGeometry{85, 200, 290, 26};
constexpr int FontPoints = 11;

// Entries of the texts of the repair ("AutoRepair") and of the progress ("Progress").
enum AutoRepairEntry
{
    NoticeEntry = 0,
    CancelEntry = 1,
    NoDeviceEntry = 2,
    ManyDevicesEntry = 3,
    RepairButtonEntry = 4,
    MouseRepairDeviceEntry = 5,
    ReceiverRepairDeviceEntry = 6,
    NoImageEntry = 8,
    WiredConflictEntry = 10,
    WirelessConflictEntry = 11,
    ReadyEntry = 12,
};
enum ProgressEntry
{
    RunningEntry = 0,
    DoneEntry = 1,
    FailEntry = 2,
};
// The OK caption is shared with the home page (its notice panel's button).
constexpr int OkEntry = 4;

QToolButton *pictureButton(QFrame *panel, const char *name, const QRect &geometry)
{
    auto *button = FormParts::Make<QToolButton>(panel, name, geometry);
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    button->setMinimumSize(0, 0);
    button->setMaximumSize(500, 500);
    button->setFont(Theme::Font(FontPoints));
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    return button;
}

QLabel *messageLabel(QFrame *panel, const char *name, const QRect &geometry)
{
    auto *label = FormParts::Make<QLabel>(panel, name, geometry);
    label->setFont(Theme::Font(FontPoints));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    label->setWordWrap(true);
    return label;
}

} // namespace

void Ui_UpDateRepair::setupUi(QDialog *dialog)
{
    if (dialog->objectName().isEmpty())
        dialog->setObjectName(QStringLiteral("UpDateRepair"));
    dialog->resize(DialogSize);
    dialog->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    AutoRepair = new QFrame(dialog);
    AutoRepair->setObjectName(QStringLiteral("AutoRepair"));
    AutoRepair->setGeometry(AutoRepairGeometry);
    AutoRepair->setFrameShape(QFrame::StyledPanel);
    AutoRepair->setFrameShadow(QFrame::Raised);

    CloseButton = new QToolButton(AutoRepair);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    CloseButton->setGeometry(CloseButtonGeometry);
    QSizePolicy closePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    closePolicy.setHorizontalStretch(20);
    closePolicy.setVerticalStretch(20);
    CloseButton->setSizePolicy(closePolicy);
    CloseButton->setMaximumSize(20, 20);
    CloseButton->setFocusPolicy(Qt::NoFocus);
    CloseButton->setIconSize(QSize(30, 30));
    CloseButton->setAutoRaise(true);

    NewHong = pictureButton(AutoRepair, "NewHong", NewHongGeometry);
    ToolText = messageLabel(AutoRepair, "ToolText", ToolTextGeometry);
    ToolText_2 = messageLabel(AutoRepair, "ToolText_2", ToolText2Geometry);
    NewHong_2 = pictureButton(AutoRepair, "NewHong_2", NewHong2Geometry);

    progressBar_2 = new QProgressBar(AutoRepair);
    progressBar_2->setObjectName(QStringLiteral("progressBar_2"));
    progressBar_2->setGeometry(ProgressGeometry);
    progressBar_2->setFont(Theme::Font(FontPoints));
    progressBar_2->setStyleSheet(QStringLiteral("QProgressBar {\n"
                                                "border: 2px solid grey;\n"
                                                "border-radius: 5px;\n"
                                                "background-color: TRANSPARENT;\n"
                                                "color: rgb(255, 255, 255);\n"
                                                "}\n"
                                                "QProgressBar::chunk {\n"
                                                "background-color: rgb(80, 240, 0);\n"
                                                "width: 20px;\n"
                                                "}\n"
                                                "QProgressBar {\n"
                                                "border: 2px solid grey;\n"
                                                "border-radius: 5px;\n"
                                                "text-align: center;\n"
                                                "}"));
    progressBar_2->setValue(0);
    progressBar_2->setTextVisible(true);
    progressBar_2->setInvertedAppearance(false);
    progressBar_2->setTextDirection(QProgressBar::TopToBottom);

    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_UpDateRepair::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    NewHong->setText(QStringLiteral("取消"));
    ToolText->setText(
        QStringLiteral("请先确保插入接收器和有线鼠标,升级期间请勿关闭程序或者拔插设备。"));
    ToolText_2->setText(QStringLiteral("当前没有发现可以升级的鼠标,请确认鼠标是否处于有线模式"));
    NewHong_2->setText(QStringLiteral("升级"));
    CloseButton->setText(QString());
    progressBar_2->setFormat(QStringLiteral("%p%"));
}

UpDateRepair::UpDateRepair(QWidget *parent) : QDialog(parent), ui(new Ui_UpDateRepair)
{
    ui->setupUi(this);
    ui->NewHong->hide();
    ui->progressBar_2->hide();
    ui->NewHong_2->hide();
    ui->ToolText_2->hide();

    ImageFolder = Theme::WarningFolder();
    setWindowFlags(Qt::FramelessWindowHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint);

    // Built hidden with the settings page and shown only on request: the sheets wait for its
    // polish.
    Theme::StyleWhenPolished(this, [this] {
        const QString label = Theme::Rgb(QStringLiteral("LabelColor"));
        ui->ToolText->setStyleSheet(
            QStringLiteral("#ToolText{color: %1;background-color:rgba(0,0,0,0);}").arg(label));
        ui->ToolText_2->setStyleSheet(
            QStringLiteral("#ToolText_2{color: rgb(255,0,0);background-color:rgba(0,0,0,0);}"));
        const QString button =
            QStringLiteral("QToolButton{border:0px;background-position:center;"
                           "background-repeat:no-repeat;color: %1;border-image: url(%2ok_nr.png);}"
                           "QToolButton:hover{border-image: url(%2ok_enter.png); }")
                .arg(Theme::Rgb(QStringLiteral("ButtonColor")), ImageFolder);
        ui->NewHong->setStyleSheet(button);
        ui->NewHong_2->setStyleSheet(button);
        ui->CloseButton->setStyleSheet(
            Theme::ThreeStateButtonStyle(ImageFolder, QStringLiteral("Close")));
        ui->AutoRepair->setStyleSheet(
            QStringLiteral("#AutoRepair{border:0px;background-position:center;"
                           "background-repeat:no-repeat;border-image: url(%1BackGround.png);}")
                .arg(ImageFolder));
    });

    PostMsg *hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigAutoRepair(int)), this, SLOT(SlotAutoRepair(int)));
    connect(hub, SIGNAL(SigAutoRepairProgress(int)), this, SLOT(SlotAutoRepairProgress(int)));
    connect(hub, SIGNAL(SigProgress(int, int)), this, SLOT(SlotProgress(int, int)));
    connect(hub, SIGNAL(SigRepairCheckUpdate()), this, SLOT(SlotRepairCheckUpdate()));
    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    ui->NewHong->hide();

    SilenceTimer = new QTimer(this);
    SilenceTimer->setInterval(1000);
    connect(SilenceTimer, &QTimer::timeout, this, &UpDateRepair::onSilenceTimer);

    SlotAllLanguage(State().CurrentLanguage.load());
    NoticeFrame::finish(this);
}

UpDateRepair::~UpDateRepair() = default;

bool UpDateRepair::ImageBeingWritten()
{
    const DeviceState &s = State();
    return RepairRun::Busy() || s.ReceiverUpdateState.load() == 1 || s.MouseUpdateState.load() == 1;
}

void UpDateRepair::SetRunUnderWay(std::function<bool()> underWay)
{
    RunUnderWay = std::move(underWay);
}

bool UpDateRepair::Closable() const
{
    if (ImageBeingWritten())
        return false;
    // Between the start and the first image, and between two stages, no image is being written,
    // yet the run goes on; once the end shows, the dialog closes at once.
    return !RunShown || !(FirmwareRunUnderWay() || (RunUnderWay && RunUnderWay()));
}

void UpDateRepair::SetShortcuts()
{
    ui->NewHong_2->setShortcut(QKeySequence(Qt::Key_Return));
    ui->NewHong->setShortcut(QKeySequence(Qt::Key_Escape));
}

void UpDateRepair::ResetUi()
{
    RunShown = false;
    ui->ToolText_2->setText(QString());
    ui->ToolText_2->show();
    ui->NewHong_2->setText(RepairButtonText);
    ui->NewHong_2->show();
    ui->NewHong->setText(CancelText);
    ui->NewHong->show();
    ui->CloseButton->show();
    ui->progressBar_2->setValue(0);
    ui->progressBar_2->hide();
    SetShortcuts();
}

void UpDateRepair::ShowReady()
{
    RunShown = false;
    ui->ToolText_2->setText(ReadyText);
    ui->ToolText_2->show();
    ui->NewHong_2->setText(RepairButtonText);
    ui->NewHong_2->show();
    ui->NewHong->setText(CancelText);
    ui->NewHong->show();
    ui->NewHong->setEnabled(true);
    ui->CloseButton->show();
    ui->CloseButton->setEnabled(true);
    ui->progressBar_2->hide();
    SetShortcuts();
}

void UpDateRepair::ShowNotice()
{
    RunShown = false;
    ui->ToolText_2->show();
    ui->NewHong_2->setText(OkText);
    ui->NewHong_2->show();
    ui->NewHong->show();
    ui->NewHong->setEnabled(true);
    ui->CloseButton->show();
    ui->CloseButton->setEnabled(true);
    ui->progressBar_2->hide();
    SetShortcuts();
}

void UpDateRepair::ShowRunning()
{
    ui->ToolText_2->setText(RunningText);
    ui->ToolText_2->show();
    ui->NewHong_2->hide();
    ui->NewHong->hide();
    ui->NewHong->setEnabled(false);
    ui->CloseButton->show();
    ui->CloseButton->setEnabled(false);
    ui->progressBar_2->show();
    SetShortcuts();
    RunShown = true;
}

void UpDateRepair::SetNoticeText(const QString &text)
{
    ui->ToolText_2->setText(text);
}

void UpDateRepair::Notice(const QString &text)
{
    SetNoticeText(text);
    ShowNotice();
}

void UpDateRepair::SlotAutoRepair(int result)
{
    RunShown = false;
    ui->ToolText_2->setText(result == 0 ? RepairDoneText : RepairFailText);
    ui->NewHong_2->setText(OkText);
    ui->NewHong->show();
    SetShortcuts();
}

void UpDateRepair::SlotAutoRepairProgress(int value)
{
    ui->progressBar_2->setValue(value);
}

void UpDateRepair::SlotProgress(int value, int type)
{
    const auto ended = [this](const QString &text) {
        RunShown = false;
        ui->ToolText_2->setText(text);
        ui->ToolText_2->show();
        ui->NewHong->show();
        ui->NewHong->setEnabled(true);
        ui->CloseButton->setEnabled(true);
    };
    const auto offerOk = [this] {
        ui->NewHong_2->setText(OkText);
        ui->NewHong_2->show();
    };
    switch (type) {
    case 0:
        ui->progressBar_2->setValue(value);
        break;
    case 1:
        ended(RepairFailText);
        offerOk();
        break;
    case 2:
        ended(RepairDoneText);
        offerOk();
        ui->progressBar_2->setValue(100);
        break;
    case 5:
        // The first half of a two-part update went through.
        ended(RepairFailText);
        offerOk();
        ui->progressBar_2->setValue(50);
        break;
    case 6:
        // The start button stays as the running layout left it: hidden.
        ended(RepairFailText);
        break;
    default:
        break;
    }
    SetShortcuts();
}

void UpDateRepair::CloseRequested()
{
    if (!Closable())
        return;
    if (ui->progressBar_2->isVisibleTo(this)) {
        // The page learns whether the firmware is now current; an update left unfinished on the
        // device page returns to the home page, which finds the devices anew.
        if (ui->progressBar_2->value() == 100)
            emit PostMsg::GetInstance()->SigSetNewVer();
        else if (State().OnDevicePage.load() != 0)
            emit PostMsg::GetInstance()->SigChangeMainDialog(0);
    }
    QDialog::reject();
}

void UpDateRepair::reject()
{
    CloseRequested();
}

void UpDateRepair::on_CloseButton_clicked()
{
    CloseRequested();
}

void UpDateRepair::on_NewHong_clicked()
{
    CloseRequested();
}

void UpDateRepair::on_NewHong_2_clicked()
{
    if (ui->progressBar_2->isVisibleTo(this)) {
        if (Closable())
            CloseRequested();
        return;
    }
    if (ui->NewHong_2->text() == OkText) {
        QDialog::reject();
        return;
    }
    if (State().OnDevicePage.load() != 0)
        emit PostMsg::GetInstance()->SigUpdateStart();
    else
        StartUpgrade();
}

void UpDateRepair::SlotRepairCheckUpdate()
{
    // A check while a repair runs would change what the running repair writes next.
    if (ImageBeingWritten() || State().AutoRepairRunning.load() != 0)
        return;
    if (RepairCheck())
        ShowReady();
}

void UpDateRepair::onSilenceTimer()
{
    if (!RepairRun::Busy() || RepairRun::GiveUpWhenSilent())
        SilenceTimer->stop();
}

void UpDateRepair::SlotAllLanguage(int language)
{
    const auto repairText = [language](int entry, const QString &fallback) {
        return AutoRepairTexts.text(language, entry, fallback);
    };
    const auto progressText = [language](int entry, const QString &fallback) {
        return ProgressTexts.text(language, entry, fallback);
    };
    NoticeFrame::setText(ui->ToolText, AutoRepairTexts, language, NoticeEntry);
    CancelText = repairText(CancelEntry, CancelText);
    NoDeviceText = repairText(NoDeviceEntry, NoDeviceText);
    ManyDevicesText = repairText(ManyDevicesEntry, ManyDevicesText);
    RepairButtonText = repairText(RepairButtonEntry, RepairButtonText);
    MouseRepairDeviceText = repairText(MouseRepairDeviceEntry, MouseRepairDeviceText);
    ReceiverRepairDeviceText = repairText(ReceiverRepairDeviceEntry, ReceiverRepairDeviceText);
    NoImageText = repairText(NoImageEntry, NoImageText);
    WiredConflictText = repairText(WiredConflictEntry, WiredConflictText);
    WirelessConflictText = repairText(WirelessConflictEntry, WirelessConflictText);
    ReadyText = repairText(ReadyEntry, ReadyText);
    RunningText = progressText(RunningEntry, RunningText);
    RepairDoneText = progressText(DoneEntry, RepairDoneText);
    RepairFailText = progressText(FailEntry, RepairFailText);
    OkText = DialogChangeTexts.text(language, OkEntry, OkText);
}
