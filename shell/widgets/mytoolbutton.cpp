#include "shell/widgets/mytoolbutton.h"

#include <QMouseEvent>

MyToolButton::MyToolButton(QWidget *parent) : QToolButton(parent) {}

// The base handling is left out on purpose: the release would emit a second clicked().
void MyToolButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setChecked(true);
    emit clicked(false);
}

void MyToolButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setChecked(true);
    emit clicked(true);
}
