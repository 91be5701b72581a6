#include "platform/desktop/filedialogs.h"

namespace {

FileDialogs::Handler installedHandler;

using ToolkitDialog = QString (*)(QWidget *, const QString &, const QString &, const QString &,
                                  QString *, QFileDialog::Options);

QString ask(FileDialogs::Request::Kind kind, ToolkitDialog toolkit, QWidget *parent,
            const QString &caption, const QString &dir, const QString &filter,
            QString *selectedFilter, QFileDialog::Options options)
{
    if (installedHandler)
        return installedHandler({kind, parent, caption, dir, filter, options});
    return toolkit(parent, caption, dir, filter, selectedFilter, options);
}

} // namespace

void FileDialogs::setHandler(Handler handler)
{
    installedHandler = std::move(handler);
}

QString FileDialogs::getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                     const QString &filter, QString *selectedFilter,
                                     QFileDialog::Options options)
{
    return ask(Request::Kind::Save, &QFileDialog::getSaveFileName, parent, caption, dir, filter,
               selectedFilter, options);
}

QString FileDialogs::getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                                     const QString &filter, QString *selectedFilter,
                                     QFileDialog::Options options)
{
    return ask(Request::Kind::Open, &QFileDialog::getOpenFileName, parent, caption, dir, filter,
               selectedFilter, options);
}
