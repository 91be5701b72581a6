#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>

class QDialog;
class QWidget;

// What the macro editor's input dialogs (the name, key, delay and repeat-fire dialogs) share
// beyond the notice frame: where their callers put them, the look of their fields, and the
// keyboard.
namespace MacroDialog {

// The key and delay dialogs sit left of and above the calling page's centre, as the button page
// puts its own.
constexpr QPoint EntryOffset{-50, -70};

// An input field on the dark dialog panel: text in the `Option` colour `colorKey` (the theme's
// field colour unless given) on a dark ground, so it reads on the panel picture.
QString FieldStyle(const QString &type, const QString &colorKey = QStringLiteral("LinEditColor"));

// The dialogs bypass the window manager, which therefore never gives them the keyboard: once
// `dialog` is shown it takes the keyboard itself and puts it in `field`.
void TakeKeyboardWhenShown(QDialog *dialog, QWidget *field);

// The fonts scaled for the screen, the fields named in `skipped` left at the size they inherit.
void ScaleFonts(QDialog *dialog, const QStringList &skipped = {});

} // namespace MacroDialog
