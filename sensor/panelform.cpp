#include "sensor/panelform.h"

#include "shell/widgets/formparts.h"
#include "shell/widgets/myconmbobox.h"
#include "shell/widgets/theme.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>

void PanelForm::SetUp(QFrame *panel, const char *name, const QSize &size, bool fixed)
{
    if (panel->objectName().isEmpty())
        panel->setObjectName(QLatin1String(name));
    panel->resize(size);
    if (fixed)
        panel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Raised);
}

MyConmboBox *PanelForm::AddList(QFrame *panel, const char *name, const QRect &geometry)
{
    auto *list = FormParts::Make<MyConmboBox>(panel, name, geometry);
    list->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    list->setMinimumSize(131, 34);
    list->setMaximumSize(220, 34);
    list->setFont(Theme::Font(11));
    list->setFocusPolicy(Qt::NoFocus);
    return list;
}

void PanelForm::StyleList(QComboBox *list, const QString &folder, bool ownView)
{
    list->setStyleSheet(Theme::ComboBoxStyle(folder) +
                        QStringLiteral("QComboBox:disabled{color: rgb(141,148,158);}"));
    if (!ownView)
        return;
    Theme::UseComboList(list);
}

namespace {
// The label's width as the form made it, kept on the label the first time it is fitted.
const char *const FormWidthProperty = "zr35FormWidth";

int formWidth(const QLabel *label)
{
    const QVariant width = label->property(FormWidthProperty);
    return width.isValid() ? width.toInt() : label->width();
}
} // namespace

int PanelForm::TitleExtra(const QLabel *label)
{
    return label->width() - formWidth(label);
}

void PanelForm::FitTitle(QLabel *label, QFrame *panel, const QVector<QWidget *> &followers)
{
    const int form = formWidth(label);
    label->setProperty(FormWidthProperty, form);
    // The label's own margin and frame take a few pixels of its width.
    const int needed = label->fontMetrics().horizontalAdvance(label->text()) + 4;
    const int extra = qMax(0, needed - form);
    const int delta = extra - TitleExtra(label);
    if (delta == 0)
        return;
    label->resize(form + extra, label->height());
    for (QWidget *follower : followers)
        follower->move(follower->x() + delta, follower->y());
    panel->resize(panel->width() + delta, panel->height());
}

QCheckBox *PanelForm::AddChoiceBox(QFrame *panel, const char *name, const QRect &geometry)
{
    auto *box = FormParts::Make<QCheckBox>(panel, name, geometry);
    box->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Expanding);
    box->setMinimumSize(20, 10);
    box->setFont(Theme::Font(11));
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

QString PanelForm::ChoiceBoxStyle(const QString &folder)
{
    return QStringLiteral("QCheckBox{color: %1;}"
                          "QCheckBox::indicator:checked{image: url(%2LODCheck.png);}"
                          "QCheckBox::indicator:unchecked{image: url(%2LOD.png);}")
        .arg(Theme::Rgb(QStringLiteral("LabelColor")), folder);
}

QSpinBox *PanelForm::AddValueBox(QFrame *panel, const QRect &geometry, int minimum, int maximum,
                                 const char *name)
{
    auto *box = FormParts::Make<QSpinBox>(panel, name, geometry);
    box->setFont(Theme::Font(10));
    box->setFocusPolicy(Qt::NoFocus);
    box->setReadOnly(true);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    box->setWrapping(false);
    box->setAccelerated(false);
    box->setAlignment(Qt::AlignCenter);
    box->setRange(minimum, maximum);
    return box;
}

QString PanelForm::ValueBoxStyle()
{
    return QStringLiteral("QSpinBox{background-color: transparent;color: %1;"
                          "border: 1px  solid gray;}"
                          "QSpinBox:hover{background-color: transparent;color: %1;"
                          "border: 1px  solid gray;}")
        .arg(Theme::Rgb(QStringLiteral("LinEditColorSecond")));
}

QSlider *PanelForm::AddValueSlider(QFrame *panel, const char *name, const QRect &geometry,
                                   int minimum, int maximum)
{
    auto *slider = FormParts::Make<QSlider>(panel, name, geometry);
    slider->setOrientation(Qt::Horizontal);
    slider->setRange(minimum, maximum);
    slider->setPageStep(1);
    slider->setTracking(false);
    slider->setFocusPolicy(Qt::NoFocus);
    return slider;
}

QString PanelForm::ThinSliderStyle(const QString &folder)
{
    return QStringLiteral("QSlider:groove:horizontal{height:2px;left: 0px;right: 0px;border:0px;"
                          "border-radius:6px;background:rgba(0,0,0,50);}"
                          "QSlider:handle:horizontal{ width:  5px;height: 50px;  margin-top: -20px;"
                          "margin-left: 0px; margin-bottom: -20px;margin-right: 0px; "
                          "border-image: url(%1HuaKuai.png);} "
                          "QSlider:sub-page:horizontal{background-color: %2;}"
                          "QSlider:add-page:horizontal{background-color: rgb(255, 255, 255);}")
        .arg(folder, Theme::Rgb(QStringLiteral("SliderColor")));
}

QString PanelForm::StepSliderStyle(const QString &folder)
{
    return QStringLiteral(
               "QSlider::groove:horizontal { border-radius: 2px;  height: 5px;background:#ffffff}"
               "QSlider:handle:horizontal{ border-radius: 2px;width:  6px;height: 18px;  "
               "margin-top: -9px;margin-left: 0px; margin-bottom: -9px;margin-right: 0px; "
               "border-image: url(%1HuaKuai.png);} "
               "QSlider:sub-page:horizontal{border-radius: 2px;background-color: %2;}"
               "QSlider:add-page:horizontal{border-radius: 2px;"
               "background-color: rgb(255, 255, 255);}")
        .arg(folder, Theme::Rgb(QStringLiteral("SliderColor")));
}

QString PanelForm::StepButtonStyle(const QString &name, const QString &folder,
                                   const QString &picture)
{
    return QStringLiteral("#%1{background-image: url(%2%3);border:0px;"
                          "background-position:center;background-repeat:no-repeat;}")
        .arg(name, folder, picture);
}
