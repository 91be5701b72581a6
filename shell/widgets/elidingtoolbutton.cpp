#include "shell/widgets/elidingtoolbutton.h"

#include <QHelpEvent>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <QToolTip>

ElidingToolButton::ElidingToolButton(QWidget *parent) : QToolButton(parent) {}

QString ElidingToolButton::shownText() const
{
    QStyleOptionToolButton option;
    initStyleOption(&option);
    // The room QToolButton::sizeHint() gives a text: the button less what the style draws around
    // its contents, less a space on either side.
    const int around =
        style()->sizeFromContents(QStyle::CT_ToolButton, &option, QSize(0, 0), this).width();
    const int room = width() - around - 2 * fontMetrics().horizontalAdvance(QLatin1Char(' '));
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, room, Qt::TextShowMnemonic);
}

bool ElidingToolButton::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip || shownText() == text())
        return QToolButton::event(event);
    // Shown without the button as the tip's style-sheet parent: a sheet without a selector above
    // the button (a list's transparent background) would reach the tip too and leave it an empty
    // dark box. It still goes when the pointer leaves the button.
    QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), text());
    return true;
}

void ElidingToolButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.text = shownText();
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
}
