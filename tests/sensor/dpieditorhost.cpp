#include "tests/sensor/dpieditorhost.h"

#include "core/configini.h"
#include "core/devicestate.h"
#include "platform/devicelib/simulationcontrol.h"
#include "sensor/model/dpicodec.h"
#include "sensor/model/sensorheader.h"
#include "sensor/sensordpi.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/myslider.h"
#include "tests/linksupport/linkfixture.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScopedPointer>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <cmath>

namespace DpiEditorHost {

const QString Mouse = QStringLiteral("M1");

namespace {

QString modelGroup()
{
    return QStringLiteral("Drive%1").arg(state().CurrentDeviceInfo.get().DriveIndex + 1);
}

void sendMouse(QWidget *widget, QEvent::Type type, const QPoint &pos)
{
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

bool selectShippedMouse(int kind, int driveIndex)
{
    // Each selection starts from the factory state: the devices keep what they were sent in
    // their state folder, and the next test must not find it there.
    static QScopedPointer<QTemporaryDir> stateFolder;
    stateFolder.reset(new QTemporaryDir);
    SimulationControl::setStateFolder(stateFolder->path());
    if (!LinkFixture::loadDevices(LinkFixture::receiverWithMouse()) ||
        !LinkFixture::selectDevice(
            LinkFixture::deviceInfo(LinkFixture::receiverPath(), kind, 10, driveIndex)))
        return false;
    state().WriteEnabled = 1;
    loadModel();
    SimulationControl::clearLog();
    return true;
}

void loadModel()
{
    SensorModel &model = SensorModel::instance();
    model.SensorChip = ConfigIni::instance()->value(modelGroup(), QStringLiteral("Sensor"));
    LoadDpiRanges();
    const SensorDefines defines = LoadSensorHeader();
    model.DefineNames = defines.DefineNames;
    model.DefineValues = defines.DefineValues;
}

void fill(SensorDPI *editor, const FlashDataMap &record)
{
    editor->ClearCountItems();
    editor->BlockSliderSignals(true);
    editor->SetSliderEnabled(true);
    state().SensorFilling = 1;
    editor->SetLevelCount(record.DpiStageCount);
    editor->SetCurrentLevel(record.CurrentDpiStage);
    const int levels =
        qMin(ConfigIni::instance()->intValue(modelGroup(), QStringLiteral("DPIMaxGrade")), 8);
    editor->BlockCountSignals(true);
    for (int i = 0; i < levels; ++i) {
        const DpiStage &stage = record.DpiStages[i];
        editor->SetLevelColor(i, stageColour(stage));
        editor->InsertLevelItem(i, QString::number(i + 1));
    }
    editor->BlockCountSignals(false);
    editor->MarkCurrentBar(record.CurrentDpiStage);
    LoadDpiRanges();
    const DpiRanges &ranges = SensorModel::instance().DpiRangeTable;
    editor->SetSliderMaximum(ranges.DpiMaxText.toInt());
    editor->SetSliderMinimum(ranges.DpiMinText.toInt());
    for (int i = 0; i < levels; ++i) {
        const int dpi = stageDpi(record.DpiStages[i]);
        editor->SetLevelText(i, QString::number(dpi));
        if (i == record.CurrentDpiStage) {
            editor->SetSliderValue(dpi);
            editor->SetValueDisplay(dpi);
        }
    }
    editor->ShowLevelButtons(record.DpiStageCount - 1);
    editor->SetCountIndex(record.DpiStageCount - 1);
    editor->MoveLevelMark(record.CurrentDpiStage + 1);
    editor->SelectLevel(record.CurrentDpiStage);
    editor->BlockSliderSignals(false);
    state().SensorFilling = 0;
}

void fillFromDevice(SensorDPI *editor)
{
    fill(editor, state().CurrentFlashData.get());
}

std::unique_ptr<SensorDPI> filledEditor()
{
    std::unique_ptr<SensorDPI> editor(new SensorDPI);
    fillFromDevice(editor.get());
    editor->show();
    if (!QTest::qWaitForWindowExposed(editor.get()))
        return nullptr;
    SimulationControl::clearLog();
    return editor;
}

void showReportedStage(SensorDPI *editor, int stage)
{
    state().WriteEnabled = 0;
    editor->MoveLevelMark(stage + 1);
    if (stage >= 0 && stage <= 7) {
        editor->SelectLevel(stage);
        editor->SetCurrentLevel(stage);
    }
    state().WriteEnabled = 1;
}

QToolButton *levelButton(SensorDPI *editor, int level)
{
    return editor->findChild<QToolButton *>(QLatin1String(DpiLevels::Table[level].Name) +
                                            QLatin1String("Button"));
}

QToolButton *levelBar(SensorDPI *editor, int level)
{
    return editor->findChild<QToolButton *>(QLatin1String(DpiLevels::Table[level].Name) +
                                            QLatin1String("ButtonA"));
}

QLabel *marker(SensorDPI *editor)
{
    return editor->findChild<QLabel *>(QStringLiteral("label_8"));
}

MySlider *slider(SensorDPI *editor)
{
    return editor->findChild<MySlider *>(QStringLiteral("horizontalSliderC"));
}

QSpinBox *valueBox(SensorDPI *editor)
{
    return editor->findChild<QSpinBox *>(QStringLiteral("spinBoxA"));
}

MyConmboBox *countBox(SensorDPI *editor)
{
    return editor->findChild<MyConmboBox *>(QStringLiteral("ChooseEvent"));
}

QToolButton *plusButton(SensorDPI *editor)
{
    return editor->findChild<QToolButton *>(QStringLiteral("AddLevelA"));
}

QToolButton *minusButton(SensorDPI *editor)
{
    return editor->findChild<QToolButton *>(QStringLiteral("ReduceLevelA"));
}

QPoint sliderHandleCentre(MySlider *slider)
{
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    option.singleStep = slider->singleStep();
    option.pageStep = slider->pageStep();
    option.upsideDown = slider->invertedAppearance();
    option.direction = slider->layoutDirection();
    option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
    return slider->style()
        ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider)
        .center();
}

int sliderX(MySlider *slider, int value)
{
    const double share =
        double(value - slider->minimum()) / (slider->maximum() - slider->minimum());
    return int(std::ceil(share * slider->width()));
}

void press(QWidget *widget, const QPoint &pos)
{
    sendMouse(widget, QEvent::MouseButtonPress, pos);
}

void moveTo(QWidget *widget, const QPoint &pos)
{
    sendMouse(widget, QEvent::MouseMove, pos);
}

void release(QWidget *widget, const QPoint &pos)
{
    sendMouse(widget, QEvent::MouseButtonRelease, pos);
}

void dragMarker(SensorDPI *editor, int x)
{
    const QPoint start = marker(editor)->geometry().center();
    press(editor, start);
    moveTo(editor, QPoint(x, start.y()));
    release(editor, QPoint(x, start.y()));
}

void wheelUp(QWidget *widget)
{
    const QPoint pos = widget->rect().center();
    QWheelEvent event(pos, widget->mapToGlobal(pos), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

int stageDpi(const DpiStage &stage)
{
    return DecodeDpiStage(stage.CodeX, stage.Flags);
}

QString stageColour(const DpiStage &stage)
{
    return QStringLiteral("#%1%2%3")
        .arg(stage.Red, 2, 16, QLatin1Char('0'))
        .arg(stage.Green, 2, 16, QLatin1Char('0'))
        .arg(stage.Blue, 2, 16, QLatin1Char('0'));
}

int sends()
{
    return LinkFixture::calls(QStringLiteral("ProtocolDataUpdate"));
}

} // namespace DpiEditorHost
