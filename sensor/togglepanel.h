#pragma once

#include <QFrame>

class QLabel;
class QToolButton;

// One of the sensor page's on/off settings: its toggle's object name, the form's default title
// and the device-write helper of its record byte (0 off, 1 on).
struct ToggleSetting
{
    const char *PanelName;  // the panel's own object name, unless its host names it
    const char *ToggleName; // "<panel>_2"
    const char *DefaultTitle;
    bool (*Write)(int value);
};

namespace ToggleSettings {
extern const ToggleSetting Ripple;       // RippleControl
extern const ToggleSetting StraightLine; // StraightLine: angle snapping
extern const ToggleSetting MotionSync;   // MotionSync
} // namespace ToggleSettings

// Where a toggle panel puts its two widgets: the sensor page's panels show the toggle first with
// the title after it; their second layout (the "B" panels, which no page builds) the title first,
// right-aligned against the toggle at the panel's right end.
enum class ToggleLayout
{
    ToggleFirst,
    TitleFirst
};

// The form of a toggle panel: the toggle (a picture of a switch, off or on) and its title beside.
class Ui_TogglePanel
{
public:
    QToolButton *Toggle;
    QLabel *label;

    void setupUi(QFrame *panel, const ToggleSetting &setting, ToggleLayout layout);
    void retranslateUi(QFrame *panel, const ToggleSetting &setting);
};

// A panel that switches one sensor feature on or off. It keeps no copy of the setting: the
// toggle's check state is what it shows, its host sets it from a record (SetSwitch, which writes
// nothing), and a click of the user's writes the new state while writes are enabled. The three
// settings are the classes RippeControl, StraightLine and MotionSync, and in the title-first
// layout RippeControlB, StraightLineB and MotionSyncB.
class TogglePanel : public QFrame
{
    Q_OBJECT
public:
    ~TogglePanel() override;

    void SetSwitch(bool on);
    void SetTitle(const QString &text);
    void SetTitleToolTip(const QString &text);

protected:
    TogglePanel(const ToggleSetting &setting, ToggleLayout layout, QWidget *parent);
    // The user's click: written while WriteEnabled is set. No filling guard is needed: setting a
    // check state emits no click.
    void Clicked(bool checked);

private:
    const ToggleSetting &Setting;
    const ToggleLayout Layout;
    Ui_TogglePanel ui;
    QString PictureDir;
};
