#include "platform/filedialogs.h"

namespace {
FileDialogs::Handler installedHandler;
} // namespace

void FileDialogs::setHandler(Handler handler)
{
    installedHandler = std::move(handler);
}

QString FileDialogs::getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                     const QString &filter, QString *selectedFilter,
                                     QFileDialog::Options options)
{
    if (installedHandler)
        return installedHandler({Request::Kind::Save, parent, caption, dir, filter, options});
    return QFileDialog::getSaveFileName(parent, caption, dir, filter, selectedFilter, options);
}

QString FileDialogs::getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                                     const QString &filter, QString *selectedFilter,
                                     QFileDialog::Options options)
{
    if (installedHandler)
        return installedHandler({Request::Kind::Open, parent, caption, dir, filter, options});
    return QFileDialog::getOpenFileName(parent, caption, dir, filter, selectedFilter, options);
}
