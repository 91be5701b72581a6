#include "shell/dialogs/findnewver.h"

#include "core/languagetables.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/widgets/theme.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QToolButton>

void Ui_FindNewVer::setupUi(QDialog *dialog)
{
    NoticeFrame::setUpWindow(dialog, QStringLiteral("FindNewVer"));
    SameMacroA = NoticeFrame::addPanel(dialog, QStringLiteral("SameMacroA"));
    CloseButton = NoticeFrame::addCloseButton(SameMacroA);
    label = NoticeFrame::addLabel(SameMacroA, {0, 30, 301, 51});
    NewHong = NoticeFrame::addButton(SameMacroA, QStringLiteral("NewHong"), {100, 90});
    NoApear = new QCheckBox(SameMacroA);
    NoApear->setObjectName(QStringLiteral("NoApear"));
    NoApear->setGeometry(QRect(0, 120, 291, 18));
    NoApear->setFocusPolicy(Qt::NoFocus);
    NoApear->setChecked(false);
    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_FindNewVer::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    CloseButton->setText(QString());
    label->setText(QStringLiteral("发现新固件,请更新!"));
    NewHong->setText(QStringLiteral("确定"));
    NoApear->setText(QStringLiteral("下次不再显示"));
}

FindNewVer::FindNewVer(QWidget *parent) : QDialog(parent), ui(new Ui_FindNewVer)
{
    ui->setupUi(this);
    NoticeFrame::applyLook(this, ui->SameMacroA, ui->label, ui->CloseButton, {ui->NewHong});
    // The box would otherwise draw in the toolkit's text colour on the dark panel.
    ui->NoApear->setStyleSheet(Theme::CheckBoxStyle(Theme::WarningFolder()));
    NoticeFrame::followLanguage(this);
    NoticeFrame::finish(this);
}

FindNewVer::~FindNewVer() = default;

void FindNewVer::on_NewHong_clicked()
{
    close();
}

void FindNewVer::on_CloseButton_clicked()
{
    close();
}

void FindNewVer::SlotAllLanguage(int language)
{
    NoticeFrame::setText(ui->label, NewVerTexts, language, 0);
    ui->NoApear->setText(NewVerTexts.text(language, 1, ui->NoApear->text()));
    NoticeFrame::setText(ui->NewHong, QuestionTexts, language, 2);
}
