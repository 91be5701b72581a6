#include "sensor/sensorrateb.h"

#include "sensor/panelform.h"
#include "sensor/ratechoice.h"
#include "shell/widgets/formparts.h"
#include "shell/widgets/theme.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>

#include <iterator>

namespace {
const char *const BoxTexts[SensorCodes::RateButtons] = {"125HZ",  "250HZ",  "500HZ", "1000HZ",
                                                        "2000HZ", "4000HZ", "8000HZ"};
} // namespace

void Ui_SensorRateB::setupUi(QFrame *panel)
{
    PanelForm::SetUp(panel, "SensorRateB", {820, 38}, true);

    label = FormParts::Label(panel, QStringLiteral("label"), {0, 0, 100, 31}, 11);
    label->setAlignment(Qt::AlignLeading | Qt::AlignLeft | Qt::AlignVCenter);
    label->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));

    // One row, 100 pixels apart, right of the title.
    for (int i = 0; i < SensorCodes::RateButtons; ++i)
        RateBoxes[i] =
            PanelForm::AddChoiceBox(panel, RateChoice::ButtonNames[i], {100 + 100 * i, 7, 101, 20});
    retranslateUi(panel);
    QMetaObject::connectSlotsByName(panel);
}

void Ui_SensorRateB::retranslateUi(QFrame *panel)
{
    panel->setWindowTitle(QStringLiteral("Frame"));
    label->setText(QStringLiteral("回报率"));
    for (int i = 0; i < SensorCodes::RateButtons; ++i)
        RateBoxes[i]->setText(QLatin1String(BoxTexts[i]));
}

SensorRateB::SensorRateB(QWidget *parent) : QFrame(parent), ui(new Ui_SensorRateB)
{
    ui->setupUi(this);
    PictureDir = Theme::PictureFolder(QStringLiteral("Sensor"));
    RateGroup = new QButtonGroup(this);
    RateGroup->setExclusive(true);
    for (QCheckBox *box : ui->RateBoxes)
        RateGroup->addButton(box);
    ui->label->setStyleSheet(Theme::LabelStyle());
    const QString style = PanelForm::ChoiceBoxStyle(PictureDir);
    for (QCheckBox *box : ui->RateBoxes)
        box->setStyleSheet(style);
}

SensorRateB::~SensorRateB() = default;

void SensorRateB::SetRate(int index)
{
    if (index >= 0 && index < SensorCodes::RateButtons)
        ui->RateBoxes[index]->setChecked(true);
}

void SensorRateB::ShowHighRates(int level)
{
    RateChoice::ShowHighRates(ui->RateBoxes, level);
}

// The row moves right of a title longer than the form's.
void SensorRateB::SetTitle(const QString &text)
{
    ui->label->setText(text);
    PanelForm::FitTitle(ui->label, this,
                        QVector<QWidget *>(std::begin(ui->RateBoxes), std::end(ui->RateBoxes)));
}

void SensorRateB::RateClicked(int index, bool checked)
{
    RateChoice::Clicked(index, checked);
}
