#include "macro/macronotice.h"

#include "core/languagetables.h"
#include "shell/dialogs/noticeframe.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>

void Ui_MacroNotice::setupUi(QDialog *dialog, const MacroNoticeShape &shape)
{
    NoticeFrame::setUpWindow(dialog, shape.className);
    frame = NoticeFrame::addPanel(dialog, shape.frameName);
    CloseButton = NoticeFrame::addCloseButton(frame);
    NewHong = NoticeFrame::addButton(frame, QStringLiteral("NewHong"), {shape.confirmX, 110});
    label = NoticeFrame::addLabel(frame, shape.label);
    retranslateUi(dialog, shape);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_MacroNotice::retranslateUi(QDialog *dialog, const MacroNoticeShape &shape)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    CloseButton->setText(QString());
    NewHong->setText(QStringLiteral("确定"));
    label->setText(shape.defaultText);
}

MacroNotice::MacroNotice(const MacroNoticeShape &shape, QWidget *parent)
    : QDialog(parent), ui(new Ui_MacroNotice), Texts(shape.texts)
{
    ui->setupUi(this, shape);
    NoticeFrame::applyLook(this, ui->frame, ui->label, ui->CloseButton, {ui->NewHong});
    NoticeFrame::followLanguage(this);
    NoticeFrame::finish(this);
}

MacroNotice::~MacroNotice() = default;

QLabel *MacroNotice::Message() const
{
    return ui->label;
}

void MacroNotice::on_CloseButton_clicked()
{
    close();
}

void MacroNotice::on_NewHong_clicked()
{
    close();
}

void MacroNotice::SlotAllLanguage(int language)
{
    NoticeFrame::setText(ui->label, *Texts, language, 0);
    NoticeFrame::setText(ui->NewHong, QuestionTexts, language, 2);
}
