#pragma once

#include <QDialog>

#include <memory>

class QFrame;
class QLabel;
class QLineEdit;
class QToolButton;

class Ui_QuestionDialog
{
public:
    QFrame *Question;
    QLabel *label;
    QToolButton *CloseButton;
    QLineEdit *lineEdit;
    QToolButton *NewHong;
    QToolButton *NewHong_2;

    void setupUi(QDialog *dialog);
    void retranslateUi(QDialog *dialog);
};

// Asks for the name of a new macro, or for another name of a macro. The name is kept short and
// plain as it is typed or pasted: at most 30 bytes (cut on a character), no blanks once one is
// typed at the end, none of the punctuation the filter drops, nothing typed with Shift, and never
// a path separator or control character. The result is EnteredName, read after exec() returns:
// the name after OK, empty after Cancel or close (and for a name of only "." or "..").
class QuestionDialog : public QDialog
{
    Q_OBJECT
public:
    explicit QuestionDialog(QWidget *parent = nullptr);
    ~QuestionDialog() override;

    // The question for a new macro (0) or for a rename (any other value).
    void SetQuestionText(int second);
    // Offers `name` in the field, selected so that typing replaces it: a rename starts from the
    // macro's current name.
    void SetCurrentName(const QString &name);

    QString EnteredName;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private slots:
    void WindowClosedLan();
    void on_CloseButton_clicked();
    void on_NewHong_clicked();
    void SlotAllLanguage(int language);
    void on_lineEdit_textEdited(const QString &text);

private:
    std::unique_ptr<Ui_QuestionDialog> ui;
    QString FirstQuestionText;
    QString SecondQuestionText;
};
