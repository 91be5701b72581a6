#pragma once

#include <QByteArray>
#include <QVector>

// The path texts and path arrays handed to the program. The program may keep a pointer into them
// for as long as it likes and never frees them, so they live until the process ends; each path
// text is kept once and each distinct array once, so enumerating the same devices again and again
// does not grow memory. Safe to use from any thread.
namespace PathTable {

// The one lasting copy of path.
const char *text(const QByteArray &path);
// The one lasting array holding these path texts (each from text()), in this order. An empty list
// gives a lasting array holding only the terminating null.
const char *const *array(const QVector<const char *> &paths);

} // namespace PathTable
