#include "shell/dialogs/deleteconfirm.h"

#include "core/languagetables.h"
#include "shell/dialogs/noticeframe.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>

void Ui_DeleteConfirm::setupUi(QDialog *dialog)
{
    NoticeFrame::setUpWindow(dialog, QStringLiteral("DeleteConfirm"));
    DeleteConfirmA = NoticeFrame::addPanel(dialog, QStringLiteral("DeleteConfirmA"));
    CloseButton = NoticeFrame::addCloseButton(DeleteConfirmA);
    label = NoticeFrame::addLabel(DeleteConfirmA, {5, 30, 291, 71}, 11);
    NewHong = NoticeFrame::addButton(DeleteConfirmA, QStringLiteral("NewHong"), {100, 110});
    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_DeleteConfirm::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    CloseButton->setText(QString());
    label->setText(QStringLiteral("Confirm Delete"));
    NewHong->setText(QStringLiteral("确定"));
}

DeleteConfirm::DeleteConfirm(QWidget *parent) : QDialog(parent), ui(new Ui_DeleteConfirm)
{
    ui->setupUi(this);
    NoticeFrame::applyLook(this, ui->DeleteConfirmA, ui->label, ui->CloseButton, {ui->NewHong});
    NoticeFrame::followLanguage(this);
    NoticeFrame::finish(this);
}

DeleteConfirm::~DeleteConfirm() = default;

void DeleteConfirm::on_NewHong_clicked()
{
    Confirmed = true;
    close();
}

void DeleteConfirm::on_CloseButton_clicked()
{
    Confirmed = false;
    close();
}

void DeleteConfirm::SlotAllLanguage(int language)
{
    NoticeFrame::setText(ui->label, DeleteConfirmTexts, language, 0);
    NoticeFrame::setText(ui->NewHong, QuestionTexts, language, 2);
}
