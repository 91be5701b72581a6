#include "sensor/togglepanel.h"

#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "sensor/panelform.h"
#include "shell/widgets/formparts.h"
#include "shell/widgets/theme.h"

#include <QLabel>
#include <QToolButton>

const ToggleSetting ToggleSettings::Ripple = {"RippeControl", "RippeControl_2", "波纹控制",
                                              WriteRippleControl};
const ToggleSetting ToggleSettings::StraightLine = {"StraightLine", "StraightLine_2", "直线修正",
                                                    WriteStraightLine};
const ToggleSetting ToggleSettings::MotionSync = {"MotionSync", "MotionSync_2", "motion sync",
                                                  WriteMotionSync};

void Ui_TogglePanel::setupUi(QFrame *panel, const ToggleSetting &setting, ToggleLayout layout)
{
    const bool titleFirst = layout == ToggleLayout::TitleFirst;
    const QByteArray name = QByteArray(setting.PanelName) + (titleFirst ? "B" : "");
    PanelForm::SetUp(panel, name.constData(), {204, 31}, titleFirst);

    Toggle = FormParts::Make<QToolButton>(panel, QLatin1String(setting.ToggleName),
                                          {titleFirst ? 165 : 0, 0, 36, 18});
    Toggle->setFixedSize(36, 18);
    Toggle->setFocusPolicy(Qt::NoFocus);
    Toggle->setCheckable(true);
    Toggle->setAutoRaise(false);

    label = FormParts::Label(panel, QStringLiteral("label"), {titleFirst ? 0 : 40, 0, 161, 31}, 11);
    if (titleFirst) {
        label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    } else {
        label->setAlignment(Qt::AlignLeading | Qt::AlignLeft | Qt::AlignTop);
    }
    label->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));
    retranslateUi(panel, setting);
}

void Ui_TogglePanel::retranslateUi(QFrame *panel, const ToggleSetting &setting)
{
    panel->setWindowTitle(QStringLiteral("Frame"));
    Toggle->setText(QString());
    label->setText(QString::fromUtf8(setting.DefaultTitle));
}

TogglePanel::TogglePanel(const ToggleSetting &setting, ToggleLayout layout, QWidget *parent)
    : QFrame(parent), Setting(setting), Layout(layout)
{
    ui.setupUi(this, setting, layout);
    PictureDir = Theme::PictureFolder(QStringLiteral("Sensor"));
    ui.label->setStyleSheet(Theme::LabelStyle());
    // Unchecked shows the switch off, checked the switch on.
    ui.Toggle->setStyleSheet(QStringLiteral("#%1{color: rgb(255, 255, 255);border:0px;"
                                            "background-position:center;"
                                            "background-repeat:no-repeat;"
                                            "background-image: url(%2Close.png);}"
                                            "#%1:checked{background-image: url(%2Open.png);}")
                                 .arg(QLatin1String(setting.ToggleName), PictureDir));
}

TogglePanel::~TogglePanel() = default;

void TogglePanel::SetSwitch(bool on)
{
    ui.Toggle->setChecked(on);
}

void TogglePanel::SetTitle(const QString &text)
{
    ui.label->setText(text);
    // The title-first layout keeps its whole title, the toggle moving on beside it.
    if (Layout == ToggleLayout::TitleFirst)
        PanelForm::FitTitle(ui.label, this, {ui.Toggle});
}

void TogglePanel::SetTitleToolTip(const QString &text)
{
    ui.label->setToolTip(text);
}

void TogglePanel::Clicked(bool checked)
{
    if (DeviceState::instance()->WriteEnabled.load() != 0)
        Setting.Write(checked ? 1 : 0);
}
