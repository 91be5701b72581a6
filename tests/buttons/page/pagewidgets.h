#pragma once

#include <QLatin1String>
#include <QStackedWidget>
#include <QString>
#include <QToolButton>
#include <QWidget>

// The button page's widgets by object name, as the button tests look them up. A missing name ends
// the test at once: the form no longer has what the test is about.
template <typename T = QToolButton>
T *child(const QWidget &page, const char *name)
{
    T *found = page.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
}

inline QString text(const QWidget &page, const char *name)
{
    return child(page, name)->text();
}

// The object name of the page a stacked widget shows.
inline QString currentPage(const QWidget &page, const char *stack)
{
    return child<QStackedWidget>(page, stack)->currentWidget()->objectName();
}
