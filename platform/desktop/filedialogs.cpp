#include "platform/desktop/filedialogs.h"

#include <QRegularExpression>

namespace {

FileDialogs::Handler installedHandler;

// The one suffix a filter such as "File(*.bin)" names; empty when it names none or several.
QString filterSuffix(const QString &filter)
{
    static const QRegularExpression onePattern(
        QStringLiteral("^[^(]*\\(\\s*\\*\\.([A-Za-z0-9_]+)\\s*\\)$"));
    const QRegularExpressionMatch match = onePattern.match(filter.trimmed());
    return match.hasMatch() ? match.captured(1) : QString();
}

QString toolkitSave(QWidget *parent, const QString &caption, const QString &dir,
                    const QString &filter, QString *selectedFilter, QFileDialog::Options options)
{
    QFileDialog dialog(parent, caption, dir, filter);
    dialog.setOptions(options);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The dialog adds the suffix itself, so that it asks before replacing the file of the
    // completed name rather than of the name as typed.
    dialog.setDefaultSuffix(filterSuffix(filter));
    if (selectedFilter && !selectedFilter->isEmpty())
        dialog.selectNameFilter(*selectedFilter);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    if (selectedFilter)
        *selectedFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().value(0);
}

} // namespace

void FileDialogs::setHandler(Handler handler)
{
    installedHandler = std::move(handler);
}

QString FileDialogs::withFilterSuffix(const QString &path, const QString &filter)
{
    const QString suffix = filterSuffix(filter);
    if (path.isEmpty() || suffix.isEmpty() ||
        path.endsWith(QLatin1Char('.') + suffix, Qt::CaseInsensitive))
        return path;
    return path + QLatin1Char('.') + suffix;
}

QString FileDialogs::getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                     const QString &filter, QString *selectedFilter,
                                     QFileDialog::Options options)
{
    const QString path =
        installedHandler
            ? installedHandler({Request::Kind::Save, parent, caption, dir, filter, options})
            : toolkitSave(parent, caption, dir, filter, selectedFilter, options);
    // Also after the dialog: a desktop's own dialog may leave the suffix off.
    return withFilterSuffix(path, filter);
}

QString FileDialogs::getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                                     const QString &filter, QString *selectedFilter,
                                     QFileDialog::Options options)
{
    if (installedHandler)
        return installedHandler({Request::Kind::Open, parent, caption, dir, filter, options});
    return QFileDialog::getOpenFileName(parent, caption, dir, filter, selectedFilter, options);
}
