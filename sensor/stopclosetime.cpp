#include "sensor/stopclosetime.h"

#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "core/record/recordcodes.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/theme.h"

void Ui_StopCloseTime::setupUi(QFrame *frame)
{
    if (frame->objectName().isEmpty())
        frame->setObjectName(QStringLiteral("StopCloseTime"));
    frame->resize(145, 34);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);
    StopClose = new MyConmboBox(frame);
    StopClose->setObjectName(QStringLiteral("StopClose"));
    StopClose->setGeometry(0, 0, 131, 34);
    StopClose->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    StopClose->setMinimumSize(131, 34);
    StopClose->setMaximumSize(220, 34);
    StopClose->setFont(NoticeFrame::font(11));
    StopClose->setFocusPolicy(Qt::NoFocus);
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
    ui->StopClose->setStyleSheet(
        Theme::ComboBoxStyle(Theme::PictureFolder(QStringLiteral("Light"))));
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

void StopCloseTime::on_StopClose_activated(int index)
{
    DeviceState &state = *DeviceState::instance();
    if (state.WriteEnabled.load() == 0 || index < 0 || index >= int(SleepTimeCodes.size()))
        return;
    if (state.ButtonFilling.load() != 0)
        return;
    WriteSleepTime(SleepTimeCodes[size_t(index)]);
}
