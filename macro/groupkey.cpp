#include "macro/groupkey.h"

#include "core/languagetables.h"
#include "core/record/recordcodes.h"
#include "core/throttleclock.h"
#include "macro/groupmaxthree.h"
#include "macro/keyboardhook.h"
#include "macro/macrodialog.h"
#include "macro/model/keyvocabulary.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/widgets/formparts.h"
#include "shell/widgets/mylineedit.h"
#include "shell/widgets/theme.h"

#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>

namespace {

// A combination's keys are counted from the first key's press.
constexpr qint64 CombinationWindowMs = 2000;

// The keys the dialog names: the recorder's table without the modifier keys, which the check
// boxes stand for. A key without a name gives the empty name.
QString keyName(int vk)
{
    const KeyRow *row = FindVirtualKey(vk);
    if (!row || row->kind == KeyEventKind::Modifier)
        return QString();
    return row->name;
}

QCheckBox *addModifierBox(QFrame *panel, const char *name, const QRect &geometry)
{
    auto *box = FormParts::Make<QCheckBox>(panel, name, geometry);
    box->setMinimumHeight(17);
    box->setFont(Theme::Font(11));
    return box;
}

} // namespace

QStringList CombinationKeys(const QString &text)
{
    static const QString keypadPlus = QStringLiteral("Num+");
    QStringList keys;
    int start = 0;
    while (start < text.size()) {
        int end = text.indexOf(QLatin1Char('+'), start);
        if (end < 0)
            end = text.size();
        QString key = text.mid(start, end - start);
        // "Num" before a "+" is the keypad's plus key, the "+" its own.
        if (key == QLatin1String("Num") && end < text.size()) {
            key = keypadPlus;
            ++end;
        }
        keys.append(key);
        start = end + 1;
    }
    return keys;
}

void Ui_GroupKey::setupUi(QDialog *dialog)
{
    NoticeFrame::setUpWindow(dialog, QStringLiteral("GroupKey"));
    groupKeyA = NoticeFrame::addPanel(dialog, QStringLiteral("groupKeyA"));
    label = NoticeFrame::addLabel(groupKeyA, {45, 9, 231, 51});
    label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    CloseButton = NoticeFrame::addCloseButton(groupKeyA);
    lineEdit =
        FormParts::Make<MyLineEdit>(groupKeyA, QStringLiteral("lineEdit"), {45, 60, 231, 20});
    QFont family;
    family.setFamily(Theme::FontFamily());
    lineEdit->setFont(family);
    lineEdit->setAlignment(Qt::AlignCenter);
    Shift = addModifierBox(groupKeyA, "Shift", {45, 85, 61, 17});
    Ctrl = addModifierBox(groupKeyA, "Ctrl", {110, 85, 51, 17});
    Alt = addModifierBox(groupKeyA, "Alt", {170, 85, 51, 17});
    Win = addModifierBox(groupKeyA, "Win", {225, 85, 61, 17});
    NewHong = NoticeFrame::addButton(groupKeyA, QStringLiteral("NewHong"), {50, 110});
    NewHong_2 = NoticeFrame::addButton(groupKeyA, QStringLiteral("NewHong_2"), {170, 110});
    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_GroupKey::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    label->setText(QStringLiteral("Please enter keystroke"));
    CloseButton->setText(QString());
    Shift->setText(QStringLiteral("shift"));
    Ctrl->setText(QStringLiteral("Ctrl"));
    Alt->setText(QStringLiteral("Alt"));
    Win->setText(QStringLiteral("Win"));
    NewHong->setText(QStringLiteral("确定"));
    NewHong_2->setText(QStringLiteral("取消"));
}

