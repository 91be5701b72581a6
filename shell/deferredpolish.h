#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class QWidget;

// Holds back the polishing of a hidden part of a window while the window is shown, and delivers
// it later, in the order the toolkit sent it. Showing a window polishes every widget inside it,
// hidden or not: for the device page, built at start-up behind the home page, that means parsing
// its pages' style sheets and decoding their pictures before the window can appear. Polishing is
// what the toolkit does to a widget before it is first shown; nothing else can see it, so it
// waits until the part is first shown: a part never shown (the program left on its home page)
// never parses those sheets or holds those pictures.
class DeferredPolish : public QObject
{
public:
    // `part` is the widget whose subtree (itself included) is held back.
    explicit DeferredPolish(QWidget *part, QObject *parent = nullptr);
    ~DeferredPolish() override;

    // Runs `show` with the part's polish events held back; they are delivered before a widget of
    // the part is shown, or by release(). Until then the toolkit's requests that the part's widgets
    // polish themselves at the next turn of the event loop are dropped: each is polished as it is
    // first shown or measured. Does nothing special once released.
    void holdWhile(const std::function<void()> &show);
    // The part is now `part`, a widget inside the former one: a part is held while it is being
    // built inside a parent that stands for it, then narrowed to the finished part.
    void setPart(QWidget *part) { m_part = part; }
    // Delivers what was held back, once; later calls do nothing.
    void release();
    bool holding() const { return !m_held.empty(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool inPart(const QObject *object) const;

    struct Held
    {
        QPointer<QObject> target;
        QEvent::Type type;
        QPointer<QObject> child; // for ChildPolished
    };
    QPointer<QWidget> m_part;
    std::vector<Held> m_held;
    bool m_capturing = false;
    bool m_released = false;
};
