#include "shell/dialogs/updatewarning.h"

#include "core/languagetables.h"
#include "shell/dialogs/noticeframe.h"

#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QToolButton>

void Ui_UpDateWarning::setupUi(QDialog *dialog)
{
    NoticeFrame::setUpWindow(dialog, QStringLiteral("UpDateWarning"));
    WarningFrame = NoticeFrame::addPanel(dialog, QStringLiteral("WarningFrame"));
    CloseButton = NoticeFrame::addCloseButton(WarningFrame);
    label = NoticeFrame::addLabel(WarningFrame, {5, 30, 291, 71}, 11);
    NewHong = NoticeFrame::addButton(WarningFrame, QStringLiteral("NewHong"), {100, 110});
    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_UpDateWarning::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    CloseButton->setText(QString());
    label->setText(QStringLiteral(""));
    NewHong->setText(QStringLiteral("确定"));
}

UpDateWarning::UpDateWarning(QWidget *parent) : QDialog(parent), ui(new Ui_UpDateWarning)
{
    ui->setupUi(this);
    // The settings page builds its warning at start-up, long before it may show.
    NoticeFrame::applyLookWhenPolished(this, ui->WarningFrame, ui->label, ui->CloseButton,
                                       {ui->NewHong});
    NoticeFrame::followLanguage(this);
    ui->NewHong->setShortcut(QKeySequence(Qt::Key_Return));
    NoticeFrame::finish(this);
}

UpDateWarning::~UpDateWarning() = default;

void UpDateWarning::on_NewHong_clicked()
{
    close();
}

void UpDateWarning::on_CloseButton_clicked()
{
    close();
}

void UpDateWarning::SlotAllLanguage(int language)
{
    NoticeFrame::setText(ui->NewHong, QuestionTexts, language, 2);
}

void UpDateWarning::SetText(const QString &text)
{
    ui->label->setText(text);
}
