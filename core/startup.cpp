#include "core/startup.h"

#include "platform/appdir.h"
#include "platform/screenmetrics.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QToolTip>
#include <QVector>
#include <QWidget>

namespace {

// Made in this order, parents before their children.
const char *const UserFolders[] = {"Log",
                                   "Device_Info",
                                   "Exception",
                                   "usersetting",
                                   "usersetting/MainPage",
                                   "usersetting/MacroPage",
                                   "usersetting/SensorPage"};

constexpr int ReferenceDesktopWidth = 1920;
constexpr quint32 SecondsPerDay = 86400;
constexpr quint32 KeptDays = 7;

enum class Exceptions
{
    Apply,
    None
};

struct WalkedWidget
{
    QWidget *widget;
    QFont original;
};

void collect(QWidget *widget, QVector<WalkedWidget> &out)
{
    out.append({widget, widget->font()});
    for (QObject *child : widget->children()) {
        if (auto *w = qobject_cast<QWidget *>(child))
            collect(w, out);
    }
}

// Every font is read before any is changed, so a widget's target is its own unscaled font times
// the factor. Parents are set first: a child that inherits its font then already shows the
// target and is left alone, which keeps it following its parent.
void scaleFonts(QWidget *root, double factor, Exceptions exceptions,
                const QStringList &skipped = {})
{
    if (!root)
        return;
    QVector<WalkedWidget> widgets;
    collect(root, widgets);
    for (const WalkedWidget &entry : widgets) {
        const QString name = entry.widget->objectName();
        QFont target = entry.original;
        // A font given in pixels has no point size to scale.
        const bool keep = entry.original.pointSizeF() <= 0 ||
                          (exceptions == Exceptions::Apply && name == QLatin1String("Receive_2"));
        if (skipped.contains(name))
            continue;
        if (!keep)
            target.setPointSizeF(entry.original.pointSizeF() * factor);
        if (!(entry.widget->font() == target))
            entry.widget->setFont(target);
        if (exceptions == Exceptions::Apply && name == QLatin1String("NoApear"))
            QToolTip::setFont(target);
    }
}

} // namespace

void PrepareUserFolder()
{
    const QString root = UserDir::path();
    for (const char *folder : UserFolders)
        QDir().mkpath(root + QLatin1Char('/') + QLatin1String(folder));
    QFile settings(UserDir::filePath(QStringLiteral("Macro.ini")));
    if (!settings.exists()) {
        // Opened in append mode so that a file appearing in the meantime is never emptied.
        if (settings.open(QIODevice::Append | QIODevice::Text))
            settings.close();
    }
}

QByteArray ScaleFactorText(int desktopWidth)
{
    if (desktopWidth <= ReferenceDesktopWidth)
        return {};
    return QByteArray::number(desktopWidth / ReferenceDesktopWidth);
}

void PrepareScaling(int desktopWidth)
{
    // The attributes only take effect before the application object exists; an entry run inside
    // a test, where it exists already, leaves them alone.
    if (!QCoreApplication::instance()) {
        QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, false);
        QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, false);
    }
    const QByteArray factor = ScaleFactorText(desktopWidth);
    if (!factor.isEmpty())
        qputenv("QT_SCALE_FACTOR", factor);
}

void DeleteOldFiles(const QString &folder, const QDateTime &now)
{
    const quint32 nowSeconds = quint32(now.toSecsSinceEpoch());
    // The listing is taken whole before anything is removed, so every entry is looked at once.
    const QFileInfoList entries = QDir(folder).entryInfoList();
    for (const QFileInfo &entry : entries) {
        if (!entry.isFile())
            continue;
        const quint32 changed = quint32(entry.lastModified().toSecsSinceEpoch());
        const quint32 age = nowSeconds - changed;
        if (age / SecondsPerDay > KeptDays)
            QFile::remove(entry.filePath());
    }
}

void CleanOldDiagnostics()
{
    DeleteOldFiles(UserDir::filePath(QStringLiteral("Log")));
    DeleteOldFiles(UserDir::filePath(QStringLiteral("Exception")));
}

double FontFactor(int dpi)
{
    if (dpi <= 0)
        return 1.0;
    return double(1.0f / (float(dpi) / 96.0f));
}

double ScreenFontFactor()
{
    return FontFactor(ScreenMetrics::horizontalDpi());
}

void ScaleWidgetFont(QWidget *widget, double factor)
{
    scaleFonts(widget, factor, Exceptions::Apply);
}

void ScaleFormFont(QWidget *widget, double factor)
{
    scaleFonts(widget, factor, Exceptions::None);
}

void ScaleFormFont(QWidget *widget, double factor, const QStringList &skipped)
{
    scaleFonts(widget, factor, Exceptions::None, skipped);
}
