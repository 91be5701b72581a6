#pragma once

#include <QToolButton>

// A tool button that reacts on the press itself and tells a single press (clicked(false)) from a
// double-click (clicked(true)); only the left button counts.
class MyToolButton : public QToolButton
{
    Q_OBJECT
public:
    explicit MyToolButton(QWidget *parent = nullptr);

signals:
    void doubleClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};
