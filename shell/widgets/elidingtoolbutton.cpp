#include "shell/widgets/elidingtoolbutton.h"

#include <QEvent>
#include <QStyleOptionToolButton>
#include <QStylePainter>

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
    // Asked for at the moment it shows, so that it follows the text, the size and the font.
    if (event->type() == QEvent::ToolTip)
        setToolTip(shownText() == text() ? QString() : text());
    return QToolButton::event(event);
}

void ElidingToolButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.text = shownText();
    painter.drawComplexControl(QStyle::CC_ToolButton, option);
}
