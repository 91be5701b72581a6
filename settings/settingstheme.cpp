#include "settings/settingstheme.h"

#include "shell/widgets/theme.h"

QString SettingsTheme::TitleStyle(const QString &name, const QString &folder)
{
    return QStringLiteral("#%1{border-image: url(%2Title.png);}").arg(name, folder);
}

QString SettingsTheme::RadioStyle(const QString &folder)
{
    return QStringLiteral("QCheckBox{color: %1;}"
                          "QCheckBox::indicator:checked{image: url(%2CheckBoxCheck.png);}"
                          "QCheckBox::indicator:unchecked{image: url(%2CheckBox2.png);}")
        .arg(Theme::Rgb(QStringLiteral("LabelColor")), folder);
}

QString SettingsTheme::TextBoxStyle(const QString &name)
{
    return QStringLiteral("#%1{border: transparent;background-color: transparent;color: %2;}")
        .arg(name, Theme::Rgb(QStringLiteral("LabelColor")));
}

QString SettingsTheme::PictureButtonStyle(const QString &buttonClass, const QString &folder,
                                          const QString &picture, const QString &textColour)
{
    return QStringLiteral("%1{border:0px;background-position:center;background-repeat:no-repeat;"
                          "color: %2;background-image: url(%3%4);}")
        .arg(buttonClass, textColour, folder, picture);
}
