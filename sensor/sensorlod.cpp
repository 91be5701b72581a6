#include "sensor/sensorlod.h"

#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "sensor/model/sensorcodes.h"
#include "sensor/panelform.h"
#include "shell/widgets/formparts.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/theme.h"

#include <QLabel>

void Ui_SensorLOD::setupUi(QFrame *panel)
{
    PanelForm::SetUp(panel, "SensorLOD", {131, 61}, true);

    label = FormParts::Label(panel, QStringLiteral("label"), {0, 0, 151, 17}, 11);
    label->setAlignment(Qt::AlignLeading | Qt::AlignLeft | Qt::AlignVCenter);
    label->setStyleSheet(QStringLiteral("#label_12{\ncolor: rgb(255, 255, 255);\n}"));

    LOD = new MyConmboBox(panel);
    LOD->setObjectName(QStringLiteral("LOD"));
    LOD->setEnabled(false);
    LOD->setGeometry(0, 30, 130, 30);
    LOD->setMinimumSize(0, 0);
    LOD->setMaximumSize(130, 30);
    LOD->setFont(Theme::Font(11));
    LOD->setFocusPolicy(Qt::NoFocus);
    retranslateUi(panel);
    QMetaObject::connectSlotsByName(panel);
}

void Ui_SensorLOD::retranslateUi(QFrame *panel)
{
    panel->setWindowTitle(QStringLiteral("Frame"));
    label->setText(QStringLiteral(" LOD"));
    LOD->clear();
    LOD->insertItems(0, {QStringLiteral("1mm"), QStringLiteral("2mm")});
}

SensorLOD::SensorLOD(QWidget *parent) : QFrame(parent), ui(new Ui_SensorLOD)
{
    ui->setupUi(this);
    PictureDir = Theme::PictureFolder(QStringLiteral("Sensor"));
    ui->label->setStyleSheet(Theme::LabelStyle());
    PanelForm::StyleList(ui->LOD, PictureDir);
}

SensorLOD::~SensorLOD() = default;

void SensorLOD::AddShortDistance()
{
    if (ui->LOD->count() == 2)
        ui->LOD->insertItem(0, QStringLiteral("0.7mm"));
}

void SensorLOD::RemoveShortDistance()
{
    if (ui->LOD->count() == 3)
        ui->LOD->removeItem(0);
}

void SensorLOD::SetComboEnabled(bool enabled)
{
    ui->LOD->setEnabled(enabled);
}

void SensorLOD::SetLod(int value)
{
    const int index = SensorCodes::LodIndex(value, ui->LOD->count());
    // With three entries only the three distances select; a two-entry list takes the value as
    // its index, as the form's list always has.
    if (ui->LOD->count() == 3 && index < 0)
        return;
    ui->LOD->setCurrentIndex(index);
}

void SensorLOD::SetTitle(const QString &text)
{
    ui->label->setText(text);
}

void SensorLOD::SetTitleToolTip(const QString &text)
{
    ui->label->setToolTip(text);
}

void SensorLOD::on_LOD_currentIndexChanged(int index)
{
    const DeviceState &state = *DeviceState::instance();
    if (state.WriteEnabled.load() == 0 || state.SensorFilling.load() != 0)
        return;
    // An emptied selection (-1) is no distance and writes nothing.
    const int code = SensorCodes::LodCode(index, ui->LOD->count());
    if (code > 0)
        WriteLod(code);
}
