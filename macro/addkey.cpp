#include "macro/addkey.h"

#include "core/languagetables.h"
#include "macro/keyboardhook.h"
#include "macro/macrodialog.h"
#include "macro/model/keyvocabulary.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/widgets/theme.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

void Ui_addKey::setupUi(QDialog *dialog)
{
    NoticeFrame::setUpWindow(dialog, QStringLiteral("addKey"));
    addKeyA = NoticeFrame::addPanel(dialog, QStringLiteral("addKeyA"));
    label = NoticeFrame::addLabel(addKeyA, {30, 25, 241, 41});
    label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    CloseButton = NoticeFrame::addCloseButton(addKeyA);
    lineEdit = new QLineEdit(addKeyA);
    lineEdit->setObjectName(QStringLiteral("lineEdit"));
    lineEdit->setGeometry(QRect(30, 70, 231, 20));
    lineEdit->setFont(Theme::Font(12));
    lineEdit->setMaxLength(50);
    lineEdit->setAlignment(Qt::AlignCenter);
    NewHong = NoticeFrame::addButton(addKeyA, QStringLiteral("NewHong"), {40, 110});
    NewHong_2 = NoticeFrame::addButton(addKeyA, QStringLiteral("NewHong_2"), {160, 110});
    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_addKey::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    label->setText(QStringLiteral("Please enter a button"));
    CloseButton->setText(QString());
    NewHong->setText(QStringLiteral("确定"));
    NewHong_2->setText(QStringLiteral("取消"));
}

addKey::addKey(QWidget *parent) : QDialog(parent), ui(new Ui_addKey)
{
    ui->setupUi(this);
    Hook.reset(new KeyboardHook(KeyboardHook::AddKeyDialog));
    // The callback first: an earlier dialog's must never be called.
    Hook->SetCallback(
        [this](int vk, bool down, bool repeat) { UpdateCapslockTip(vk, down, repeat); });
    Hook->Install();
    NoticeFrame::applyLook(this, ui->addKeyA, ui->label, ui->CloseButton,
                           {ui->NewHong, ui->NewHong_2});
    // Keys come through the hook; an input method would only hold them back.
    ui->lineEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    ui->lineEdit->setStyleSheet(MacroDialog::FieldStyle(QStringLiteral("QLineEdit")));
    ui->lineEdit->setFocus();
    MacroDialog::TakeKeyboardWhenShown(this, ui->lineEdit);
    NoticeFrame::followLanguage(this);
    MacroDialog::ScaleFonts(this);
}

addKey::~addKey()
{
    Hook->Uninstall();
}

void addKey::keyPressEvent(QKeyEvent *event)
{
    // Escape is a key to capture, not a way out of the dialog.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F12)
        return;
    QDialog::keyPressEvent(event);
}

void addKey::on_CloseButton_clicked()
{
    Confirmed = false;
    Hook->Uninstall();
    reject();
}

void addKey::on_NewHong_clicked()
{
    // No key taken (or one without a name): confirming nothing is a cancel, never a key 0x00.
    if (KeyName.isEmpty()) {
        on_NewHong_2_clicked();
        return;
    }
    Confirmed = true;
    Hook->Uninstall();
    accept();
}

void addKey::on_NewHong_2_clicked()
{
    Confirmed = false;
    Hook->Uninstall();
    reject();
}

void addKey::UpdateCapslockTip(int vk, bool down, bool repeat)
{
    Q_UNUSED(down);
    Q_UNUSED(repeat);
    const QString name = VirtualKeyName(vk).value_or(QString());
    ui->lineEdit->setText(name);
    KeyName = name;
}

void addKey::SlotAllLanguage(int language)
{
    NoticeFrame::setText(ui->label, AddKeyTexts, language, 0);
    NoticeFrame::setText(ui->NewHong, QuestionTexts, language, 2);
    NoticeFrame::setText(ui->NewHong_2, QuestionTexts, language, 3);
}
