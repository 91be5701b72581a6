#pragma once

#include <QStringList>

class QWidget;

// Every picture a widget tree refers to: url(...) in the style sheets of the root and its
// descendants (background-image, border-image, image) and the files of labels filled through
// PictureSource. Relative paths count from the app folder.
QStringList referencedPictures(const QWidget *root);

// The referenced pictures that do not exist as files; empty when the form has all it needs.
QStringList missingPictures(const QWidget *root);
