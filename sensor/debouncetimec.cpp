#include "sensor/debouncetimec.h"

#include "core/devicewrite.h"
#include "sensor/panelform.h"
#include "sensor/writeguards.h"
#include "shell/widgets/formparts.h"
#include "shell/widgets/theme.h"

#include <QSpinBox>
#include <QToolButton>

namespace {

QToolButton *stepButton(QFrame *panel, const char *name, const QRect &geometry)
{
    auto *button = FormParts::Make<QToolButton>(panel, name, geometry);
    button->setMinimumSize(geometry.size());
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

void Ui_DebouncetimeC::setupUi(QFrame *panel)
{
    PanelForm::SetUp(panel, "DebouncetimeC", {165, 37}, true);
    AddLevelA = stepButton(panel, "AddLevelA", {140, 15, 14, 14});
    AddLevelA->setMaximumSize(14, 14);
    ReduceLevelA = stepButton(panel, "ReduceLevelA", {20, 22, 14, 4});
    spinBoxA = PanelForm::AddValueBox(panel, {40, 5, 91, 31}, 0, 20);
    retranslateUi(panel);
    QMetaObject::connectSlotsByName(panel);
}

void Ui_DebouncetimeC::retranslateUi(QFrame *panel)
{
    panel->setWindowTitle(QStringLiteral("Frame"));
    AddLevelA->setText(QString());
    ReduceLevelA->setText(QStringLiteral("..."));
    spinBoxA->setSuffix(QString());
}

DebouncetimeC::DebouncetimeC(QWidget *parent) : QFrame(parent), ui(new Ui_DebouncetimeC)
{
    ui->setupUi(this);
    PictureDir = Theme::PictureFolder(QStringLiteral("Sensor"));
    ui->spinBoxA->setStyleSheet(PanelForm::ValueBoxStyle());
    // The pictures stand in for the buttons' texts.
    ui->AddLevelA->setStyleSheet(PanelForm::StepButtonStyle(QStringLiteral("AddLevelA"), PictureDir,
                                                            QStringLiteral("Add.png")));
    ui->ReduceLevelA->setStyleSheet(PanelForm::StepButtonStyle(
        QStringLiteral("ReduceLevelA"), PictureDir, QStringLiteral("Reduce.png")));
}

DebouncetimeC::~DebouncetimeC() = default;

void DebouncetimeC::SetValue(int value)
{
    ui->spinBoxA->setValue(value);
}

void DebouncetimeC::SetItemText(int, const QString &unit)
{
    ui->spinBoxA->setSuffix(unit);
}

// The box keeps the value within 0..20; what it then shows is what is written.
void DebouncetimeC::ShowAndWrite(int value)
{
    ui->spinBoxA->setValue(value);
    if (WriteGuards::WritesEnabled())
        WriteDebounceTime(ui->spinBoxA->value());
}

void DebouncetimeC::on_AddLevelA_clicked()
{
    const int value = ui->spinBoxA->value();
    if (value != ui->spinBoxA->maximum())
        ShowAndWrite(value + 1);
}

void DebouncetimeC::on_ReduceLevelA_clicked()
{
    const int value = ui->spinBoxA->value();
    if (value != 1)
        ShowAndWrite(value - 1);
}
