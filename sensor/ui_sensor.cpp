#include "sensor/ui_sensor.h"

#include "sensor/motionsync.h"
#include "sensor/rippecontrol.h"
#include "sensor/sensordpi.h"
#include "sensor/sensoreffect.h"
#include "sensor/sensorlod.h"
#include "sensor/sensorrate.h"
#include "sensor/straightline.h"
#include "shell/widgets/formparts.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/pageframe.h"
#include "shell/widgets/theme.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QToolButton>

namespace {

// Every widget's place inside the page frame.
const struct
{
    const char *name;
    QRect geometry;
} Places[] = {
    {"frameDpi", {65, 26, 728, 194}},         {"TitleButton", {40, 33, 16, 10}},
    {"frameRate", {80, 208, 725, 82}},        {"TitleButton_2", {40, 220, 16, 10}},
    {"label_5", {80, 316, 211, 21}},          {"TitleButton_4", {40, 323, 16, 10}},
    {"label_11", {80, 360, 171, 17}},         {"ModelChoose", {80, 390, 130, 30}},
    {"frameLOD", {255, 360, 131, 61}},        {"Performance", {430, 360, 201, 31}},
    {"PerformanceOpen", {430, 390, 130, 30}}, {"frame", {640, 370, 204, 31}},
    {"frame_3", {640, 400, 204, 31}},         {"frame_4", {640, 400, 204, 31}},
    {"TitleButton_3", {40, 463, 16, 10}},     {"frameEffect", {80, 456, 439, 96}},
};

using FormParts::Make;

// A section's marker: a small picture, never a control.
QToolButton *makeMarker(QWidget *parent, const char *name)
{
    auto *marker = Make<QToolButton>(parent, name);
    marker->setEnabled(false);
    marker->setFocusPolicy(Qt::NoFocus);
    marker->setAutoRaise(true);
    marker->setFixedSize(16, 10);
    return marker;
}

MyConmboBox *makeList(QWidget *parent, const char *name)
{
    auto *list = Make<MyConmboBox>(parent, name);
    list->setEnabled(false);
    list->setFixedSize(130, 30);
    list->setFont(Theme::Font(11));
    list->setFocusPolicy(Qt::NoFocus);
    return list;
}

// Panels the page hosts keep their own form; here they are framed like the page's other parts.
template <typename T>
T *makePanel(QWidget *parent, const char *name)
{
    auto *panel = Make<T>(parent, name);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Raised);
    return panel;
}

} // namespace

void Ui_Sensor::setupUi(QWidget *page)
{
    SenSorPage = PageFrame::build(page, "Sensor", "SenSorPage", &gridLayout);
    // The page and its panels are framed panels in the form; on the dark page the frames would
    // draw stray boxes around each section, so none of them draws a border.
    SenSorPage->setStyleSheet(
        SenSorPage->styleSheet() +
        QStringLiteral("#SenSorPage,#frameDpi,#frameRate,#frameLOD,#frame,#frame_3,#frame_4,"
                       "#frameEffect{border:none;}"));

    frameDpi = makePanel<SensorDPI>(SenSorPage, "frameDpi");
    TitleButton = makeMarker(SenSorPage, "TitleButton");
    frameRate = makePanel<SensorRate>(SenSorPage, "frameRate");
    TitleButton_2 = makeMarker(SenSorPage, "TitleButton_2");
    label_5 = Make<QLabel>(SenSorPage, "label_5");
    label_5->setFont(Theme::Font(11));
    label_5->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));
    TitleButton_4 = makeMarker(SenSorPage, "TitleButton_4");
    label_11 = Make<QLabel>(SenSorPage, "label_11");
    label_11->setFont(Theme::Font(11));
    label_11->setAlignment(Qt::AlignLeading | Qt::AlignLeft | Qt::AlignVCenter);
    label_11->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));
    ModelChoose = makeList(SenSorPage, "ModelChoose");
    for (int i = 0; i < 3; ++i)
        ModelChoose->addItem(QString());
    frameLOD = makePanel<SensorLOD>(SenSorPage, "frameLOD");
    Performance = Make<QCheckBox>(SenSorPage, "Performance");
    Performance->setMinimumHeight(17);
    Performance->setFont(Theme::Font(11));
    Performance->setFocusPolicy(Qt::NoFocus);
    PerformanceOpen = makeList(SenSorPage, "PerformanceOpen");
    PerformanceOpen->setEditable(false);
    PerformanceOpen->setMaxVisibleItems(5);
    for (int i = 0; i < 6; ++i)
        PerformanceOpen->addItem(QString());
    frame = makePanel<RippeControl>(SenSorPage, "frame");
    frame_3 = makePanel<MotionSync>(SenSorPage, "frame_3");
    frame_4 = makePanel<StraightLine>(SenSorPage, "frame_4");
    TitleButton_3 = makeMarker(SenSorPage, "TitleButton_3");
    frameEffect = makePanel<SensorEffect>(SenSorPage, "frameEffect");

    for (const auto &place : Places)
        SenSorPage->findChild<QWidget *>(QLatin1String(place.name))->setGeometry(place.geometry);

    retranslateUi(page);
    QMetaObject::connectSlotsByName(page);
}

void Ui_Sensor::retranslateUi(QWidget *page)
{
    page->setWindowTitle(QStringLiteral("Form"));
    for (QToolButton *marker : {TitleButton, TitleButton_2, TitleButton_3, TitleButton_4})
        marker->setText(QString());
    label_5->setText(QStringLiteral("Sensor设置"));
    label_11->setText(QStringLiteral("模式选择"));
    label_11->setToolTip(QStringLiteral("LP:普通模式; HP:高性能模式; corded:超性能模式"));
    ModelChoose->setItemText(0, QStringLiteral("LP"));
    ModelChoose->setItemText(1, QStringLiteral("HP"));
    ModelChoose->setItemText(2, QStringLiteral("Corded"));
    Performance->setText(QStringLiteral("性能全开"));
    const char *const durations[] = {"30秒", "1分钟", "2分钟", "5分钟", "10分钟", "15分钟"};
    for (int i = 0; i < 6; ++i)
        PerformanceOpen->setItemText(i, QString::fromUtf8(durations[i]));
}
