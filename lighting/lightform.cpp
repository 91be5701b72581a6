#include "lighting/lightform.h"

#include "lighting/lightlook.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/widgets/formparts.h"
#include "shell/widgets/theme.h"

#include <QComboBox>
#include <QListView>

#include <QFrame>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

QSlider *LightForm::addStepSlider(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *slider = FormParts::Make<QSlider>(parent, name, geometry);
    slider->setOrientation(Qt::Horizontal);
    slider->setRange(1, 10);
    slider->setPageStep(1);
    // A drag is written once, when the handle is let go.
    slider->setTracking(false);
    slider->setFocusPolicy(Qt::NoFocus);
    QFont font = slider->font();
    font.setFamily(QStringLiteral("Microsoft YaHei UI Light"));
    slider->setFont(font);
    return slider;
}

QSpinBox *LightForm::addColourBox(QWidget *parent, const char *name, const QRect &geometry,
                                  int points)
{
    auto *box = FormParts::Make<QSpinBox>(parent, name, geometry);
    box->setRange(0, 255);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    box->setAlignment(Qt::AlignCenter);
    box->setFocusPolicy(Qt::ClickFocus);
    box->setKeyboardTracking(true);
    box->setFont(Theme::Font(points));
    return box;
}

QToolButton *LightForm::addStepButton(QWidget *parent, const char *name, const QRect &geometry,
                                      bool minus)
{
    auto *button = FormParts::Make<QToolButton>(parent, name, geometry);
    button->setFixedSize(geometry.size());
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRaise(true);
    if (minus)
        button->setText(QStringLiteral("..."));
    return button;
}

QList<QToolButton *> LightForm::addPresets(QWidget *parent, const QPoint &first, int size,
                                           int columnStep, int rowStep)
{
    QList<QToolButton *> presets;
    for (int i = 0; i < LightLook::Presets; ++i) {
        auto *button = FormParts::Make<QToolButton>(
            parent, QStringLiteral("toolButtonColor") + LightLook::PresetLetter(i),
            {first.x() + (i % 7) * columnStep, first.y() + (i / 7) * rowStep, size, size});
        button->setFixedSize(size, size);
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        presets.append(button);
    }
    presets.first()->setIconSize(QSize(30, 30));
    return presets;
}

QColor LightForm::ColourBoxes::colour() const
{
    return QColor(Red->value(), Green->value(), Blue->value());
}

void LightForm::ColourBoxes::setColour(const QColor &colour) const
{
    Red->setValue(colour.red());
    Green->setValue(colour.green());
    Blue->setValue(colour.blue());
}

void LightForm::ColourBoxes::releaseFocusOutside(const QPoint &at, QWidget *taker) const
{
    if (Red->geometry().contains(at) || Green->geometry().contains(at) ||
        Blue->geometry().contains(at))
        return;
    for (QSpinBox *box : {Red, Green, Blue})
        box->clearFocus();
    taker->setFocus(Qt::OtherFocusReason);
}

bool LightForm::ShowMode(int mode, QWidget *line, QWidget *line2, const QList<QWidget *> &colours,
                         const QList<QWidget *> &brightness, const QList<QWidget *> &speed)
{
    LightLook::ModeLook look;
    if (!LightLook::ModeLookOf(mode, &look))
        return false;
    line->setVisible(look.Line);
    line2->setVisible(look.Line2);
    for (QWidget *widget : colours)
        widget->setVisible(look.Colours);
    for (QWidget *widget : brightness)
        widget->setVisible(look.Brightness);
    for (QWidget *widget : speed)
        widget->setVisible(look.Speed);
    return true;
}

QToolButton *LightForm::addPanelCloseButton(QFrame *panel)
{
    QToolButton *close = NoticeFrame::addCloseButton(panel, {610, 10});
    close->setFixedSize(20, 20);
    close->setFocusPolicy(Qt::NoFocus);
    close->setIconSize(QSize(30, 30));
    close->setAutoRaise(true);
    return close;
}

void LightForm::AddModeListView(QComboBox *list)
{
    list->setView(new QListView());
    list->setMaxVisibleItems(5);
}

void LightForm::StyleModeList(QComboBox *list, const QString &folder)
{
    list->setStyleSheet(Theme::ComboBoxStyle(folder));
    list->view()->setStyleSheet(Theme::ComboListStyle());
}

void LightForm::StyleColourSection(const QString &folder, const ColourBoxes &boxes,
                                   const QList<QToolButton *> &minus,
                                   const QList<QToolButton *> &plus,
                                   const QList<QToolButton *> &presets, QLabel *board,
                                   QLabel *preview)
{
    for (QSpinBox *box : {boxes.Red, boxes.Green, boxes.Blue})
        box->setStyleSheet(LightLook::ColourBoxStyle());
    for (QToolButton *button : minus)
        button->setStyleSheet(
            LightLook::PictureStyle(button->objectName(), folder, QStringLiteral("Reduce.png")));
    for (QToolButton *button : plus)
        button->setStyleSheet(
            LightLook::PictureStyle(button->objectName(), folder, QStringLiteral("Add.png")));
    for (int i = 0; i < presets.size(); ++i)
        presets.at(i)->setStyleSheet(
            LightLook::PictureStyle(presets.at(i)->objectName(), folder,
                                    QStringLiteral("Color%1.png").arg(LightLook::PresetLetter(i))));
    board->setStyleSheet(
        LightLook::PictureStyle(board->objectName(), folder, QStringLiteral("ColorBoard.png")));
    preview->setStyleSheet(LightLook::PreviewPictureStyle(folder));
}
