#include "settings/inputpica.h"

#include "core/devicestate.h"
#include "core/postmsg.h"
#include "platform/devicelib/devicelib.h"
#include "platform/diagnostics.h"
#include "settings/screenclock.h"
#include "shell/widgets/theme.h"

#include <QTimer>

namespace {

// A packet goes out every 50th tick of 200 ms: every 10 seconds, the first 10 seconds after
// the start.
constexpr int TickMs = 200;
constexpr int TicksPerPacket = 50;
// The hot-plug notification's polling interval the library is asked for.
constexpr int HotPlugIntervalMs = 600;

} // namespace

MyThread::~MyThread()
{
    wait();
}

void MyThread::run()
{
    qCDebug(lcDiagnostics, "Thread is running");
}

InputPicA::InputPicA(QWidget *parent) : QDialog(parent), ui(new Ui_InputPicA)
{
    ui->setupUi(this);
    Timer = new QTimer(this);
    connect(Timer, &QTimer::timeout, this, &InputPicA::onEraseChipTimeTimer);
    Timer->setInterval(TickMs);
    Group = ui->groupSlots(this);
    ImageFolder = Theme::PictureFolder(QStringLiteral("ScreeInfo"));
    ui->applyLook(this);
}

InputPicA::~InputPicA() = default;

void InputPicA::StartScreenCheck(bool start)
{
    if (!start)
        return;
    TickCount = 0;
    Timer->start();
    StartUsbChanged(ScreenUsbChanged, HotPlugIntervalMs);
}

void InputPicA::onEraseChipTimeTimer()
{
    if (++TickCount < TicksPerPacket)
        return;
    TickCount = 0;
    // With no screen found yet the tick does nothing.
    ScreenClockSender::SendClockToScreen();
}

void InputPicA::UpDataLanguage()
{
    SlotAllLanguage(DeviceState::instance()->CurrentLanguage.load());
}

void InputPicA::SlotAllLanguage(int language)
{
    ui->applyLanguage(language);
}

void InputPicA::on_CloseButton_clicked()
{
    emit PostMsg::GetInstance()->SigButtonCheck();
    close();
}
