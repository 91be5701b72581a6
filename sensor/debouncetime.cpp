#include "sensor/debouncetime.h"

#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "sensor/model/sensorcodes.h"
#include "sensor/panelform.h"
#include "shell/dialogs/lessthree.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/theme.h"

void Ui_DebounceTime::setupUi(QFrame *panel)
{
    PanelForm::SetUp(panel, "DebounceTime", {164, 37}, false);
    Debunce = PanelForm::AddList(panel, "Debunce", {0, 0, 141, 34});
    // Filled before the slot is connected: building the panel writes nothing.
    retranslateUi(panel);
    QMetaObject::connectSlotsByName(panel);
}

// The form's own texts; the host's language gives every entry its number and unit.
void Ui_DebounceTime::retranslateUi(QFrame *panel)
{
    panel->setWindowTitle(QStringLiteral("Frame"));
    Debunce->clear();
    Debunce->addItems(
        {QStringLiteral("1ms"), QStringLiteral("0"), QStringLiteral("2ms"), QStringLiteral("3"),
         QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"),
         QStringLiteral("8"), QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("11"),
         QStringLiteral("12"), QStringLiteral("13"), QStringLiteral("14"), QStringLiteral("15")});
}

DebounceTime::DebounceTime(QWidget *parent) : QFrame(parent), ui(new Ui_DebounceTime)
{
    ui->setupUi(this);
    PictureDir = Theme::PictureFolder(QStringLiteral("Buttoninterface"));
    PanelForm::StyleList(ui->Debunce, PictureDir);
}

DebounceTime::~DebounceTime() = default;

void DebounceTime::SetIndex(int index)
{
    ui->Debunce->setCurrentIndex(index);
}

void DebounceTime::SetItemText(int index, const QString &unit)
{
    ui->Debunce->setItemText(index, QString::number(index) + unit);
}

void DebounceTime::on_Debunce_currentIndexChanged(int index)
{
    const DeviceState &state = *DeviceState::instance();
    // No entry (a stored value beyond the list) is no debounce time: 0xFF must not reach the
    // mouse.
    if (state.WriteEnabled.load() == 0 || index < 0)
        return;
    WriteDebounceTime(index);
    if (index > SensorCodes::DebounceNoticeLast || state.ButtonFilling.load() != 0)
        return;
    LessThree notice;
    NoticeFrame::place(&notice, this, NoticeOffset::LessThree);
    notice.exec();
}
