#include "shell/dialogs/mouseoffline.h"

#include "core/devicestate.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "shell/dialogs/noticeframe.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>

void Ui_MouseOffLine::setupUi(QDialog *dialog)
{
    NoticeFrame::setUpWindow(dialog, QStringLiteral("MouseOffLine"));
    MouseOffLineA = NoticeFrame::addPanel(dialog, QStringLiteral("MouseOffLineA"));
    CloseButton = NoticeFrame::addCloseButton(MouseOffLineA, {275, 3});
    label = NoticeFrame::addLabel(MouseOffLineA, {0, 20, 301, 71});
    NewHong = NoticeFrame::addButton(MouseOffLineA, QStringLiteral("NewHong"), {100, 100});
    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_MouseOffLine::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    CloseButton->setText(QString());
    label->setText(QStringLiteral("   The mouse is offline. Please move first"));
    NewHong->setText(QStringLiteral("确定"));
}

MouseOffLine::MouseOffLine(QWidget *parent) : QDialog(parent), ui(new Ui_MouseOffLine)
{
    ui->setupUi(this);
    // This notice's button pictures are ConFirm.png / ConFirmClick.png, not the Confirm.png of
    // the other notices; both sets ship.
    NoticeFrame::applyLook(this, ui->MouseOffLineA, ui->label, ui->CloseButton, {ui->NewHong},
                           QStringLiteral("ConFirm.png"), QStringLiteral("ConFirmClick.png"));
    PostMsg *hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigCloseOffOnline()), this, SLOT(on_CloseButton_clicked()));
    NoticeFrame::followLanguage(this);
    NoticeFrame::finish(this);
}

MouseOffLine::~MouseOffLine() = default;

void MouseOffLine::on_NewHong_clicked()
{
    close();
}

void MouseOffLine::on_CloseButton_clicked()
{
    close();
}

void MouseOffLine::SlotAllLanguage(int language)
{
    const int mode = DeviceState::instance()->MouseOffLineMode.load();
    if (mode == 0)
        NoticeFrame::setText(ui->label, MouseOffLineTexts, language, 0);
    NoticeFrame::setText(ui->NewHong, QuestionTexts, language, 2);
    if (mode == 1)
        NoticeFrame::setText(ui->label, MouseOffLineTexts, language, 1);
}
