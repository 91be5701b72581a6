#include "lighting/lightform.h"

#include "lighting/lightlook.h"
#include "shell/dialogs/noticeframe.h"

#include <QFrame>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

QLabel *LightForm::addLabel(QWidget *parent, const char *name, const QRect &geometry, int points)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setFont(NoticeFrame::font(points));
    return label;
}

QSlider *LightForm::addStepSlider(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *slider = new QSlider(parent);
    slider->setObjectName(QLatin1String(name));
    slider->setGeometry(geometry);
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

QFrame *LightForm::addLine(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *line = new QFrame(parent);
    line->setObjectName(QLatin1String(name));
    line->setGeometry(geometry);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setStyleSheet(QStringLiteral("background-color:  rgb(57, 57, 57);"));
    return line;
}

QSpinBox *LightForm::addColourBox(QWidget *parent, const char *name, const QRect &geometry,
                                  int points)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    box->setRange(0, 255);
    box->setButtonSymbols(QAbstractSpinBox::NoButtons);
    box->setAlignment(Qt::AlignCenter);
    box->setFocusPolicy(Qt::ClickFocus);
    box->setKeyboardTracking(true);
    box->setFont(NoticeFrame::font(points));
    return box;
}

QToolButton *LightForm::addStepButton(QWidget *parent, const char *name, const QRect &geometry,
                                      bool minus)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
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
        auto *button = new QToolButton(parent);
        button->setObjectName(QStringLiteral("toolButtonColor") + LightLook::PresetLetter(i));
        button->setGeometry(first.x() + (i % 7) * columnStep, first.y() + (i / 7) * rowStep, size,
                            size);
        button->setFixedSize(size, size);
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        presets.append(button);
    }
    presets.first()->setIconSize(QSize(30, 30));
    return presets;
}
