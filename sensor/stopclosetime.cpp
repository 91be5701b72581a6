#include "sensor/stopclosetime.h"

#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "sensor/model/sensorcodes.h"
#include "sensor/panelform.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/theme.h"

void Ui_StopCloseTime::setupUi(QFrame *frame)
{
    PanelForm::SetUp(frame, "StopCloseTime", {145, 34}, false);
    StopClose = PanelForm::AddList(frame, "StopClose", {0, 0, 131, 34});
    retranslateUi(frame);
    QMetaObject::connectSlotsByName(frame);
}

void Ui_StopCloseTime::retranslateUi(QFrame *frame)
{
    frame->setWindowTitle(QStringLiteral("Frame"));
    StopClose->clear();
    StopClose->addItems({QStringLiteral("10秒"), QStringLiteral("30秒"), QStringLiteral("1分钟"),
                         QStringLiteral("5分钟"), QStringLiteral("10分钟"),
                         QStringLiteral("15分钟"), QStringLiteral("20分钟"),
                         QStringLiteral("25分钟"), QStringLiteral("30分钟"),
                         QStringLiteral("35分钟"), QStringLiteral("40分钟")});
}

StopCloseTime::StopCloseTime(QWidget *parent) : QFrame(parent), ui(new Ui_StopCloseTime)
{
    ui->setupUi(this);
    // The list's pop-up keeps the list's own view.
    PanelForm::StyleList(ui->StopClose, Theme::PictureFolder(QStringLiteral("Light")), false);
    ui->StopClose->setCurrentIndex(0);
}

StopCloseTime::~StopCloseTime() = default;

void StopCloseTime::SetIndex(int index)
{
    if (index < 0 || index >= ui->StopClose->count())
        return;
    const bool blocked = ui->StopClose->blockSignals(true);
    ui->StopClose->setCurrentIndex(index);
    ui->StopClose->blockSignals(blocked);
}

void StopCloseTime::SetItemText(int index, const QString &text)
{
    ui->StopClose->setItemText(index, text);
}

// Only the user's own choice is written (activation, also of the entry already shown), never
// while the button page fills its widgets.
void StopCloseTime::on_StopClose_activated(int index)
{
    const DeviceState &state = *DeviceState::instance();
    if (state.WriteEnabled.load() == 0)
        return;
    const int time = SensorCodes::SleepTime(index);
    if (time < 0 || state.ButtonFilling.load() != 0)
        return;
    WriteSleepTime(time);
}
