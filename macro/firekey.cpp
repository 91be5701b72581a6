#include "macro/firekey.h"

#include "core/languagetables.h"
#include "macro/macrodialog.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/widgets/formparts.h"
#include "shell/widgets/theme.h"

#include <QFrame>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>

namespace {

constexpr QSize Size{406, 170};

QLabel *addCaption(QFrame *panel, const char *name, const QRect &geometry)
{
    QLabel *label = FormParts::Label(panel, name, geometry, 11);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QSpinBox *addNumber(QFrame *panel, const char *name, const QRect &geometry, int minimum,
                    int maximum, int value)
{
    auto *box = FormParts::Make<QSpinBox>(panel, name, geometry);
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSize(12);
    box->setFont(arial);
    box->setAlignment(Qt::AlignCenter);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    box->setRange(minimum, maximum);
    box->setValue(value);
    return box;
}

} // namespace

void Ui_FireKey::setupUi(QDialog *dialog)
{
    if (dialog->objectName().isEmpty())
        dialog->setObjectName(QStringLiteral("FireKey"));
    dialog->resize(Size);
    dialog->setFixedSize(Size);
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    FireKeyA = NoticeFrame::addPanel(dialog, QStringLiteral("FireKeyA"), Size);
    CloseButton = NoticeFrame::addCloseButton(FireKeyA, {380, 5});
    // Each caption centred over its box and wide enough for the longer translations.
    label_2 = addCaption(FireKeyA, "label_2", {205, 30, 181, 16});
    label = addCaption(FireKeyA, "label", {5, 30, 181, 16});
    Count = addNumber(FireKeyA, "Count", {60, 50, 71, 27}, 0, 3, 3);
    Time = addNumber(FireKeyA, "Time", {255, 50, 81, 27}, 10, 255, 10);
    label_3 = addCaption(FireKeyA, "label_3", {0, 79, 401, 61});
    label_3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label_3->setWordWrap(true);
    // The notices' button size, so that every caption of the buttons fits.
    NewHong = NoticeFrame::addButton(FireKeyA, QStringLiteral("NewHong"), {56, 137});
    NewHong_2 = NoticeFrame::addButton(FireKeyA, QStringLiteral("NewHong_2"), {256, 137});
    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_FireKey::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    CloseButton->setText(QString());
    label_2->setText(QStringLiteral("间隔 (10-255)"));
    label->setText(QStringLiteral("次数 (0-3)"));
    label_3->setText(QStringLiteral("次数设置为0时, 按下按键一直发, 松开按键结束"));
    NewHong->setText(QStringLiteral("确认"));
    NewHong_2->setText(QStringLiteral("取消"));
}

FireKey::FireKey(QWidget *parent) : QDialog(parent), ui(new Ui_FireKey)
{
    ui->setupUi(this);
    NoticeFrame::applyLook(this, ui->FireKeyA, ui->label, ui->CloseButton,
                           {ui->NewHong, ui->NewHong_2});
    for (QLabel *caption : {ui->label_2, ui->label_3})
        caption->setStyleSheet(Theme::LabelStyle());
    const QString number = MacroDialog::FieldStyle(QStringLiteral("QSpinBox"));
    ui->Count->setStyleSheet(number);
    ui->Time->setStyleSheet(number);
    // The panel picture is drawn for the notices' size: stretched over this larger dialog.
    ui->FireKeyA->setStyleSheet(
        QStringLiteral("#FireKeyA{border:0px;background-position:center;"
                       "background-repeat:no-repeat;border-image: url(%1BackGround.png);}")
            .arg(Theme::WarningFolder()));
    MacroDialog::TakeKeyboardWhenShown(this, ui->Count);
    NoticeFrame::followLanguage(this);
    MacroDialog::ScaleFonts(this);
}

FireKey::~FireKey() = default;

void FireKey::SetInterval(int value)
{
    ui->Time->setValue(value);
}

void FireKey::SetCount(int value)
{
    ui->Count->setValue(value);
}

void FireKey::on_CloseButton_clicked()
{
    Confirmed = false;
    close();
}

void FireKey::on_NewHong_2_clicked()
{
    Confirmed = false;
    close();
}

void FireKey::on_NewHong_clicked()
{
    Confirmed = true;
    Interval = ui->Time->value();
    Count = ui->Count->value();
    close();
}

void FireKey::SlotAllLanguage(int language)
{
    NoticeFrame::setText(ui->label, FireKeyTexts, language, 0);
    NoticeFrame::setText(ui->label_2, FireKeyTexts, language, 1);
    NoticeFrame::setText(ui->label_3, FireKeyTexts, language, 2);
    NoticeFrame::setText(ui->NewHong, QuestionTexts, language, 2);
    NoticeFrame::setText(ui->NewHong_2, QuestionTexts, language, 3);
}
