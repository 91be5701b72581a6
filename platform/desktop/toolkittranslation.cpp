#include "platform/desktop/toolkittranslation.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>
#include <QWidget>

namespace {

// Owned by the application object, so that it goes with it.
QPointer<QTranslator> installed;
QString installedLocale;

// The dialogs of Qt's own that the program opens or may open.
bool isToolkitDialog(const QWidget *window)
{
    for (const char *name : {"QFileDialog", "QColorDialog", "QFontDialog", "QInputDialog",
                             "QMessageBox", "QProgressDialog", "QErrorMessage"}) {
        if (window->inherits(name))
            return true;
    }
    return false;
}

// Lets the language-change event through to Qt's own dialogs only, while it is installed.
class LanguageChangeGate : public QObject
{
public:
    bool eventFilter(QObject *receiver, QEvent *event) override
    {
        if (event->type() != QEvent::LanguageChange || !receiver->isWidgetType())
            return false;
        return !isToolkitDialog(static_cast<QWidget *>(receiver)->window());
    }
};

} // namespace

bool ToolkitTranslation::use(const QString &locale)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return false;
    if (installed && locale == installedLocale)
        return true;
    QTranslator *next = nullptr;
    if (!locale.isEmpty()) {
        next = new QTranslator(app);
        if (!next->load(QStringLiteral("qtbase_") + locale,
                        QLibraryInfo::location(QLibraryInfo::TranslationsPath))) {
            delete next;
            next = nullptr;
        }
    }
    if (!installed && !next)
        return false;

    // Qt posts the event to each window; they are delivered here, with the gate in place.
    LanguageChangeGate gate;
    app->installEventFilter(&gate);
    if (installed)
        QCoreApplication::removeTranslator(installed);
    if (next)
        QCoreApplication::installTranslator(next);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    app->removeEventFilter(&gate);

    delete installed;
    installed = next;
    installedLocale = next ? locale : QString();
    return next != nullptr;
}

QString ToolkitTranslation::locale()
{
    return installed ? installedLocale : QString();
}
