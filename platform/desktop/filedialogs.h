#pragma once

#include <QFileDialog>
#include <QString>

#include <functional>

// Every file dialog of the program goes through here, so that a test can stand in for the user:
// it installs a handler that sees what was asked and returns the path the user would pick (an
// empty text for a cancelled dialog). Without a handler the toolkit's dialogs run. GUI thread only.
namespace FileDialogs {

struct Request
{
    enum class Kind
    {
        Save,
        Open
    };
    Kind kind = Kind::Open;
    QWidget *parent = nullptr;
    QString caption;
    QString dir;
    QString filter;
    QFileDialog::Options options;
};

using Handler = std::function<QString(const Request &request)>;

// An empty handler returns to the toolkit's dialogs.
void setHandler(Handler handler);

// A save dialog whose filter names one pattern, such as "File(*.bin)", saves under that pattern's
// suffix: a name typed without it gets it, since the open dialog with the same filter would not
// list the file otherwise.
QString getSaveFileName(QWidget *parent = nullptr, const QString &caption = QString(),
                        const QString &dir = QString(), const QString &filter = QString(),
                        QString *selectedFilter = nullptr,
                        QFileDialog::Options options = QFileDialog::Options());

QString getOpenFileName(QWidget *parent = nullptr, const QString &caption = QString(),
                        const QString &dir = QString(), const QString &filter = QString(),
                        QString *selectedFilter = nullptr,
                        QFileDialog::Options options = QFileDialog::Options());

// `path` with the suffix of the one pattern `filter` names, unless it ends with it already (in any
// case); unchanged for an empty path or a filter of no single pattern.
QString withFilterSuffix(const QString &path, const QString &filter);

} // namespace FileDialogs
