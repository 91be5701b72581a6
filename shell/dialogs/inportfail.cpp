#include "shell/dialogs/inportfail.h"

#include "core/devicestate.h"
#include "core/languagetables.h"
#include "shell/dialogs/noticeframe.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>

void Ui_InportFail::setupUi(QDialog *dialog)
{
    NoticeFrame::setUpWindow(dialog, QStringLiteral("InportFail"));
    InportFailA = NoticeFrame::addPanel(dialog, QStringLiteral("InportFailA"));
    CloseButton = NoticeFrame::addCloseButton(InportFailA);
    label = NoticeFrame::addLabel(InportFailA, {0, 30, 301, 71}, 11);
    NewHong = NoticeFrame::addButton(InportFailA, QStringLiteral("NewHong"), {100, 110});
    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_InportFail::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    CloseButton->setText(QString());
    label->setText(QStringLiteral("Config does not match the device"));
    NewHong->setText(QStringLiteral("确定"));
}

InportFail::InportFail(QWidget *parent) : QDialog(parent), ui(new Ui_InportFail)
{
    ui->setupUi(this);
    NoticeFrame::applyLook(this, ui->InportFailA, ui->label, ui->CloseButton, {ui->NewHong});
    NoticeFrame::followLanguage(this);
    NoticeFrame::finish(this);
}

InportFail::~InportFail() = default;

void InportFail::on_NewHong_clicked()
{
    close();
}

void InportFail::on_CloseButton_clicked()
{
    close();
}

void InportFail::SlotAllLanguage(int language)
{
    switch (DeviceState::instance()->ImportResult.load()) {
    case 1:
        NoticeFrame::setText(ui->label, InportFailTexts, language, 0);
        break;
    case 2:
        NoticeFrame::setText(ui->label, InportFailTexts, language, 1);
        break;
    default:
        break;
    }
    NoticeFrame::setText(ui->NewHong, QuestionTexts, language, 2);
}
