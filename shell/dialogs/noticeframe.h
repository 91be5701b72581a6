#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QDialog;
class QFrame;
class QLabel;
class QToolButton;
class QWidget;
class TextTable;

// The frame every notice dialog shares: a frameless 300 x 140 window filled by a background
// panel, a message label, a close button in the top-right corner and up to two picture buttons
// under the message. Forms build their widgets with the add* helpers in setupUi; constructors
// then apply the window flags and styles with applyLook and, once their texts are set, finish.
namespace NoticeFrame {

constexpr int Width = 300;
constexpr int Height = 140;

// Object name, title "Dialog" and the fixed 300 x 140 size (minimum width for forms that allow
// a narrower window).
void setUpWindow(QDialog *dialog, const QString &objectName, int minimumWidth = Width);
QFrame *addPanel(QDialog *dialog, const QString &name, const QSize &size = {Width, Height});
QToolButton *addCloseButton(QFrame *panel, const QPoint &at = {275, 5});
// The message label "label": centred, wrapped, in the forms' font of `points` points.
QLabel *addLabel(QFrame *panel, const QRect &geometry, int points = 11);
// A picture button 90 x 24 with the notices' font.
QToolButton *addButton(QFrame *panel, const QString &name, const QPoint &at);

// Window flags (a frameless top-level window that the window manager leaves alone) and the
// styles of label, confirm buttons, close button and panel, in that order. The confirm buttons'
// pictures are Confirm.png / ConfirmClick.png unless given.
void applyLook(QDialog *dialog, QFrame *panel, QLabel *label, QToolButton *close,
               const QList<QToolButton *> &confirms,
               const QString &confirmPicture = QStringLiteral("Confirm.png"),
               const QString &confirmPressedPicture = QStringLiteral("ConfirmClick.png"));
// applyLook for a notice built long before it may show (the settings page builds its update
// warning at start-up): the window flags now, the styles on the notice's first polish.
void applyLookWhenPolished(QDialog *dialog, QFrame *panel, QLabel *label, QToolButton *close,
                           const QList<QToolButton *> &confirms);

// Connects the hub's SigAllLanguage(int) to the dialog's slot SlotAllLanguage(int) and applies
// the current language at once, so a notice built after a change shows the new language.
void followLanguage(QDialog *dialog);

// Scales the dialog's fonts for the screen; the last step of every notice's constructor.
void finish(QDialog *dialog);

// Sets `widget`'s text to entry `entry` of `table` for `language`; a missing row or entry keeps
// the text it has.
void setText(QLabel *widget, const TextTable &table, int language, int entry);
void setText(QToolButton *widget, const TextTable &table, int language, int entry);

// Places `dialog` centred over `caller`, moved by `offset`: the callers' offsets below keep a
// notice clear of what it is about.
void place(QWidget *dialog, const QWidget *caller, const QPoint &offset);

} // namespace NoticeFrame

// Where each caller puts its notice, relative to the centre of the calling widget.
namespace NoticeOffset {
constexpr QPoint QuestiondialogB{0, 0};           // the home page, building its tiles
constexpr QPoint LeftButtonOnly{-50, -70};        // the button page
constexpr QPoint RePair{0, 0};                    // the home page's device selection
constexpr QPoint DeleteConfirm{-100, -50};        // the macro page
constexpr QPoint MacroPage{-100, -50};            // the macro page's other notices
constexpr QPoint InportFail{0, 0};                // the parameter-update dialog
constexpr QPoint UpDateWarning{-20, 0};           // the main window and the home page
constexpr QPoint UpDateWarningSettings{-75, -65}; // the settings page's own, shown without blocking
constexpr QPoint LessThree{-409, -202};           // the debounce panel on the button page
constexpr QPoint MouseOffLine{0, -20};            // the main window
constexpr QPoint UpDataParamDevicePage{0, -20};   // the device page, while a pass reads
constexpr QPoint ContainResetButtonPage{-75, -65};
constexpr QPoint ContainResetMainWindow{-20, 0};
} // namespace NoticeOffset
