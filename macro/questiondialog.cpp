#include "macro/questiondialog.h"

#include "core/languagetables.h"
#include "macro/macrodialog.h"
#include "macro/model/macroname.h"
#include "shell/dialogs/noticeframe.h"

#include <QFrame>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {

// Punctuation a name never holds, typed on the keyboard or committed by an input method.
const QStringList FilteredKeys{"-", "=", "[", "]",  ";",  "'", ",",  ".",  "/",
                               "`", "*", "+", "【", "；", "’", "，", "。", "\\"};
const QStringList FilteredCommits{"【", "】", "-", "=", "、", "；", "’",
                                  "，", "。", "/", "*", "·",  "‘"};

// What a name may not hold wherever it comes from: it becomes a file name.
QString withoutSeparators(QString text)
{
    for (int i = text.size() - 1; i >= 0; --i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            text.remove(i, 1);
    }
    return text;
}

} // namespace

void Ui_QuestionDialog::setupUi(QDialog *dialog)
{
    NoticeFrame::setUpWindow(dialog, QStringLiteral("QuestionDialog"));
    Question = NoticeFrame::addPanel(dialog, QStringLiteral("Question"));
    label = NoticeFrame::addLabel(Question, {30, 20, 241, 41});
    label->setAlignment(Qt::AlignLeading | Qt::AlignLeft | Qt::AlignBottom);
    CloseButton = NoticeFrame::addCloseButton(Question);
    lineEdit = new QLineEdit(Question);
    lineEdit->setObjectName(QStringLiteral("lineEdit"));
    lineEdit->setGeometry(QRect(30, 70, 241, 20));
    QFont family;
    family.setFamily(QStringLiteral("微软雅黑"));
    lineEdit->setFont(family);
    lineEdit->setMaxLength(32767);
    lineEdit->setAlignment(Qt::AlignCenter);
    NewHong = NoticeFrame::addButton(Question, QStringLiteral("NewHong"), {50, 110});
    NewHong_2 = NoticeFrame::addButton(Question, QStringLiteral("NewHong_2"), {170, 110});
    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_QuestionDialog::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    label->setText(QStringLiteral("Please create a macro first"));
    CloseButton->setText(QString());
    NewHong->setText(QStringLiteral("确认"));
    NewHong_2->setText(QStringLiteral("取消"));
}

QuestionDialog::QuestionDialog(QWidget *parent) : QDialog(parent), ui(new Ui_QuestionDialog)
{
    ui->setupUi(this);
    NoticeFrame::applyLook(this, ui->Question, ui->label, ui->CloseButton,
                           {ui->NewHong, ui->NewHong_2});
    connect(ui->NewHong_2, SIGNAL(clicked()), this, SLOT(WindowClosedLan()));
    ui->lineEdit->setFocus();
    ui->lineEdit->installEventFilter(this);
    MacroDialog::TakeKeyboardWhenShown(this, ui->lineEdit);
    NoticeFrame::followLanguage(this);
    // The field sets only its family and follows the scaled dialog.
    MacroDialog::ScaleFonts(this, {QStringLiteral("lineEdit")});
    ui->lineEdit->setStyleSheet(MacroDialog::FieldStyle(QStringLiteral("QLineEdit")));
}

QuestionDialog::~QuestionDialog() = default;

void QuestionDialog::SetQuestionText(int second)
{
    ui->label->setText(second != 0 ? SecondQuestionText : FirstQuestionText);
}

void QuestionDialog::SetCurrentName(const QString &name)
{
    ui->lineEdit->setText(name);
    ui->lineEdit->selectAll();
}

void QuestionDialog::WindowClosedLan()
{
    EnteredName.clear();
    close();
}

void QuestionDialog::on_CloseButton_clicked()
{
    EnteredName.clear();
    close();
}

void QuestionDialog::on_NewHong_clicked()
{
    // The name as typed: the page refuses a name that cannot be a macro's, and says so.
    EnteredName = ui->lineEdit->text();
    close();
}

void QuestionDialog::SlotAllLanguage(int language)
{
    FirstQuestionText = QuestionTexts.text(language, 0, FirstQuestionText);
    SecondQuestionText = QuestionTexts.text(language, 1, SecondQuestionText);
    NoticeFrame::setText(ui->NewHong, QuestionTexts, language, 2);
    NoticeFrame::setText(ui->NewHong_2, QuestionTexts, language, 3);
}

void QuestionDialog::on_lineEdit_textEdited(const QString &text)
{
    QString name = withoutSeparators(text);
    if (name.endsWith(QLatin1Char(' ')))
        name.remove(QLatin1Char(' '));
    ui->lineEdit->setText(CutToBytes(name, MacroNameMaxBytes));
}

bool QuestionDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->lineEdit) {
        if (event->type() == QEvent::KeyPress &&
            FilteredKeys.contains(static_cast<QKeyEvent *>(event)->text()))
            return true;
        if (event->type() == QEvent::InputMethod &&
            FilteredCommits.contains(static_cast<QInputMethodEvent *>(event)->commitString()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void QuestionDialog::keyPressEvent(QKeyEvent *event)
{
    // Shift would give capitals and the shifted punctuation: the field takes nothing while it is
    // held. Other keys go to the plain widget handling, so Return and Escape do not close.
    if (event->key() == Qt::Key_Shift) {
        ui->lineEdit->setEnabled(false);
        return;
    }
    QWidget::keyPressEvent(event);
}

void QuestionDialog::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Shift) {
        ui->lineEdit->setEnabled(true);
        ui->lineEdit->setFocus();
    }
}
