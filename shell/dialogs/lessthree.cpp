#include "shell/dialogs/lessthree.h"

#include "core/languagetables.h"
#include "shell/dialogs/noticeframe.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>

void Ui_LessThree::setupUi(QDialog *dialog)
{
    NoticeFrame::setUpWindow(dialog, QStringLiteral("LessThree"));
    LessThreeframe = NoticeFrame::addPanel(dialog, QStringLiteral("LessThreeframe"));
    CloseButton = NoticeFrame::addCloseButton(LessThreeframe);
    label = NoticeFrame::addLabel(LessThreeframe, {2, 30, 300, 61}, 9);
    NewHong = NoticeFrame::addButton(LessThreeframe, QStringLiteral("NewHong"), {100, 110});
    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_LessThree::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    CloseButton->setText(QString());
    label->setText(QStringLiteral("Please wait, we are updating the setting"));
    NewHong->setText(QStringLiteral("确定"));
}

LessThree::LessThree(QWidget *parent) : QDialog(parent), ui(new Ui_LessThree)
{
    ui->setupUi(this);
    NoticeFrame::applyLook(this, ui->LessThreeframe, ui->label, ui->CloseButton, {ui->NewHong});
    NoticeFrame::followLanguage(this);
    NoticeFrame::finish(this);
}

LessThree::~LessThree() = default;

void LessThree::on_NewHong_clicked()
{
    close();
}

void LessThree::on_CloseButton_clicked()
{
    close();
}

void LessThree::SlotAllLanguage(int language)
{
    NoticeFrame::setText(ui->label, LessThreeTexts, language, 0);
    NoticeFrame::setText(ui->NewHong, QuestionTexts, language, 2);
}
