#include "macro/adddelaytime.h"

#include "core/languagetables.h"
#include "macro/macrodialog.h"
#include "shell/dialogs/noticeframe.h"

#include <QFrame>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>

void Ui_AddDelayTime::setupUi(QDialog *dialog)
{
    NoticeFrame::setUpWindow(dialog, QStringLiteral("AddDelayTime"));
    AddDelayTimeA = NoticeFrame::addPanel(dialog, QStringLiteral("AddDelayTimeA"));
    label = NoticeFrame::addLabel(AddDelayTimeA, {30, 25, 241, 41});
    label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    CloseButton = NoticeFrame::addCloseButton(AddDelayTimeA);
    spinBox = new QSpinBox(AddDelayTimeA);
    spinBox->setObjectName(QStringLiteral("spinBox"));
    spinBox->setGeometry(QRect(30, 70, 231, 20));
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(12);
    spinBox->setFont(arial);
    spinBox->setAlignment(Qt::AlignCenter);
    spinBox->setButtonSymbols(QAbstractSpinBox::NoButtons);
    spinBox->setRange(10, 65535);
    spinBox->setValue(10);
    NewHong = NoticeFrame::addButton(AddDelayTimeA, QStringLiteral("NewHong"), {40, 110});
    NewHong_2 = NoticeFrame::addButton(AddDelayTimeA, QStringLiteral("NewHong_2"), {160, 110});
    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_AddDelayTime::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    label->setText(QStringLiteral("Please enter the delay time"));
    CloseButton->setText(QString());
    NewHong->setText(QStringLiteral("确定"));
    NewHong_2->setText(QStringLiteral("取消"));
}

AddDelayTime::AddDelayTime(QWidget *parent) : QDialog(parent), ui(new Ui_AddDelayTime)
{
    ui->setupUi(this);
    NoticeFrame::applyLook(this, ui->AddDelayTimeA, ui->label, ui->CloseButton,
                           {ui->NewHong, ui->NewHong_2});
    ui->spinBox->setStyleSheet(MacroDialog::FieldStyle(QStringLiteral("QSpinBox")));
    ui->spinBox->setFocus();
    MacroDialog::TakeKeyboardWhenShown(this, ui->spinBox);
    NoticeFrame::followLanguage(this);
    MacroDialog::ScaleFonts(this);
}

AddDelayTime::~AddDelayTime() = default;

void AddDelayTime::on_NewHong_clicked()
{
    Confirmed = true;
    Delay = ui->spinBox->value();
    close();
}

void AddDelayTime::on_NewHong_2_clicked()
{
    Confirmed = false;
    close();
}

void AddDelayTime::on_CloseButton_clicked()
{
    Confirmed = false;
    close();
}

void AddDelayTime::SlotAllLanguage(int language)
{
    NoticeFrame::setText(ui->label, AddDelayTimeTexts, language, 0);
    NoticeFrame::setText(ui->NewHong, QuestionTexts, language, 2);
    NoticeFrame::setText(ui->NewHong_2, QuestionTexts, language, 3);
}
