#pragma once

#include <QObject>
#include <QString>
#include <QWidget>

// Ends the test, naming the child that `parent` was to have: the form no longer has what the test
// is about.
[[noreturn]] void failMissingChild(const QObject *parent, const QString &name,
                                   const char *className);

// A child of `parent` by class and object name, as a test looks up a form's widgets. A missing one
// ends the test at once with its name, where a null pointer would crash it further on without a
// word of what was missing.
template <typename T = QWidget>
T *child(const QObject *parent, const QString &name)
{
    T *found = parent->findChild<T *>(name);
    if (!found)
        failMissingChild(parent, name, T::staticMetaObject.className());
    return found;
}

template <typename T = QWidget>
T *child(const QObject &parent, const QString &name)
{
    return child<T>(&parent, name);
}
