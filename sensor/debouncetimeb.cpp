#include "sensor/debouncetimeb.h"

#include "core/devicewrite.h"
#include "sensor/panelform.h"
#include "sensor/writeguards.h"
#include "shell/widgets/theme.h"

#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

void Ui_DebouncetimeB::setupUi(QFrame *panel)
{
    PanelForm::SetUp(panel, "DebouncetimeB", {280, 27}, false);
    Debunce = PanelForm::AddValueSlider(panel, "Debunce", {0, 5, 201, 20}, 1, 20);
    spinBoxA = PanelForm::AddValueBox(panel, {210, 5, 66, 20}, 1, 20);
    retranslateUi(panel);
    QMetaObject::connectSlotsByName(panel);
}

void Ui_DebouncetimeB::retranslateUi(QFrame *panel)
{
    panel->setWindowTitle(QStringLiteral("Frame"));
}

DebouncetimeB::DebouncetimeB(QWidget *parent) : QFrame(parent), ui(new Ui_DebouncetimeB)
{
    ui->setupUi(this);
    PictureDir = Theme::PictureFolder(QStringLiteral("Sensor"));
    ui->spinBoxA->setStyleSheet(PanelForm::ValueBoxStyle());
    ui->Debunce->setStyleSheet(PanelForm::ThinSliderStyle(PictureDir));
}

DebouncetimeB::~DebouncetimeB() = default;

void DebouncetimeB::SetValue(int value)
{
    const QSignalBlocker blocker(ui->Debunce);
    ui->Debunce->setValue(value);
    ui->spinBoxA->setValue(value);
}

void DebouncetimeB::SetItemText(int, const QString &unit)
{
    ui->spinBoxA->setSuffix(unit);
}

void DebouncetimeB::on_Debunce_sliderMoved(int value)
{
    ui->spinBoxA->setValue(value);
}

// The slider's values 1..20 are the stored debounce time itself.
void DebouncetimeB::on_Debunce_valueChanged(int value)
{
    ui->spinBoxA->setValue(value);
    if (WriteGuards::WritesEnabled())
        WriteDebounceTime(value);
}
