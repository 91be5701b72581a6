#pragma once

#include <QString>

// The style sheets the settings page, its receiver LED panel and the pairing dialog share, beside
// those of the whole program (shell/widgets/theme.h). Pictures come from the folder given,
// colours from the `Option` theme colours of Config.ini.
namespace SettingsTheme {

// The bullet of a section heading: Title.png stretched over the widget named `name`.
QString TitleStyle(const QString &name, const QString &folder);
// A check box used as a radio: CheckBoxCheck.png checked, CheckBox2.png unchecked.
QString RadioStyle(const QString &folder);
// A read-only text box with no frame and no background, in the label colour.
QString TextBoxStyle(const QString &name);
// A button of `buttonClass` (QPushButton, QToolButton) with `picture` centred behind its caption,
// drawn in `textColour` ("rgb(...)").
QString PictureButtonStyle(const QString &buttonClass, const QString &folder,
                           const QString &picture, const QString &textColour);

} // namespace SettingsTheme
