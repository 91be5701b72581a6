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
    frame->setStyleSheet(Theme::PageScrollBarStyle());
    grid->addWidget(frame, 0, 0, 1, 1);
    *layout = grid;
    return frame;
}
