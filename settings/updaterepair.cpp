#include "settings/updaterepair.h"

#include "core/devicestate.h"
#include "core/firmwareimages.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "shell/dialogs/noticeframe.h"

#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QProgressBar>
#include <QToolButton>

void Ui_UpDateRepair::setupUi(QDialog *dialog)
{
    NoticeFrame::setUpWindow(dialog, QStringLiteral("UpDateRepair"));
    UpDateRepairA = NoticeFrame::addPanel(dialog, QStringLiteral("UpDateRepairA"));
    CloseButton = NoticeFrame::addCloseButton(UpDateRepairA);
    label = NoticeFrame::addLabel(UpDateRepairA, {0, 20, 301, 51}, 11);
    progressBar = new QProgressBar(UpDateRepairA);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setGeometry(30, 80, 240, 14);
    progressBar->setRange(0, 100);
    NewHong_2 = NoticeFrame::addButton(UpDateRepairA, QStringLiteral("NewHong_2"), {40, 110});
    NewHong = NoticeFrame::addButton(UpDateRepairA, QStringLiteral("NewHong"), {180, 110});
    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_UpDateRepair::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    CloseButton->setText(QString());
    label->setText(QString());
    NewHong_2->setText(QStringLiteral("OK"));
    NewHong->setText(QStringLiteral("Cancel"));
}

UpDateRepair::UpDateRepair(QWidget *parent) : QDialog(parent), ui(new Ui_UpDateRepair)
{
    ui->setupUi(this);
    NoticeFrame::applyLook(this, ui->UpDateRepairA, ui->label, ui->CloseButton,
                           {ui->NewHong_2, ui->NewHong});
    PostMsg *hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigRepairCheckUpdate()), this, SLOT(SlotRepairCheckUpdate()));
    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(DeviceState::instance()->CurrentLanguage.load());
    NoticeFrame::finish(this);
}

UpDateRepair::~UpDateRepair() = default;

void UpDateRepair::ResetUi()
{
    ui->label->setText(QString());
    ui->NewHong_2->show();
    ui->NewHong->show();
    ui->CloseButton->show();
    ui->progressBar->setValue(0);
    ui->progressBar->hide();
    ui->NewHong_2->setShortcut(QKeySequence(Qt::Key_Return));
    ui->NewHong->setShortcut(QKeySequence(Qt::Key_Escape));
}

bool UpDateRepair::FindFirmwareFile(int target, const QString &deviceVersion,
                                    const QString &identifier, int cid, int mid)
{
    ImagePending.clear();
    const bool found =
        FirmwareImages::FindFirmwareFile(target, deviceVersion, identifier, cid, mid);
    if (found)
        ImagePending = FirmwareImages::FirmwareImageList();
    return found;
}

void UpDateRepair::StartForced(int index)
{
    ForcedStart = true;
    FailTarget = index;
    if (ImagePending.isEmpty()) {
        PostMsg *hub = PostMsg::GetInstance();
        emit hub->SigAutoRepair(0);
        emit hub->SigUpDateButton(true);
    }
}

void UpDateRepair::SlotRepairCheckUpdate()
{
    // The repair check against UpdateFailInfo and the device lists comes with the repair flow.
}

void UpDateRepair::on_CloseButton_clicked()
{
    close();
}

void UpDateRepair::on_NewHong_clicked()
{
    close();
}

void UpDateRepair::SlotAllLanguage(int language)
{
    // The confirm caption is shared with the home page's panel (entry 4 of its table).
    ui->NewHong_2->setText(DialogChangeTexts.text(language, 4, ui->NewHong_2->text()));
    ui->NewHong->setText(QuestionTexts.text(language, 3, ui->NewHong->text()));
}
