#pragma once

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

// Tells when a widget has been painted by the event loop (not by a grab of our own).
class PaintWatch : public QObject
{
public:
    PaintWatch() { qApp->installEventFilter(this); }
    ~PaintWatch() override { qApp->removeEventFilter(this); }
    void watch(QWidget *widget)
    {
        m_widget = widget;
        m_painted = false;
    }
    bool painted() const { return m_painted; }

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_widget && object == m_widget)
            m_painted = true;
        return false;
    }

private:
    QPointer<QWidget> m_widget;
    bool m_painted = false;
};
