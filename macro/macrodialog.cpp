#include "macro/macrodialog.h"

#include "shell/widgets/fontscaling.h"
#include "shell/widgets/theme.h"

#include <QDialog>
#include <QEvent>
#include <QFont>
#include <QPointer>
#include <QTimer>

namespace {

class KeyboardOnShow : public QObject
{
public:
    KeyboardOnShow(QDialog *dialog, QWidget *field) : QObject(dialog), dialog(dialog), field(field)
    {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == dialog && event->type() == QEvent::Show) {
            // After the show is done: the window must be mapped before it can take the keyboard.
            QTimer::singleShot(0, this, [this] {
                if (!dialog || !dialog->isVisible())
                    return;
                dialog->activateWindow();
                if (field && field->isEnabled())
                    field->setFocus(Qt::ActiveWindowFocusReason);
            });
        }
        return false;
    }

private:
    QPointer<QDialog> dialog;
    QPointer<QWidget> field;
};

} // namespace

QString MacroDialog::FieldStyle(const QString &type, const QString &colorKey)
{
    return QStringLiteral("%1{color: %2;background-color: rgb(42,46,53);"
                          "border: 1px solid rgb(72,78,88);border-radius: 3px;}")
        .arg(type, Theme::Rgb(colorKey));
}

void MacroDialog::TakeKeyboardWhenShown(QDialog *dialog, QWidget *field)
{
    dialog->installEventFilter(new KeyboardOnShow(dialog, field));
}

void MacroDialog::ScaleFonts(QDialog *dialog, const QStringList &skipped)
{
    ScaleFormFont(dialog, ScreenFontFactor(), skipped);
    // A field left out sets only its family and shows the size of its scaled parent. A parent
    // with a style sheet (every dialog panel has one) hands no font down, so that size is given.
    for (const QString &name : skipped) {
        auto *field = dialog->findChild<QWidget *>(name);
        if (!field || !field->parentWidget())
            continue;
        QFont font = field->font();
        font.setPointSizeF(field->parentWidget()->font().pointSizeF());
        field->setFont(font);
    }
}
