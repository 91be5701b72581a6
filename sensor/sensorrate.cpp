#include "sensor/sensorrate.h"

#include "sensor/panelform.h"
#include "sensor/ratechoice.h"
#include "shell/widgets/formparts.h"
#include "shell/widgets/theme.h"

#include <QButtonGroup>
#include <QLabel>
#include <QToolButton>

namespace {
const char *const ButtonTexts[SensorCodes::RateButtons] = {"125Hz",  "250Hz",  "500Hz", "1000Hz",
                                                           "2000Hz", "4000Hz", "8000Hz"};
} // namespace

void Ui_SensorRate::setupUi(QFrame *panel)
{
    PanelForm::SetUp(panel, "SensorRate", {725, 82}, true);

    label = FormParts::Label(panel, QStringLiteral("label"), {0, 0, 161, 31}, 11);
    label->setStyleSheet(QStringLiteral("color: rgb(255, 255, 255);"));

    // 100 pixels apart, each 74 x 26.
    for (int i = 0; i < SensorCodes::RateButtons; ++i) {
        auto *button = FormParts::Make<QToolButton>(
            panel, QLatin1String(RateChoice::ButtonNames[i]), {100 * i, 51, 74, 26});
        button->setFixedSize(74, 26);
        button->setFont(Theme::Font(10));
        button->setFocusPolicy(Qt::NoFocus);
        button->setCheckable(true);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setAutoRaise(true);
        button->setArrowType(Qt::NoArrow);
        RateButtons[i] = button;
    }
    retranslateUi(panel);
    QMetaObject::connectSlotsByName(panel);
}

void Ui_SensorRate::retranslateUi(QFrame *panel)
{
    panel->setWindowTitle(QStringLiteral("Frame"));
    label->setText(QStringLiteral("回报率"));
    for (int i = 0; i < SensorCodes::RateButtons; ++i)
        RateButtons[i]->setText(QLatin1String(ButtonTexts[i]));
}

SensorRate::SensorRate(QWidget *parent) : QFrame(parent), ui(new Ui_SensorRate)
{
    ui->setupUi(this);
    PictureDir = Theme::PictureFolder(QStringLiteral("Sensor"));
    RateGroup = new QButtonGroup(this);
    RateGroup->setExclusive(true);
    for (QToolButton *button : ui->RateButtons)
        RateGroup->addButton(button);

    ui->label->setStyleSheet(Theme::LabelStyle());
    const QString style = QStringLiteral("QToolButton{border:0px;background-position:center;"
                                         "background-repeat:no-repeat;color: %1;padding-left:0px;"
                                         "background-image: url(%2ReportRate.png);}"
                                         "QToolButton:checked{padding-left:0px;"
                                         "background-image: url(%2ReportRateClick.png); }")
                              .arg(Theme::Rgb(QStringLiteral("ButtonColor")), PictureDir);
    for (QToolButton *button : ui->RateButtons)
        button->setStyleSheet(style);
}

SensorRate::~SensorRate() = default;

void SensorRate::SetRate(int index)
{
    if (index >= 0 && index < SensorCodes::RateButtons)
        ui->RateButtons[index]->setChecked(true);
}

void SensorRate::ShowHighRates(int level)
{
    RateChoice::ShowHighRates(ui->RateButtons, level);
}

void SensorRate::SetTitle(const QString &text)
{
    ui->label->setText(text);
}

void SensorRate::RateClicked(int index, bool checked)
{
    RateChoice::Clicked(index, checked);
}
