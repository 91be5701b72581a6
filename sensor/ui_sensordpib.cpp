#include "sensor/panelform.h"
#include "sensor/sensordpib.h"
#include "shell/widgets/formparts.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/myslider.h"
#include "shell/widgets/theme.h"

#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>

namespace {

// Row i's check box, slider and value box stand at y = RowY + RowStep * i, its colour button
// three pixels higher.
constexpr int RowY = 60;
constexpr int RowStep = 50;

QByteArray rowName(const char *stem, int level)
{
    return QByteArray(stem) + char('A' + level);
}

} // namespace

void Ui_SensorDPIB::setupUi(QFrame *panel)
{
    PanelForm::SetUp(panel, "SensorDPIB", {725, 444}, true);

    label = FormParts::Label(panel, QStringLiteral("label"), {540, 10, 91, 21}, 11);
    label->setFocusPolicy(Qt::NoFocus);

    ChooseEvent =
        FormParts::Make<MyConmboBox>(panel, QStringLiteral("ChooseEvent"), {630, 10, 81, 21});
    ChooseEvent->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    ChooseEvent->setMinimumSize(0, 0);
    ChooseEvent->setFont(Theme::Font(10));
    ChooseEvent->setFocusPolicy(Qt::NoFocus);

    for (int i = 0; i < DpiLevels::Count; ++i) {
        const int y = RowY + RowStep * i;
        LevelBoxes[i] =
            PanelForm::AddChoiceBox(panel, rowName("M", i).constData(), {10, y, 61, 20});

        auto *button = FormParts::Make<QToolButton>(
            panel, QLatin1String(DpiLevels::Table[i].Name) + QLatin1String("ButtonA"),
            {80, y - 3, 25, 25});
        button->setCheckable(true);
        button->setAutoRaise(false);
        button->setFocusPolicy(Qt::NoFocus);
        ColorButtons[i] = button;

        auto *slider = FormParts::Make<MySlider>(
            panel, QLatin1String(rowName("horizontalSlider", i)), {120, y, 510, 25});
        slider->setFixedSize(510, 25);
        slider->setOrientation(Qt::Horizontal);
        slider->setRange(50, 10000);
        slider->setSingleStep(50);
        slider->setPageStep(50);
        slider->setValue(50);
        // The value changes when the handle is let go, or at once on a click.
        slider->setTracking(false);
        slider->setFocusPolicy(Qt::NoFocus);
        Sliders[i] = slider;

        ValueBoxes[i] = PanelForm::AddValueBox(panel, {643, y, 66, 21}, 50, 100000,
                                               rowName("spinBox", i).constData());
    }
    retranslateUi(panel);
    QMetaObject::connectSlotsByName(panel);
}

void Ui_SensorDPIB::retranslateUi(QFrame *panel)
{
    panel->setWindowTitle(QStringLiteral("Frame"));
    label->setText(QStringLiteral("DPI级数"));
    for (int i = 0; i < DpiLevels::Count; ++i)
        LevelBoxes[i]->setText(QStringLiteral("DPI%1").arg(i + 1));
}
