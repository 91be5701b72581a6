#include "shell/widgets/stylewhenpolished.h"

#include <QEvent>
#include <QWidget>

namespace {

// Watches one widget for its first polish, runs the style function and removes itself.
class PolishWatch : public QObject
{
public:
    PolishWatch(QWidget *widget, std::function<void()> apply)
        : QObject(widget), m_apply(std::move(apply))
    {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != parent())
            return false;
        // The toolkit asks every window it makes to polish itself at the next turn of the event
        // loop, shown or not; a panel built hidden is polished when it is first shown instead.
        if (event->type() == QEvent::PolishRequest)
            return true;
        if (event->type() == QEvent::Polish) {
            watched->removeEventFilter(this);
            const std::function<void()> apply = std::move(m_apply);
            deleteLater();
            apply();
        }
        return false;
    }

private:
    std::function<void()> m_apply;
};

} // namespace

namespace Theme {

void StyleWhenPolished(QWidget *widget, std::function<void()> apply)
{
    if (widget->testAttribute(Qt::WA_WState_Polished)) {
        apply();
        return;
    }
    new PolishWatch(widget, std::move(apply));
}

} // namespace Theme
