#include "settings/match.h"

#include "core/configini.h"
#include "core/devicediscovery.h"
#include "core/devicelink.h"
#include "core/devicestate.h"
#include "core/hotplug.h"
#include "core/languagetables.h"
#include "core/pairevent.h"
#include "core/postmsg.h"
#include "platform/devicelib/devicelib.h"
#include "platform/diagnostics.h"
#include "settings/settingstheme.h"
#include "shell/widgets/fontscaling.h"
#include "shell/widgets/formparts.h"
#include "shell/widgets/theme.h"

#include <QEvent>
#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

namespace {

constexpr int StatusIntervalMs = 1000;
constexpr int DeviceIntervalMs = 100;
constexpr int TextIntervalMs = 500;
// The library is asked for at most this many receivers at once.
constexpr int EnumerationLimit = 5;

int timeLimitMs = Match::PairTimeLimitMs;

const QString Instructions = QStringLiteral(
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\" "
    "\"http://www.w3.org/TR/REC-html40/strict.dtd\">\n"
    "<html><head><meta name=\"qrichtext\" content=\"1\" /><style type=\"text/css\">\n"
    "p, li { white-space: pre-wrap; }\n"
    "</style></head><body style=\" font-family:'微软雅黑'; font-size:11pt; font-weight:400; "
    "font-style:normal;\">\n"
    "<p style=\" margin-top:0px; margin-bottom:0px; margin-left:0px; margin-right:0px; "
    "-qt-block-indent:0; text-indent:0px;\"><span style=\" font-size:10pt;\">"
    "请让鼠标进入配对状态(同时按住左中右键3秒,直至对码指示灯快闪),并靠近接收器,点击&quot;"
    "开始配对&quot;或按键盘的空格键</span></p></body></html>");

QToolButton *decoration(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *button = FormParts::Make<QToolButton>(parent, name, geometry);
    button->setEnabled(false);
    button->setFixedSize(geometry.size());
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(11);
    button->setFont(arial);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    return button;
}

} // namespace

void Ui_Match::setupUi(QDialog *dialog)
{
    if (dialog->objectName().isEmpty())
        dialog->setObjectName(QStringLiteral("Match"));
    dialog->resize(458, 242);
    dialog->setMinimumSize(458, 242);
    dialog->setMaximumSize(458, 242);
    MatchA = new QFrame(dialog);
    MatchA->setObjectName(QStringLiteral("MatchA"));
    MatchA->setGeometry(0, 0, 458, 242);
    MatchA->setFrameShape(QFrame::StyledPanel);
    MatchA->setFrameShadow(QFrame::Raised);
    toolButton_2 = decoration(MatchA, "toolButton_2", {80, 50, 14, 14});
    CloseButton = new QToolButton(MatchA);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    CloseButton->setGeometry(435, 20, 14, 14);
    CloseButton->setFixedSize(14, 14);
    CloseButton->setFocusPolicy(Qt::NoFocus);
    CloseButton->setIconSize(QSize(30, 30));
    CloseButton->setAutoRaise(true);
    MatchButton = new QPushButton(MatchA);
    MatchButton->setObjectName(QStringLiteral("MatchButton"));
    MatchButton->setGeometry(150, 195, 154, 32);
    MatchButton->setFixedSize(154, 32);
    MatchButton->setFont(Theme::Font(11));
    MatchButton->setFocusPolicy(Qt::TabFocus);
    // Space is the start's shortcut; Return is no start.
    MatchButton->setAutoDefault(false);
    textEdit = new QTextEdit(MatchA);
    textEdit->setObjectName(QStringLiteral("textEdit"));
    textEdit->setGeometry(105, 40, 271, 151);
    textEdit->setEnabled(false);
    textEdit->setReadOnly(true);
    textEdit->setFont(Theme::Font(11));
    textEdit->setFocusPolicy(Qt::NoFocus);
    textEdit->setLineWrapMode(QTextEdit::WidgetWidth);
    label = new QLabel(MatchA);
    label->setObjectName(QStringLiteral("label"));
    // Two lines, where the instructions it stands for would be: a translation may be longer.
    label->setGeometry(105, 50, 241, 40);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFont(Theme::Font(10));
    toolButton_3 = decoration(MatchA, "toolButton_3", {80, 180, 18, 18});
    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_Match::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    toolButton_2->setText(QString());
    CloseButton->setText(QString());
    MatchButton->setText(QStringLiteral("开始配对"));
    textEdit->setHtml(Instructions);
    label->setText(QStringLiteral("无线模式下,才能进入配对"));
    toolButton_3->setText(QString());
}