GroupKey::GroupKey(QWidget *parent) : QDialog(parent), Clock(MonotonicMs), ui(new Ui_GroupKey)
{
    ui->setupUi(this);
    Hook.reset(new KeyboardHook(KeyboardHook::GroupKeyDialog));
    // The callback first: an earlier dialog's must never be called.
    Hook->SetCallback(
        [this](int vk, bool down, bool repeat) { UpdateCapslockTip(vk, down, repeat); });
    Hook->Install();
    NoticeFrame::applyLook(this, ui->groupKeyA, ui->label, ui->CloseButton,
                           {ui->NewHong, ui->NewHong_2});
    // Keys come through the hook; an input method would only hold them back.
    ui->lineEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    ui->lineEdit->setFocus();
    const QString boxStyle = Theme::CheckBoxStyle(Theme::WarningFolder());
    for (QCheckBox *box : {ui->Shift, ui->Ctrl, ui->Alt, ui->Win})
        box->setStyleSheet(boxStyle);
    MacroDialog::TakeKeyboardWhenShown(this, ui->lineEdit);
    NoticeFrame::followLanguage(this);
    MacroDialog::ScaleFonts(this, {QStringLiteral("lineEdit")});
    ui->lineEdit->setStyleSheet(MacroDialog::FieldStyle(QStringLiteral("QLineEdit")));
}

GroupKey::~GroupKey()
{
    Hook->Uninstall();
}

void GroupKey::SetClock(std::function<qint64()> clock)
{
    Clock = std::move(clock);
}

void GroupKey::keyPressEvent(QKeyEvent *event)
{
    // Escape is a key of the combination, not a way out of the dialog.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F12)
        return;
    QDialog::keyPressEvent(event);
}

void GroupKey::on_CloseButton_clicked()
{
    Confirmed = false;
    Hook->Uninstall();
    close();
}

void GroupKey::on_NewHong_2_clicked()
{
    Confirmed = false;
    Hook->Uninstall();
    close();
}

void GroupKey::on_NewHong_clicked()
{
    QStringList modifiers;
    for (QCheckBox *box : {ui->Shift, ui->Ctrl, ui->Alt, ui->Win}) {
        if (box->isChecked())
            modifiers << box->objectName();
    }
    const QString keys = ui->lineEdit->text();
    // Parts as the button page counts them: each "+" of the keys separates two.
    int parts = modifiers.size();
    if (!keys.isEmpty())
        parts += keys.count(QLatin1Char('+')) + 1;
    // Nothing ticked and nothing typed: confirming nothing is a cancel, never an empty function.
    if (parts == 0) {
        on_NewHong_2_clicked();
        return;
    }
    if (parts <= 3) {
        Hook->Uninstall();
        const QString m = modifiers.join(QLatin1Char('+'));
        KeyText = m.isEmpty() ? keys : keys.isEmpty() ? m : m + QLatin1Char('+') + keys;
        Confirmed = true;
        close();
        return;
    }
    GroupMaxThree notice;
    notice.move(mapToGlobal(QPoint(0, 0)));
    notice.exec();
    PartCount = 0;
    LastVk = -1;
    ui->lineEdit->clear();
}

void GroupKey::UpdateCapslockTip(int vk, bool down, bool repeat)
{
    Q_UNUSED(repeat);
    if (!down)
        return;
    if (FirstKey) {
        KeyStart = Clock();
        FirstKey = false;
    } else if (Clock() - KeyStart > CombinationWindowMs) {
        ui->lineEdit->clear();
        LastVk = -1;
        KeyStart = Clock();
    }
    if (vk == LastVk)
        return;
    LastVk = vk;
    const QString name = keyName(vk);
    const QString text = ui->lineEdit->text();
    PartCount = text.count(QLatin1Char('+'));
    if (PartCount == 2) {
        // The field holds three keys: this one starts the next combination.
        PartCount = 0;
        ui->lineEdit->setText(name);
        return;
    }
    // A key already in the combination adds nothing; so does a key without a name. Keys are
    // compared whole, so F1 does not hold F.
    if (name.isEmpty() || CombinationKeys(text).contains(name))
        return;
    if (text.isEmpty()) {
        ui->lineEdit->setText(name);
        return;
    }
    ui->lineEdit->setText(text + QLatin1Char('+') + name);
    if (PartCount == 1)
        LastVk = -1;
}

void GroupKey::on_lineEdit_textEdited(const QString &text)
{
    ui->lineEdit->setText(text.toUpper());
}

void GroupKey::SlotAllLanguage(int language)
{
    NoticeFrame::setText(ui->label, GroupKeyTexts, language, 0);
    NoticeFrame::setText(ui->NewHong, QuestionTexts, language, 2);
    NoticeFrame::setText(ui->NewHong_2, QuestionTexts, language, 3);
}
