#pragma once

#include <QProxyStyle>

class QApplication;

// The application's style with one difference nobody sees: the icon of a dialog's OK or Cancel
// button is looked up when the button first draws or measures it, not when the button box makes
// the button. On a desktop whose theme asks for icons on dialog buttons, the first lookup reads
// the icon theme (its index files parsed, its folders searched): tens of millions of instructions
// at start-up, paid for the colour dialog the DPI editor builds hidden and may never open. The
// icon drawn is the one the style picks, from the theme or its own pictures; either way there is
// one, so a button's size does not wait for the lookup.
class DialogButtonIcons : public QProxyStyle
{
public:
    // `base` (owned) is the style every other answer comes from.
    explicit DialogButtonIcons(QStyle *base);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;

    // Makes it the style of `app`, on a fresh instance of the style the application chose: call
    // before any widget exists. The system palette is worked out first, as the style the
    // application made for itself would have it.
    static void install(QApplication &app);
};
