#include "shell/widgets/myslider.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>

MySlider::MySlider(QWidget *parent) : QSlider(parent) {}

void MySlider::mousePressEvent(QMouseEvent *event)
{
    QSlider::mousePressEvent(event);
    // The horizontal position is used whatever the orientation: every slider of the program lies
    // horizontally. A slider not laid out yet has no width to divide by.
    if (width() > 0) {
        const double share = double(event->pos().x()) / double(width());
        setValue(minimum() + int(share * double(maximum() - minimum())));
    }
    if (QWidget *owner = parentWidget()) {
        QEvent jumped(QEvent::Type(QEvent::User + 1));
        QCoreApplication::sendEvent(owner, &jumped);
    }
}
