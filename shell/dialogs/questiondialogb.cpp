#include "shell/dialogs/questiondialogb.h"

#include "core/languagetables.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/widgets/theme.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>

void Ui_QuestiondialogB::setupUi(QDialog *dialog)
{
    NoticeFrame::setUpWindow(dialog, QStringLiteral("QuestiondialogB"));
    QuestionB = NoticeFrame::addPanel(dialog, QStringLiteral("QuestionB"), {300, 130});
    CloseButton = NoticeFrame::addCloseButton(QuestionB);
    label = NoticeFrame::addLabel(QuestionB, {0, 30, 301, 60}, 11);
    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_QuestiondialogB::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    CloseButton->setText(QString());
    label->setText(QStringLiteral("  Do not insert multiple identical devices"));
}

QuestiondialogB::QuestiondialogB(QWidget *parent) : QDialog(parent), ui(new Ui_QuestiondialogB)
{
    ui->setupUi(this);
    NoticeFrame::applyLook(this, ui->QuestionB, ui->label, ui->CloseButton, {});
    // This notice's panel is 10 px shorter than its window. The window carries the notices'
    // picture as well, so the strip under the panel continues it instead of showing the
    // toolkit's light window colour.
    setStyleSheet(Theme::PanelStyle(objectName(), Theme::WarningFolder()));
    NoticeFrame::followLanguage(this);
    NoticeFrame::finish(this);
}

QuestiondialogB::~QuestiondialogB() = default;

void QuestiondialogB::on_CloseButton_clicked()
{
    close();
}

void QuestiondialogB::SlotAllLanguage(int language)
{
    NoticeFrame::setText(ui->label, QuestionBTexts, language, 0);
}
