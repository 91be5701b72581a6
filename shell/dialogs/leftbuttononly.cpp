#include "shell/dialogs/leftbuttononly.h"

#include "core/languagetables.h"
#include "shell/dialogs/noticeframe.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>

void Ui_LeftButtonOnly::setupUi(QDialog *dialog)
{
    NoticeFrame::setUpWindow(dialog, QStringLiteral("LeftButtonOnly"));
    ButtonOnly = NoticeFrame::addPanel(dialog, QStringLiteral("ButtonOnly"), {300, 140});
    CloseButton = NoticeFrame::addCloseButton(ButtonOnly);
    label = NoticeFrame::addLabel(ButtonOnly, {0, 19, 301, 91}, 11);
    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_LeftButtonOnly::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    CloseButton->setText(QString());
    label->setText(QStringLiteral("Left button must be retained"));
}

LeftButtonOnly::LeftButtonOnly(QWidget *parent) : QDialog(parent), ui(new Ui_LeftButtonOnly)
{
    ui->setupUi(this);
    NoticeFrame::applyLook(this, ui->ButtonOnly, ui->label, ui->CloseButton, {});
    NoticeFrame::followLanguage(this);
    NoticeFrame::finish(this);
}

LeftButtonOnly::~LeftButtonOnly() = default;

void LeftButtonOnly::on_CloseButton_clicked()
{
    close();
}

void LeftButtonOnly::SlotAllLanguage(int language)
{
    NoticeFrame::setText(ui->label, ButtonOnlyTexts, language, 0);
}
