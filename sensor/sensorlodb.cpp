#include "sensor/sensorlodb.h"

#include "core/devicewrite.h"
#include "core/record/recordcodes.h"
#include "sensor/panelform.h"
#include "sensor/writeguards.h"
#include "shell/widgets/formparts.h"
#include "shell/widgets/theme.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>

namespace {
// The row's places: with 0.7 mm it stands first and 1 mm and 2 mm follow.
constexpr int FirstX = 80;
constexpr int SecondX = 165;
constexpr int ThirdX = 250;
} // namespace

void Ui_SensorLODB::setupUi(QFrame *panel)
{
    PanelForm::SetUp(panel, "SensorLODB", {338, 20}, true);

    label = FormParts::Label(panel, QStringLiteral("label"), {0, 0, 71, 17}, 11);
    label->setAlignment(Qt::AlignLeading | Qt::AlignLeft | Qt::AlignVCenter);
    label->setStyleSheet(QStringLiteral("#label_12{\ncolor: rgb(255, 255, 255);\n}"));

    MM1 = PanelForm::AddChoiceBox(panel, "MM1", {SecondX, 0, 81, 20});
    MM2 = PanelForm::AddChoiceBox(panel, "MM2", {ThirdX, 0, 81, 20});
    MM0 = PanelForm::AddChoiceBox(panel, "MM0", {FirstX, 0, 81, 20});
    retranslateUi(panel);
    QMetaObject::connectSlotsByName(panel);
}

void Ui_SensorLODB::retranslateUi(QFrame *panel)
{
    panel->setWindowTitle(QStringLiteral("Frame"));
    label->setText(QStringLiteral(" LOD"));
    MM1->setText(QStringLiteral("1mm"));
    MM2->setText(QStringLiteral("2mm"));
    // The short distance is 0.7 mm, as the sensor page's list says; "0mm" would tell the user
    // the sensor never stops tracking.
    MM0->setText(QStringLiteral("0.7mm"));
}

SensorLODB::SensorLODB(QWidget *parent) : QFrame(parent), ui(new Ui_SensorLODB)
{
    ui->setupUi(this);
    DistanceGroup = new QButtonGroup(this);
    DistanceGroup->setExclusive(true);
    for (QCheckBox *box : {ui->MM0, ui->MM1, ui->MM2})
        DistanceGroup->addButton(box);
    PictureDir = Theme::PictureFolder(QStringLiteral("Sensor"));
    ui->label->setStyleSheet(Theme::LabelStyle());
    const QString style = PanelForm::ChoiceBoxStyle(PictureDir);
    for (QCheckBox *box : {ui->MM0, ui->MM1, ui->MM2})
        box->setStyleSheet(style);
    ui->MM0->hide();
}

SensorLODB::~SensorLODB() = default;

// The row's places count from the end of the title, which a long title moves on.
void SensorLODB::PlaceBoxes(bool shortDistance)
{
    const int extra = PanelForm::TitleExtra(ui->label);
    ui->MM0->setVisible(shortDistance);
    ui->MM0->move(FirstX + extra, 0);
    ui->MM1->move((shortDistance ? SecondX : FirstX) + extra, 0);
    ui->MM2->move((shortDistance ? ThirdX : SecondX) + extra, 0);
}

void SensorLODB::AddShortDistance()
{
    PlaceBoxes(true);
}

void SensorLODB::RemoveShortDistance()
{
    PlaceBoxes(false);
}

void SensorLODB::SetButtonsEnabled(bool enabled)
{
    for (QCheckBox *box : {ui->MM0, ui->MM1, ui->MM2})
        box->setEnabled(enabled);
}

void SensorLODB::SetLod(int value)
{
    switch (value + 1) {
    case LodCode::Mm1:
        ui->MM1->setChecked(true);
        break;
    case LodCode::Mm2:
        ui->MM2->setChecked(true);
        break;
    case LodCode::Mm0_7:
        // Offered is what counts, not on screen: a host fills its panels before it shows them,
        // and the device holds 0.7 mm either way.
        if (!ui->MM0->isHidden())
            ui->MM0->setChecked(true);
        break;
    default:
        break;
    }
}

void SensorLODB::SetTitle(const QString &text)
{
    ui->label->setText(text);
    PanelForm::FitTitle(ui->label, this, {ui->MM0, ui->MM1, ui->MM2});
}

void SensorLODB::SetTitleToolTip(const QString &text)
{
    ui->label->setToolTip(text);
}

// The checked box clicked again stays checked (exclusive group) and is written again.
void SensorLODB::DistanceClicked(int code)
{
    if (WriteGuards::SensorChangeWritable())
        WriteLod(code);
}

void SensorLODB::on_MM1_clicked(bool)
{
    DistanceClicked(LodCode::Mm1);
}

void SensorLODB::on_MM2_clicked(bool)
{
    DistanceClicked(LodCode::Mm2);
}

void SensorLODB::on_MM0_clicked(bool)
{
    DistanceClicked(LodCode::Mm0_7);
}
