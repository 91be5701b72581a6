#include "macro/containreset.h"

#include "core/languagetables.h"
#include "shell/dialogs/noticeframe.h"

#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QToolButton>

void Ui_ContainReset::setupUi(QDialog *dialog)
{
    NoticeFrame::setUpWindow(dialog, QStringLiteral("ContainReset"));
    ContainResetA = NoticeFrame::addPanel(dialog, QStringLiteral("ContainResetA"));
    CloseButton = NoticeFrame::addCloseButton(ContainResetA);
    label = NoticeFrame::addLabel(ContainResetA, {10, 30, 281, 71});
    OK = NoticeFrame::addButton(ContainResetA, QStringLiteral("OK"), {40, 110});
    Cancel = NoticeFrame::addButton(ContainResetA, QStringLiteral("Cancel"), {170, 110});
    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_ContainReset::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    CloseButton->setText(QString());
    label->setText(QStringLiteral(" Is need to restore the default settings"));
    OK->setText(QStringLiteral("确定"));
    Cancel->setText(QStringLiteral("取消"));
}

ContainReset::ContainReset(QWidget *parent) : QDialog(parent), ui(new Ui_ContainReset)
{
    ui->setupUi(this);
    NoticeFrame::applyLook(this, ui->ContainResetA, ui->label, ui->CloseButton,
                           {ui->OK, ui->Cancel});
    NoticeFrame::followLanguage(this);
    ui->OK->setShortcut(QKeySequence(Qt::Key_Return));
    NoticeFrame::finish(this);
}

ContainReset::~ContainReset() = default;

void ContainReset::SetText(const QString &text)
{
    ui->label->setText(text);
}

void ContainReset::on_CloseButton_clicked()
{
    Confirmed = false;
    close();
}

void ContainReset::on_OK_clicked()
{
    Confirmed = true;
    close();
}

void ContainReset::on_Cancel_clicked()
{
    Confirmed = false;
    close();
}

void ContainReset::SlotAllLanguage(int language)
{
    NoticeFrame::setText(ui->label, ContainResetTexts, language, 0);
    // The OK caption is shared with the home page's confirm buttons.
    NoticeFrame::setText(ui->OK, DialogChangeTexts, language, 4);
    NoticeFrame::setText(ui->Cancel, QuestionTexts, language, 3);
}