Match::Match(QWidget *parent) : QDialog(parent), ui(new Ui_Match)
{
    ui->setupUi(this);
    ScaleFormFont(this, ScreenFontFactor());
    PairImageFolder = Theme::PictureFolder(QStringLiteral("Setting"));
    setWindowFlags(Theme::FloatingPanelFlags);
    setFixedSize(size());

    setAttribute(Qt::WA_TranslucentBackground);
    ui->textEdit->setStyleSheet(SettingsTheme::TextBoxStyle(QStringLiteral("textEdit")));
    ui->label->setStyleSheet(Theme::LabelStyle());
    ui->label->hide();

    PairButtonColor = Theme::Rgb(QStringLiteral("ButtonColor"));
    SetButtonLook(QStringLiteral("Pair.png"));
    ui->toolButton_2->setStyleSheet(SettingsTheme::PictureButtonStyle(
        QStringLiteral("QToolButton"), PairImageFolder, QStringLiteral("Picture.png"),
        QStringLiteral("rgb(255,255,255)")));
    ui->CloseButton->setStyleSheet(
        Theme::ThreeStateButtonStyle(PairImageFolder, QStringLiteral("CloseSecondPage")));
    ui->MatchA->setStyleSheet(Theme::PanelStyle(QStringLiteral("MatchA"), PairImageFolder,
                                                QStringLiteral("BackSecondPage.png")));

    CurrentPath = State().CurrentDeviceInfo.get().Path;

    // The timers belong to this dialog: they stop and go with it.
    PairUsbTimer = new QTimer(this);
    PairStatusTimer = new QTimer(this);
    PairTextTimer = new QTimer(this);
    PairLimitTimer = new QTimer(this);
    connect(PairUsbTimer, SIGNAL(timeout()), this, SLOT(onUSBTimeupDestroy()));
    connect(PairStatusTimer, SIGNAL(timeout()), this, SLOT(onPairTimeupDestroy()));
    connect(PairTextTimer, SIGNAL(timeout()), this, SLOT(onTextTimeupDestroy()));
    connect(PairLimitTimer, SIGNAL(timeout()), this, SLOT(onPairTimeLimit()));
    PairStatusTimer->setInterval(StatusIntervalMs);
    PairUsbTimer->setInterval(DeviceIntervalMs);
    PairTextTimer->setInterval(TextIntervalMs);
    PairLimitTimer->setSingleShot(true);
    PairLimitTimer->setInterval(timeLimitMs);

    PostMsg *hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigTimerStop()), this, SLOT(SlotStopTimer()));
    connect(hub, SIGNAL(SigButtonEnable(int)), this, SLOT(SlotButtonenable(int)));
    connect(ui->CloseButton, SIGNAL(clicked()), this, SLOT(WindowClosedSet()));
    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(State().CurrentLanguage.load());
}

Match::~Match()
{
    // Nothing is left to end a pairing once the dialog and its timers are gone.
    State().PairActive = 0;
    PairEvent::GivePageBack();
}

void Match::setTimeLimitForTests(int milliseconds)
{
    timeLimitMs = milliseconds > 0 ? milliseconds : PairTimeLimitMs;
}

void Match::PrepareMatch()
{
    DeviceState &s = State();
    ui->MatchButton->setShortcut(QKeySequence(Qt::Key_Space));
    PairDotCount = 0;
    s.PairResult = PairEvent::Idle;
    ui->MatchButton->setEnabled(true);
    SetButtonLook(QStringLiteral("Pair.png"));
    ui->MatchButton->setText(StartText);

    DeviceAllInfo device;
    if (s.OnDevicePage.load() == 1) {
        device = s.CurrentDeviceInfo.get();
        device.Path = CurrentPath;
    } else if (s.PairDeviceSet.load() != 0) {
        device = s.PairDeviceInfo.get();
    } else {
        const QList<DeviceAllInfo> listed = DeviceLists::instance()->HomeDeviceList.get();
        if (!listed.isEmpty())
            device = listed.first();
    }
    PairPath = device.Path;
    PairVid = device.Vid;
    PairPid = device.Pid;
    PairWired = device.Wired;
    PairCid =
        quint8(ConfigIni::instance()->intValue(QStringLiteral("Option"), QStringLiteral("CID")));

    // The first look comes at once rather than a tick later.
    onUSBTimeupDestroy();
    PairUsbTimer->start(DeviceIntervalMs);
}

void Match::on_MatchButton_clicked()
{
    DeviceState &s = State();
    if (s.PairResult.load() == PairEvent::Paired || PairAllowed == 0)
        return;
    s.PairResult = PairEvent::Pairing;
    PairTextTimer->start();
    ui->MatchButton->setText(PairingText);
    SetButtonLook(QStringLiteral("Pair.png"));
    // While the page flag is 0 the device service's passes and online checks leave the device
    // alone; the pairing gives it back when it ends.
    int onPage = 1;
    if (s.OnDevicePage.compare_exchange_strong(onPage, 0))
        s.PairPageRestore = 1;
    s.PairActive = 0;
    StartPair();
}

