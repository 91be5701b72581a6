#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

class QFrame;
class QLabel;

// The first steps of every widget a form builds in code: its object name, which the by-name slot
// connections, the style sheets' selectors and the tests find it by, and its place on the form.
// What else a widget needs (focus, size limits, its sheet) stays with the form that builds it.
namespace FormParts {

// A T named `name` on `parent`, for a form whose layout or geometry table places it later.
template <typename T>
T *Make(QWidget *parent, const QString &name)
{
    auto *widget = new T(parent);
    widget->setObjectName(name);
    return widget;
}

// A T named `name` on `parent` at `geometry`.
template <typename T>
T *Make(QWidget *parent, const QString &name, const QRect &geometry)
{
    T *widget = Make<T>(parent, name);
    widget->setGeometry(geometry);
    return widget;
}

// A label named `name` at `geometry` in the forms' font of `points` points (Theme::Font). A label
// that keeps the font of its parent is made with Make<QLabel>.
QLabel *Label(QWidget *parent, const QString &name, const QRect &geometry, int points);

// A flat horizontal line in the pages' separator grey, named `name` at `geometry`: the line
// between sections, and the bar that stands in a hidden slider's place. The frame's own shading
// does not show on the dark pages, so the line is drawn as its background.
QFrame *GreyLine(QWidget *parent, const QString &name, const QRect &geometry);

// White window text, text and button text in every colour group: captions drawn on the dark
// pages whatever their palette says, also while disabled.
void UseWhiteText(QWidget *widget);

} // namespace FormParts
