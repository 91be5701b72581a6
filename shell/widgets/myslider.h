#pragma once

#include <QSlider>

// A slider that jumps straight to the clicked position instead of paging towards it, and then
// tells its parent with an event of type QEvent::User + 1.
class MySlider : public QSlider
{
public:
    explicit MySlider(QWidget *parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent *event) override;
};
