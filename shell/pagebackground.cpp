#include "shell/pagebackground.h"

#include "shell/pixmapprefetch.h"

#include <QFrame>
#include <QPixmapCache>
#include <QStyle>
#include <QVariant>

namespace {

// The sheet's one rule holds while the frame carries this property: toggling it and restyling the
// frame alone gives the picture up or takes it back. Setting or clearing the frame's sheet instead
// would restyle every widget of the page below the frame (about 50 ms on the device page).
const char ShownProperty[] = "backgroundShown";

void restyle(QFrame *frame)
{
    frame->style()->unpolish(frame);
    frame->style()->polish(frame);
    frame->update();
}

} // namespace

PageBackground::PageBackground(QFrame *frame, const QString &fileName)
    : Frame(frame), FileName(fileName)
{}

void PageBackground::apply()
{
    if (Applied)
        return;
    Applied = true;
    Frame->setProperty(ShownProperty, true);
    if (Frame->styleSheet().isEmpty()) {
        Frame->setStyleSheet(QStringLiteral("#%1[%2=\"true\"]{border-image: url(%3);}")
                                 .arg(Frame->objectName(), QLatin1String(ShownProperty), FileName));
    } else {
        restyle(Frame);
    }
}

std::unique_ptr<PixmapPrefetch> PageBackground::prefetch() const
{
    return Applied ? nullptr : std::make_unique<PixmapPrefetch>(FileName);
}

void PageBackground::release()
{
    if (!Applied)
        return;
    Applied = false;
    // The frame's render rule holds one reference to the picture, the pixmap cache the other.
    Frame->setProperty(ShownProperty, false);
    restyle(Frame);
    QPixmapCache::remove(PixmapPrefetch::cacheKey(FileName));
}
