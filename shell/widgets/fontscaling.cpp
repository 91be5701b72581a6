#include "shell/widgets/fontscaling.h"

#include "platform/desktop/screenmetrics.h"

#include <QFont>
#include <QToolTip>
#include <QVector>
#include <QWidget>

namespace {

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
