#include "platform/desktop/picturesource.h"

#include <QLabel>
#include <QPixmap>
#include <QVariant>

namespace {
const char PathProperty[] = "picturePath";
} // namespace

bool PictureSource::setLabelPicture(QLabel *label, const QString &path)
{
    const QPixmap pixmap(path);
    label->setPixmap(pixmap);
    label->setProperty(PathProperty, path);
    return !pixmap.isNull();
}

QString PictureSource::labelPicture(const QLabel *label)
{
    return label->property(PathProperty).toString();
}
