#include "sensor/ui_sensordpi.h"

#include "shell/widgets/formparts.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/myslider.h"
#include "shell/widgets/theme.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>

// The marker points are 91 pixels apart except 92 between levels 5 and 6 and 90 between 6 and 7;
// the drag windows of the editor are measured from these.
const DpiLevelPlace DpiLevels::Table[Count] = {
    {"Blue", 15, 17, 27, "255,0,0", "100"},
    {"BrightRed", 106, 108, 118, "0,255,0", "200"},
    {"Red", 197, 199, 209, "0,00,255", "200"},
    {"Yellow", 288, 290, 300, "255,255,0", "100"},
    {"Green", 379, 381, 391, "255,0,255", "100"},
    {"Purple", 470, 472, 483, "255,255,0", "200"},
    {"LightBlue", 561, 563, 573, "255,255,255", "100"},
    {"LightYellow", 652, 654, 664, "0,212,252", "200"},
};

namespace {

// No control of the panel takes the keyboard focus.
template <typename W>
W *place(QWidget *panel, const char *name, const QRect &geometry)
{
    W *widget = FormParts::Make<W>(panel, name, geometry);
    widget->setFocusPolicy(Qt::NoFocus);
    return widget;
}

// Hidden levels and controls keep their place, so the visible ones never move.
void keepPlaceWhenHidden(QWidget *widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

} // namespace

void Ui_SensorDPI::setupUi(QFrame *panel)
{
    if (panel->objectName().isEmpty())
        panel->setObjectName(QStringLiteral("SensorDPI"));
    panel->resize(728, 194);
    panel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Raised);

    label = place<QLabel>(panel, "label", {17, 0, 101, 21});
    label->setFont(Theme::Font(11));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    ChooseEvent = place<MyConmboBox>(panel, "ChooseEvent", {115, 1, 81, 21});
    ChooseEvent->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    ChooseEvent->setMinimumSize(0, 0);
    ChooseEvent->setMaxVisibleItems(5);
    ChooseEvent->setFont(Theme::Font(10));

    horizontalSliderC = place<MySlider>(panel, "horizontalSliderC", {18, 56, 561, 25});
    horizontalSliderC->setMinimumSize(561, 25);
    horizontalSliderC->setMaximumSize(561, 25);
    horizontalSliderC->setOrientation(Qt::Horizontal);
    horizontalSliderC->setRange(50, 32000);
    horizontalSliderC->setSingleStep(50);
    horizontalSliderC->setPageStep(50);
    horizontalSliderC->setValue(50);
    // The value changes when the handle is released, not while it is dragged.
    horizontalSliderC->setTracking(false);

    spinBoxA = place<QSpinBox>(panel, "spinBoxA", {618, 56, 66, 20});
    spinBoxA->setReadOnly(true);
    spinBoxA->setButtonSymbols(QAbstractSpinBox::NoButtons);
    spinBoxA->setWrapping(false);
    spinBoxA->setAccelerated(false);
    spinBoxA->setAlignment(Qt::AlignCenter);
    spinBoxA->setRange(50, 100000);
    spinBoxA->setFont(Theme::Font(10));

    // The buttons first: each colour bar lies across its button's lower edge and must stay on top.
    for (int i = 0; i < DpiLevels::Count; ++i) {
        const DpiLevelPlace &level = DpiLevels::Table[i];
        const QByteArray name = QByteArray(level.Name) + "Button";
        QToolButton *button = place<QToolButton>(panel, name.constData(),
                                                 {level.ButtonX, DpiLevels::ButtonY, 54, 56});
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setFont(Theme::Font(10));
        keepPlaceWhenHidden(button);
        LevelButtons[i] = button;
    }
    for (int i = 0; i < DpiLevels::Count; ++i) {
        const DpiLevelPlace &level = DpiLevels::Table[i];
        const QByteArray name = QByteArray(level.Name) + "ButtonA";
        QToolButton *bar =
            place<QToolButton>(panel, name.constData(), {level.BarX, DpiLevels::BarY, 50, 12});
        bar->setCheckable(true);
        bar->setAutoRaise(false);
        LevelBars[i] = bar;
    }

    label_8 = place<QLabel>(panel, "label_8", {103, 154, 30, 30});
    label_8->setFixedSize(30, 30);

    ReduceLevelA = place<QToolButton>(panel, "ReduceLevelA", {598, 64, 14, 4});
    // The minimum rules over the smaller maximum the form also gives.
    ReduceLevelA->setMaximumSize(14, 1);
    ReduceLevelA->setMinimumSize(14, 4);
    ReduceLevelA->setAutoRaise(true);
    AddLevelA = place<QToolButton>(panel, "AddLevelA", {691, 59, 14, 14});
    AddLevelA->setFixedSize(14, 14);
    AddLevelA->setAutoRaise(true);

    for (QWidget *control :
         {static_cast<QWidget *>(horizontalSliderC), static_cast<QWidget *>(spinBoxA),
          static_cast<QWidget *>(ReduceLevelA), static_cast<QWidget *>(AddLevelA)})
        keepPlaceWhenHidden(control);

    retranslateUi(panel);
    QMetaObject::connectSlotsByName(panel);
}

void Ui_SensorDPI::retranslateUi(QFrame *panel)
{
    panel->setWindowTitle(QStringLiteral("Frame"));
    label->setText(QStringLiteral("DPI级数"));
    for (int i = 0; i < DpiLevels::Count; ++i) {
        LevelButtons[i]->setText(QLatin1String(DpiLevels::Table[i].DefaultText));
        LevelBars[i]->setText(QString());
    }
    label_8->setText(QString());
    ReduceLevelA->setText(QStringLiteral("..."));
    // The plus is its picture alone: a caption would be drawn over it.
    AddLevelA->setText(QString());
}
