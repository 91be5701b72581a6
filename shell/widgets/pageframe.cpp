#include "shell/widgets/pageframe.h"

#include "shell/widgets/theme.h"

#include <QFrame>
#include <QGridLayout>

QFrame *PageFrame::build(QWidget *page, const char *pageName, const char *frameName,
                         QGridLayout **layout)
{
    if (page->objectName().isEmpty())
        page->setObjectName(QLatin1String(pageName));
    page->resize(Width, Height);
    page->setFixedSize(Width, Height);
    auto *grid = new QGridLayout(page);
    grid->setObjectName(QStringLiteral("gridLayout"));
    grid->setSpacing(0);
    grid->setContentsMargins(0, 0, 0, 0);
    auto *frame = new QFrame(page);
    frame->setObjectName(QLatin1String(frameName));
    frame->setFixedSize(Width, Height);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);
    // The panel keeps its form's frame shape, but on the dark window a raised frame draws a light
    // line along the page's left and top: the panel itself draws no border.
    frame->setStyleSheet(Theme::PageScrollBarStyle() +
                         QStringLiteral("#%1{border:none;}").arg(QLatin1String(frameName)));
    grid->addWidget(frame, 0, 0, 1, 1);
    *layout = grid;
    return frame;
}
