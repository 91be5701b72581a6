#include "lighting/lightlook.h"

#include "shell/widgets/theme.h"

bool LightLook::ModeLookOf(int mode, ModeLook *look)
{
    //                                 line   line_2 colours brightness speed
    static const ModeLook looks[Modes] = {
        {true, true, false, false, false}, {false, false, false, true, true},
        {false, false, true, true, true},  {false, true, true, true, false},
        {false, false, false, true, true}, {false, false, false, true, true}};
    if (mode < 0 || mode >= Modes)
        return false;
    *look = looks[mode];
    return true;
}

QColor LightLook::PresetColour(int index)
{
    static const QColor colours[Presets] = {
        {255, 0, 0},     {0, 255, 255},  {0, 255, 0},    {255, 0, 255},  {255, 255, 0},
        {255, 80, 0},    {0, 0, 255},    {227, 0, 127},  {46, 166, 223}, {96, 25, 133},
        {255, 255, 255}, {139, 178, 36}, {255, 155, 51}, {208, 113, 173}};
    return index >= 0 && index < Presets ? colours[index] : QColor();
}

QString LightLook::PresetLetter(int index)
{
    return QString(QLatin1Char(char('A' + index)));
}

QString LightLook::PreviewStyle(int red, int green, int blue)
{
    return QStringLiteral(
               "QLabel{background-color: rgb(%1,%2,%3);border: 2px solid  rgb(220,220,220);}")
        .arg(red)
        .arg(green)
        .arg(blue);
}

QString LightLook::PreviewPictureStyle(const QString &folder)
{
    return PictureStyle(QStringLiteral("labelPreView"), folder, QStringLiteral("PreviewColor.png"));
}

QString LightLook::SliderStyle(const QString &folder, const QString &handle, int handleMargin)
{
    return QStringLiteral(
               "QSlider::groove:horizontal { border-radius: 2px;  height: 5px;background:#ffffff}"
               "QSlider:handle:horizontal{ border-radius: 2px;width:  6px;height: 18px;  "
               "margin-top: -9px;margin-left: %1px; margin-bottom: -9px;margin-right: %1px; "
               "border-image: url(%2%3);} "
               "QSlider:sub-page:horizontal{border-radius: 2px;background-color: %4;}"
               "QSlider:add-page:horizontal{border-radius: 2px;background-color: rgb(255, 255, "
               "255);}")
        .arg(-handleMargin)
        .arg(folder, handle, Theme::Rgb(QStringLiteral("SliderColor")));
}

QString LightLook::ColourBoxStyle()
{
    const QString colour = Theme::Rgb(QStringLiteral("LinEditColorSecond"));
    return QStringLiteral("QSpinBox{background-color: rgb(0,0,0);color: %1;border: 1px  solid "
                          "gray;}QSpinBox:hover{background-color: transparent;color: %1;border: "
                          "1px  solid gray;}")
        .arg(colour);
}

QString LightLook::PictureStyle(const QString &name, const QString &folder, const QString &picture)
{
    return QStringLiteral("#%1{border:0px;background-position:center;background-repeat:no-repeat;"
                          "background-image: url(%2%3);}")
        .arg(name, folder, picture);
}

QString LightLook::SwitchStyle(const QString &name, const QString &folder)
{
    return QStringLiteral("#%1{color: rgb(255, 255, 255);border:0px;background-position:center;"
                          "background-repeat:no-repeat;background-image: url(%2Close.png);}"
                          "#%1:checked {background-image: url(%2Open.png);}")
        .arg(name, folder);
}

QString LightLook::CloseStyle(const QString &folder)
{
    return Theme::ThreeStateButtonStyle(folder, QStringLiteral("CloseButton.png"),
                                        QStringLiteral("CloseHover.png"),
                                        QStringLiteral("CloseClick.png"));
}
