#pragma once

#include <QColor>
#include <QString>

// What the lighting page and the light-mode dialog share: which controls each light mode shows,
// the fourteen preset colours and the style sheets of the lighting controls.
namespace LightLook {

// Light modes in the order of the mode list: 0 off, 1 colour flow, 2 single-colour breathing,
// 3 mixed colours steady, 4 neon, 5 mixed colours breathing.
constexpr int Modes = 6;

// What a mode shows. A line stands in its slider's place while the slider is hidden.
struct ModeLook
{
    bool Line;       // in the brightness slider's place
    bool Line2;      // in the speed slider's place
    bool Colours;    // the colour section
    bool Brightness; // the brightness slider (and its number box on the page)
    bool Speed;      // the speed slider (and its number box on the page)
};
// false for an index outside 0..5 (the list reports -1 when it has no current entry): the
// controls then stay as they are.
bool ModeLookOf(int mode, ModeLook *look);

// The presets A..N, in the order of their buttons.
constexpr int Presets = 14;
QColor PresetColour(int index);
// "A".."N".
QString PresetLetter(int index);

// The preview in a colour: a swatch with a light border.
QString PreviewStyle(int red, int green, int blue);
// The preview before any colour is shown: the picture PreviewColor.png.
QString PreviewPictureStyle(const QString &folder);
// The brightness and speed sliders: a white groove filled in the slider colour and the handle
// picture `handle`; the dialog's handle reaches `handleMargin` px past the groove's ends.
QString SliderStyle(const QString &folder, const QString &handle, int handleMargin);
// The red, green and blue boxes: black ground, the box colour, a grey border.
QString ColourBoxStyle();
// A picture named by the object `name`: the minus and plus buttons, presets, colour board and
// switch of the page (`checked` is shown while the switch is on).
QString PictureStyle(const QString &name, const QString &folder, const QString &picture);
QString SwitchStyle(const QString &name, const QString &folder);
// The close button of the panels whose pictures lie in Picture/ScreeInfo/ (the light-mode dialog
// and the screen picture panels): CloseButton.png, CloseHover.png, CloseClick.png.
QString CloseStyle(const QString &folder);

} // namespace LightLook
