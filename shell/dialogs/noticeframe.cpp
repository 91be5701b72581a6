#include "shell/dialogs/noticeframe.h"

#include "core/devicestate.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "shell/widgets/fontscaling.h"
#include "shell/widgets/formparts.h"
#include "shell/widgets/stylewhenpolished.h"
#include "shell/widgets/theme.h"

#include <QDialog>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QToolButton>

namespace {
constexpr QSize ButtonSize{90, 24};
constexpr QSize CloseSize{20, 20};
} // namespace

void NoticeFrame::setUpWindow(QDialog *dialog, const QString &objectName, int minimumWidth)
{
    if (dialog->objectName().isEmpty())
        dialog->setObjectName(objectName);
    dialog->resize(Width, Height);
    dialog->setMinimumSize(minimumWidth, Height);
    dialog->setMaximumSize(Width, Height);
    dialog->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    dialog->setWindowTitle(QStringLiteral("Dialog"));
}

QFrame *NoticeFrame::addPanel(QDialog *dialog, const QString &name, const QSize &size)
{
    auto *panel = FormParts::Make<QFrame>(dialog, name, QRect(QPoint(0, 0), size));
    panel->setFixedSize(size);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Raised);
    return panel;
}

QToolButton *NoticeFrame::addCloseButton(QFrame *panel, const QPoint &at)
{
    auto *close =
        FormParts::Make<QToolButton>(panel, QStringLiteral("CloseButton"), QRect(at, CloseSize));
    close->setMaximumSize(CloseSize);
    close->setIconSize(QSize(30, 30));
    close->setAutoRaise(true);
    return close;
}

QLabel *NoticeFrame::addLabel(QFrame *panel, const QRect &geometry, int points)
{
    QLabel *label = FormParts::Label(panel, QStringLiteral("label"), geometry, points);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    label->setWordWrap(true);
    return label;
}

QToolButton *NoticeFrame::addButton(QFrame *panel, const QString &name, const QPoint &at)
{
    auto *button = FormParts::Make<QToolButton>(panel, name, QRect(at, ButtonSize));
    button->setFont(Theme::Font(11));
    button->setAutoRaise(true);
    return button;
}

namespace {

void applyStyles(QFrame *panel, QLabel *label, QToolButton *close,
                 const QList<QToolButton *> &confirms, const QString &confirmPicture,
                 const QString &confirmPressedPicture)
{
    const QString folder = Theme::WarningFolder();
    label->setStyleSheet(Theme::LabelStyle());
    const QString buttonStyle =
        Theme::ConfirmButtonStyle(folder, confirmPicture, confirmPressedPicture);
    for (QToolButton *button : confirms)
        button->setStyleSheet(buttonStyle);
    close->setStyleSheet(Theme::ThreeStateButtonStyle(folder, QStringLiteral("Close")));
    panel->setStyleSheet(Theme::PanelStyle(panel->objectName(), folder));
}

} // namespace

void NoticeFrame::applyLook(QDialog *dialog, QFrame *panel, QLabel *label, QToolButton *close,
                            const QList<QToolButton *> &confirms, const QString &confirmPicture,
                            const QString &confirmPressedPicture)
{
    dialog->setWindowFlags(Theme::FloatingPanelFlags);
    applyStyles(panel, label, close, confirms, confirmPicture, confirmPressedPicture);
}

void NoticeFrame::applyLookWhenPolished(QDialog *dialog, QFrame *panel, QLabel *label,
                                        QToolButton *close, const QList<QToolButton *> &confirms)
{
    dialog->setWindowFlags(Theme::FloatingPanelFlags);
    Theme::StyleWhenPolished(dialog, [=] {
        applyStyles(panel, label, close, confirms, QStringLiteral("Confirm.png"),
                    QStringLiteral("ConfirmClick.png"));
    });
}

void NoticeFrame::followLanguage(QDialog *dialog)
{
    QObject::connect(PostMsg::GetInstance(), SIGNAL(SigAllLanguage(int)), dialog,
                     SLOT(SlotAllLanguage(int)));
    QMetaObject::invokeMethod(dialog, "SlotAllLanguage", Qt::DirectConnection,
                              Q_ARG(int, DeviceState::instance()->CurrentLanguage.load()));
}

void NoticeFrame::finish(QDialog *dialog)
{
    ScaleFormFont(dialog, ScreenFontFactor());
}

void NoticeFrame::setText(QLabel *widget, const TextTable &table, int language, int entry)
{
    widget->setText(table.text(language, entry, widget->text()));
}

void NoticeFrame::setText(QToolButton *widget, const TextTable &table, int language, int entry)
{
    widget->setText(table.text(language, entry, widget->text()));
}

void NoticeFrame::place(QWidget *dialog, const QWidget *caller, const QPoint &offset)
{
    const QPoint topLeft = caller->mapToGlobal(QPoint(0, 0));
    dialog->move(topLeft.x() + (caller->width() - dialog->width()) / 2 + offset.x(),
                 topLeft.y() + (caller->height() - dialog->height()) / 2 + offset.y());
}
