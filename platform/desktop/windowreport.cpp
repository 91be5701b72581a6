#include "platform/desktop/windowreport.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <cstdio>

namespace {

class WindowShownFilter : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_reported && event->type() == QEvent::Show && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->isWindow()) {
            m_reported = true;
            // Flushed at once: the reader waits for this line while the program keeps running.
            std::fputs("window-shown\n", stdout);
            std::fflush(stdout);
            deleteLater();
        }
        return false;
    }

private:
    // deleteLater takes effect only in the event loop; a second window may show before that.
    bool m_reported = false;
};

} // namespace

void WindowReport::installIfRequested(QApplication &app)
{
    if (qEnvironmentVariable("ZR35_REPORT_WINDOW") != QLatin1String("1"))
        return;
    app.installEventFilter(new WindowShownFilter(&app));
}
