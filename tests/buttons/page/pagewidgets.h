#pragma once

#include "tests/support/child.h"

#include <QLatin1String>
#include <QStackedWidget>
#include <QString>
#include <QToolButton>
#include <QWidget>

// The button page's tool buttons by object name, as the button tests look them up (child()).
inline QToolButton *toolButton(const QWidget &page, const char *name)
{
    return child<QToolButton>(page, name);
}

inline QString text(const QWidget &page, const char *name)
{
    return toolButton(page, name)->text();
}

// The object name of the page a stacked widget shows.
inline QString currentPage(const QWidget &page, const char *stack)
{
    return child<QStackedWidget>(page, stack)->currentWidget()->objectName();
}
