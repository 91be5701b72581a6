#include "shell/dialogs/repair.h"

#include "core/languagetables.h"
#include "shell/dialogs/noticeframe.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>

void Ui_RePair::setupUi(QDialog *dialog)
{
    NoticeFrame::setUpWindow(dialog, QStringLiteral("RePair"));
    RePairA = NoticeFrame::addPanel(dialog, QStringLiteral("RePairA"));
    CloseButton = NoticeFrame::addCloseButton(RePairA);
    label = NoticeFrame::addLabel(RePairA, {0, 30, 301, 71});
    OK = NoticeFrame::addButton(RePairA, QStringLiteral("OK"), {40, 110});
    Cancel = NoticeFrame::addButton(RePairA, QStringLiteral("Cancel"), {180, 110});
    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_RePair::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    CloseButton->setText(QString());
    label->setText(QStringLiteral("        Do you need to pair again"));
    OK->setText(QStringLiteral("确定"));
    Cancel->setText(QStringLiteral("取消"));
}

RePair::RePair(QWidget *parent) : QDialog(parent), ui(new Ui_RePair)
{
    ui->setupUi(this);
    NoticeFrame::applyLook(this, ui->RePairA, ui->label, ui->CloseButton, {ui->OK, ui->Cancel});
    NoticeFrame::followLanguage(this);
    NoticeFrame::finish(this);
}

RePair::~RePair() = default;

void RePair::on_CloseButton_clicked()
{
    Confirmed = false;
    close();
}

void RePair::on_OK_clicked()
{
    Confirmed = true;
    close();
}

void RePair::on_Cancel_clicked()
{
    Confirmed = false;
    close();
}

void RePair::SlotAllLanguage(int language)
{
    NoticeFrame::setText(ui->label, RePairTexts, language, 0);
    NoticeFrame::setText(ui->OK, QuestionTexts, language, 2);
    NoticeFrame::setText(ui->Cancel, QuestionTexts, language, 3);
}
