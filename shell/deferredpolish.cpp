#include "shell/deferredpolish.h"

#include <QApplication>
#include <QChildEvent>
#include <QWidget>

DeferredPolish::DeferredPolish(QWidget *part, QObject *parent) : QObject(parent), m_part(part) {}

DeferredPolish::~DeferredPolish()
{
    qApp->removeEventFilter(this);
}

bool DeferredPolish::inPart(const QObject *object) const
{
    for (const QObject *o = object; o; o = o->parent())
        if (o == m_part)
            return true;
    return false;
}

void DeferredPolish::holdWhile(const std::function<void()> &show)
{
    if (m_released || !m_part) {
        show();
        return;
    }
    // Installed again, it would be asked twice; it stays until release().
    qApp->removeEventFilter(this);
    qApp->installEventFilter(this);
    m_capturing = true;
    show();
    m_capturing = false;
}

void DeferredPolish::release()
{
    if (m_released)
        return;
    m_released = true;
    qApp->removeEventFilter(this);
    const std::vector<Held> held = std::move(m_held);
    m_held.clear();
    for (const Held &h : held) {
        if (!h.target)
            continue;
        if (h.type == QEvent::Polish) {
            QEvent polish(QEvent::Polish);
            QCoreApplication::sendEvent(h.target, &polish);
        } else if (h.child) {
            QChildEvent polished(QEvent::ChildPolished, h.child);
            QCoreApplication::sendEvent(h.target, &polished);
        }
    }
    // The widgets whose requests were dropped: the part is polished whole as it first shows.
    if (m_part) {
        for (QWidget *widget : m_part->findChildren<QWidget *>())
            widget->ensurePolished();
    }
}

bool DeferredPolish::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    // The toolkit asks every widget it makes to polish itself at the next turn of the event loop.
    // That reaches the widgets the part's own polish missed: those made inside a widget polished
    // before them (a list placed in its scroll area while empty, which shows and so polishes it,
    // and filled afterwards). The part polishes them as it is first shown, where they are needed.
    if (type == QEvent::PolishRequest && inPart(watched))
        return true;
    if (m_capturing) {
        if (type == QEvent::Polish && inPart(watched)) {
            m_held.push_back({watched, type, nullptr});
            return true;
        }
        if (type == QEvent::ChildPolished) {
            QObject *child = static_cast<QChildEvent *>(event)->child();
            if (inPart(child)) {
                m_held.push_back({watched, type, child});
                return true;
            }
        }
        return false;
    }
    // A widget of the part is about to be shown: it and its parents get their polish first.
    if (type == QEvent::Show && inPart(watched))
        release();
    return false;
}
