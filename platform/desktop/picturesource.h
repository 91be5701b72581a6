#pragma once

#include <QString>

class QLabel;

// A label's pixmap forgets the file it came from; this keeps the path on the label (property
// "picturePath") so that a check of a form can tell which shipped pictures the form relies on.
namespace PictureSource {
// Loads the file into the label; false (and an empty pixmap) when it cannot be read.
bool setLabelPicture(QLabel *label, const QString &path);
QString labelPicture(const QLabel *label);
} // namespace PictureSource
