#include "tests/support/picturecheck.h"

#include "platform/appdir.h"
#include "platform/desktop/picturesource.h"

#include <QFileInfo>
#include <QLabel>
#include <QRegularExpression>
#include <QWidget>

namespace {

void addStyleSheetUrls(const QString &styleSheet, QStringList &pictures)
{
    static const QRegularExpression url(QStringLiteral("url\\(\\s*([^)]*?)\\s*\\)"));
    auto it = url.globalMatch(styleSheet);
    while (it.hasNext()) {
        QString path = it.next().captured(1);
        if (path.size() >= 2 &&
            (path.front() == QLatin1Char('"') || path.front() == QLatin1Char('\'')) &&
            path.back() == path.front())
            path = path.mid(1, path.size() - 2);
        if (!path.isEmpty())
            pictures.append(path);
    }
}

} // namespace

QStringList referencedPictures(const QWidget *root)
{
    QList<const QWidget *> widgets{root};
    const auto children = root->findChildren<QWidget *>();
    for (const QWidget *child : children)
        widgets.append(child);
    QStringList pictures;
    for (const QWidget *widget : widgets) {
        addStyleSheetUrls(widget->styleSheet(), pictures);
        if (auto *label = qobject_cast<const QLabel *>(widget)) {
            const QString path = PictureSource::labelPicture(label);
            if (!path.isEmpty())
                pictures.append(path);
        }
    }
    for (QString &path : pictures) {
        if (QFileInfo(path).isRelative() && !path.startsWith(QLatin1Char(':')))
            path = AppDir::filePath(path);
    }
    pictures.removeDuplicates();
    return pictures;
}

QStringList missingPictures(const QWidget *root)
{
    QStringList missing;
    const QStringList pictures = referencedPictures(root);
    for (const QString &path : pictures) {
        if (!QFileInfo(path).isFile())
            missing.append(path);
    }
    return missing;
}
