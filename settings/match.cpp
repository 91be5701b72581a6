#include "settings/match.h"

#include "core/configini.h"
#include "core/devicediscovery.h"
#include "core/devicestate.h"
#include "core/hotplug.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "platform/devicelib/devicelib.h"
#include "shell/dialogs/noticeframe.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>

void Ui_Match::setupUi(QDialog *dialog)
{
    NoticeFrame::setUpWindow(dialog, QStringLiteral("Match"));
    MatchA = NoticeFrame::addPanel(dialog, QStringLiteral("MatchA"));
    CloseButton = NoticeFrame::addCloseButton(MatchA);
    label = NoticeFrame::addLabel(MatchA, {10, 20, 281, 81}, 10);
    MatchButton = NoticeFrame::addButton(MatchA, QStringLiteral("MatchButton"), {100, 110});
    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_Match::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    CloseButton->setText(QString());
    label->setText(QString());
    MatchButton->setText(QStringLiteral("Start"));
}

Match::Match(QWidget *parent) : QDialog(parent), ui(new Ui_Match)
{
    ui->setupUi(this);
    NoticeFrame::applyLook(this, ui->MatchA, ui->label, ui->CloseButton, {ui->MatchButton});
    connect(ui->CloseButton, SIGNAL(clicked()), this, SLOT(WindowClosedSet()));
    connect(PostMsg::GetInstance(), SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(DeviceState::instance()->CurrentLanguage.load());
    NoticeFrame::finish(this);
}

Match::~Match() = default;

void Match::PrepareMatch()
{
    DeviceState &state = *DeviceState::instance();
    ui->MatchButton->setEnabled(true);
    ui->MatchButton->setShortcut(QKeySequence(Qt::Key_Space));

    DeviceAllInfo device;
    bool fromConfig = true;
    if (state.OnDevicePage.load() == 1) {
        device = state.CurrentDeviceInfo.get();
        PairCid = device.Cid;
        fromConfig = false;
    } else if (state.PairDeviceSet.load() == 1) {
        device = state.PairDeviceInfo.get();
    } else {
        const QList<DeviceAllInfo> list = DeviceLists::instance()->HomeDeviceList.get();
        if (!list.isEmpty())
            device = list.first();
    }
    if (fromConfig)
        PairCid = quint8(
            ConfigIni::instance()->intValue(QStringLiteral("Option"), QStringLiteral("CID")));
    PairPath = device.Path;
    PairVid = device.Vid;
    PairPid = device.Pid;
    PairWired = device.Wired;
}

void Match::WindowClosedSet()
{
    StartUsbChanged(HomeUsbChanged, 600);
    close();
}

void Match::SlotAllLanguage(int language)
{
    NoticeFrame::setText(ui->label, MatchTexts, language, 1);
    NoticeFrame::setText(ui->MatchButton, MatchTexts, language, 2);
}
