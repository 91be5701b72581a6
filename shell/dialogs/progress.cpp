#include "shell/dialogs/progress.h"

#include "core/devicestate.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "shell/dialogs/noticeframe.h"

#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QProgressBar>
#include <QToolButton>

void Ui_Progress::setupUi(QDialog *dialog)
{
    NoticeFrame::setUpWindow(dialog, QStringLiteral("Progress"));
    AddDelayTimeA = NoticeFrame::addPanel(dialog, QStringLiteral("AddDelayTimeA"));
    CloseButton = NoticeFrame::addCloseButton(AddDelayTimeA);
    label = NoticeFrame::addLabel(AddDelayTimeA, {10, 15, 281, 51});
    label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    progressBar_2 = new QProgressBar(AddDelayTimeA);
    progressBar_2->setObjectName(QStringLiteral("progressBar_2"));
    progressBar_2->setGeometry(QRect(30, 70, 241, 26));
    progressBar_2->setValue(0);
    progressBar_2->setInvertedAppearance(false);
    progressBar_2->setStyleSheet(
        QStringLiteral("QProgressBar{border:2px solid grey;border-radius:5px;"
                       "background-color:transparent;color:white;text-align:center;}"
                       "QProgressBar::chunk{background-color:rgb(80,240,0);width:20px;}"));
    NewHong = NoticeFrame::addButton(AddDelayTimeA, QStringLiteral("NewHong"), {110, 110});
    NewHong->setFocusPolicy(Qt::NoFocus);
    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_Progress::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    CloseButton->setText(QString());
    label->setText(QString());
    progressBar_2->setFormat(QString());
    NewHong->setText(QStringLiteral("确定"));
}

Progress::Progress(QWidget *parent) : QDialog(parent), ui(new Ui_Progress)
{
    ui->setupUi(this);
    NoticeFrame::applyLook(this, ui->AddDelayTimeA, ui->label, ui->CloseButton, {ui->NewHong});
    PostMsg *hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigCloseProgress()), this, SLOT(SlotCloseProgress()));
    NoticeFrame::followLanguage(this);
    ui->NewHong->hide();
    showPercent(1);
    NoticeFrame::finish(this);
}

Progress::~Progress() = default;

void Progress::showPercent(int percent)
{
    ui->label->setText(PrefixText + QStringLiteral(": ") + QString::number(percent) +
                       QLatin1Char('%'));
}

void Progress::SlotProgress(int value, int kind)
{
    ui->progressBar_2->setValue(value);
    switch (kind) {
    case 0:
        showPercent(value);
        break;
    case 1:
        ui->NewHong->setShortcut(QKeySequence(Qt::Key_Return));
        ui->label->setText(FailText);
        ui->NewHong->show();
        break;
    case 2:
        ui->NewHong->setShortcut(QKeySequence(Qt::Key_Return));
        ui->label->setText(SuccessText);
        ui->progressBar_2->setValue(100);
        ui->NewHong->show();
        break;
    case 3:
        ui->NewHong->hide();
        break;
    case 4:
        ui->NewHong->hide();
        showPercent(0);
        ui->progressBar_2->setValue(0);
        break;
    default:
        break;
    }
}

void Progress::SlotCloseProgress()
{
    // Closing while the settings page still polls for the update would lose its result.
    if (DeviceState::instance()->UpdateChecking.load())
        return;
    close();
    showPercent(0);
    ui->progressBar_2->setValue(0);
}

void Progress::closeAndContinue()
{
    PostMsg *hub = PostMsg::GetInstance();
    if (ui->label->text() == FailText) {
        emit hub->SigChangeMainDialog(0);
        close();
        return;
    }
    close();
    showPercent(0);
    ui->progressBar_2->setValue(0);
    emit hub->SigContinue(0);
}

void Progress::on_NewHong_clicked()
{
    closeAndContinue();
}

void Progress::on_CloseButton_clicked()
{
    if (DeviceState::instance()->UpdateChecking.load())
        return;
    closeAndContinue();
}

void Progress::SlotAllLanguage(int language)
{
    NoticeFrame::setText(ui->NewHong, DialogChangeTexts, language, 4);
    PrefixText = ProgressTexts.text(language, 0, PrefixText);
    SuccessText = ProgressTexts.text(language, 1, SuccessText);
    FailText = ProgressTexts.text(language, 2, FailText);
}
