#pragma once

#include <QString>
#include <Qt>

class QComboBox;
class QFont;

// The pictures and style sheets the forms share. Pictures lie under <app>/Picture/<Form>/ and
// style sheets name them by full path; colours are the `Option` theme colours of Config.ini.
namespace Theme {

// The window flags of the frameless dialogs and panels: a sub-window without a parent becomes a
// top-level window, and with the frameless and bypass hints it has no title bar and stays where
// its caller placed it. The window manager then gives it no keyboard focus of its own.
constexpr Qt::WindowFlags FloatingPanelFlags = Qt::SubWindow | Qt::BypassWindowManagerHint |
                                               Qt::FramelessWindowHint | Qt::WindowSystemMenuHint |
                                               Qt::WindowMinimizeButtonHint;

// <app>/Picture/<form>/, with the trailing slash the style sheets expect.
QString PictureFolder(const QString &form);
// The folder of the notice dialogs' pictures, Picture/WarningDialog/.
QString WarningFolder();

// The forms' font: "微软雅黑" (the toolkit substitutes an installed family) at `points`.
QFont Font(int points);
// Its family alone, for a field that takes its size from its parent.
QString FontFamily();

// "url(<folder><picture>)", a picture as a style sheet names it.
QString Url(const QString &folder, const QString &picture);

// "rgb(r,g,b)" of an `Option` colour key such as "LabelColor" or "ButtonColor".
QString Rgb(const QString &colorKey);

// A label in the theme's label colour.
QString LabelStyle();
// A check box in the label colour with the indicator pictures CheckBox.png and, when checked,
// `checked` (the forms name it CheckBoxCheck.png or CheckBoxChecked.png).
QString CheckBoxStyle(const QString &folder,
                      const QString &checked = QStringLiteral("CheckBoxCheck.png"));
// A picture button with a caption in the theme's button colour: `normal` as its border image,
// `pressed` while it is held down.
QString ConfirmButtonStyle(const QString &folder,
                           const QString &normal = QStringLiteral("Confirm.png"),
                           const QString &pressed = QStringLiteral("ConfirmClick.png"));
// A flat picture button: `normal` centred, `hover` while pointed at, `pressed` while held.
QString ThreeStateButtonStyle(const QString &folder, const QString &normal, const QString &hover,
                              const QString &pressed);
// The same for the pictures <picture>.png, <picture>Hover.png and <picture>Click.png, as the
// notices' close button ("Close") and the window buttons name theirs.
QString ThreeStateButtonStyle(const QString &folder, const QString &picture);
// A background panel selected by its object name, so the widgets on it keep their own styles.
QString PanelStyle(const QString &panelName, const QString &folder,
                   const QString &picture = QStringLiteral("BackGround.png"));

// A drop-down list on ComboboxBack.png in the theme's combo colours: its arrow Menu.png
// (MenuClicked.png while open), its rows 25 px high on ComboboxTextBack.png. The pop-up is a
// plain list under the box, so that the list's count of visible rows holds and the current row
// shows selected.
QString ComboBoxStyle(const QString &folder);
// The frame that holds a whole page: a slim dark vertical scroll bar with a grey handle for any
// list on it that scrolls.
QString PageScrollBarStyle();

// The style of such a list's own view: the selection colour for the selected and hovered row.
QString ComboListStyle();
// Gives `box` a list view of its own as its pop-up, in ComboListStyle. The view is made on the box,
// whose font it takes, and takes its sheet once it is in the pop-up: a view that enters the pop-up
// with a sheet of its own is restyled there at once, with the pop-up's frame and scroll bars, while
// a sheet set afterwards waits, like every other sheet of a page built hidden, for the box's first
// showing.
void UseComboList(QComboBox *box);

} // namespace Theme