void Match::StartPair()
{
    qCDebug(lcDiagnostics) << "Enter";
    State().PairActive = 1;
    PairStatusTimer->start();
    PairLimitTimer->start();
    const QByteArray path = PairPath.toUtf8();
    // The program's own server goes first: none of its events may act while the pairing runs.
    DeviceLink::StopServer();
    UsbServerC_Start(path.constData(), path.constData(), &Match::PairCallback);
    UsbServer_EnterDonglePairOnlyCid(PairCid);
}

// Runs on a device-library thread.
void Match::PairCallback(const unsigned char *header, int headerLength,
                         const unsigned char *payload, int payloadLength)
{
    PairEvent::Handle(header, headerLength, payload, payloadLength);
}

void Match::onPairTimeupDestroy()
{
    // The answer comes later, to PairCallback.
    UsbServer_ReadDonglePairStatus();
    int count = EnumerationLimit;
    const char *const *paths = UsbFinderC_FindHidDevicesByDefaultDeviceId(
        PairVid.toLatin1().constData(), PairPid.toLatin1().constData(), &count);
    bool present = false;
    for (int i = 0; i < count && paths; ++i)
        present = present || QString::fromUtf8(paths[i]) == PairPath;
    if ((count == 0 || !present) && State().PairActive.load() != 0)
        FailHere();
}

void Match::onPairTimeLimit()
{
    if (State().PairActive.load() != 0)
        FailHere();
}

void Match::FailHere()
{
    DeviceState &s = State();
    PairStatusTimer->stop();
    PairTextTimer->stop();
    PairLimitTimer->stop();
    s.PairActive = 0;
    s.PairResult = PairEvent::Failed;
    ui->MatchButton->setText(FailText);
    SetButtonLook(QStringLiteral("PairFail.png"));
    PairEvent::GivePageBack();
}

void Match::onUSBTimeupDestroy()
{
    if (State().PairActive.load() == 0) {
        const bool device = !PairPath.isEmpty();
        const bool wired = device && PairWired != 0;
        PairAllowed = device && !wired ? 1 : 0;
        ui->label->setVisible(wired);
        ui->textEdit->setVisible(!wired);
    }
    ui->MatchButton->setEnabled(PairAllowed == 1);
    if (PairAllowed == 0)
        SetButtonLook(QStringLiteral("Pair.png"), false);
}

void Match::onTextTimeupDestroy()
{
    if (PairDotCount >= 4)
        PairDotCount = 0;
    ui->MatchButton->setText(PairingText + QString(PairDotCount, QLatin1Char('.')));
    ++PairDotCount;
}

void Match::SlotStopTimer()
{
    PairStatusTimer->stop();
    PairTextTimer->stop();
    PairLimitTimer->stop();
}

void Match::SlotButtonenable(int enable)
{
    if (enable == 1) {
        ui->MatchButton->setText(SuccessText);
        SetButtonLook(QStringLiteral("PairSuccess.png"));
        ui->MatchButton->setEnabled(false);
    } else if (enable == 0) {
        ui->MatchButton->setText(FailText);
        SetButtonLook(QStringLiteral("PairFail.png"));
    }
}

void Match::WindowClosedSet()
{
    if (State().PairActive.load() != 0)
        return;
    StartUsbChanged(HomeUsbChanged, 600);
    PairStatusTimer->stop();
    PairUsbTimer->stop();
    PairTextTimer->stop();
    PairLimitTimer->stop();
    PairEvent::GivePageBack();
    QDialog::reject();
}

void Match::reject()
{
    WindowClosedSet();
}

void Match::SlotAllLanguage(int language)
{
    const auto text = [language](int entry, const QString &fallback) {
        return MatchTexts.text(language, entry, fallback);
    };
    ui->label->setText(text(0, ui->label->text()));
    const QString instructions = text(1, QString());
    if (!instructions.isEmpty())
        ui->textEdit->setText(instructions);
    StartText = text(2, ui->MatchButton->text());
    ui->MatchButton->setText(StartText);
    PairingText = text(3, PairingText);
    FailText = text(4, FailText);
    SuccessText = text(5, SuccessText);
}

void Match::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}

void Match::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The window manager is bypassed, so nothing else gives the dialog the keyboard (and the
    // space bar its shortcut). The keyboard goes to the dialog itself, not to the start button:
    // a focused button takes the space bar as a click of its own, and one press would start the
    // pairing twice.
    activateWindow();
    raise();
    setFocus(Qt::ActiveWindowFocusReason);
}

void Match::SetButtonLook(const QString &picture, bool allowed)
{
    QString style = SettingsTheme::PictureButtonStyle(
        QStringLiteral("QPushButton"), PairImageFolder, picture,
        allowed ? PairButtonColor : QStringLiteral("rgb(255,255,255)"));
    // A start that cannot be made is drawn dimmed, so it does not look clickable.
    if (!allowed)
        style += QStringLiteral("QPushButton:disabled{color: rgb(141,148,158);}");
    if (style == ButtonStyle)
        return;
    ButtonStyle = style;
    ui->MatchButton->setStyleSheet(style);
}
