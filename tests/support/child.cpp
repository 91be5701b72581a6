#include "tests/support/child.h"

#include <QMetaObject>
#include <QtGlobal>

void failMissingChild(const QObject *parent, const QString &name, const char *className)
{
    // A fatal message fails the running test function under its name and stops the executable:
    // everything after the lookup would use the missing widget.
    const QString owner =
        parent ? QStringLiteral("%1 \"%2\"")
                     .arg(QLatin1String(parent->metaObject()->className()), parent->objectName())
               : QStringLiteral("no parent");
    qFatal("no %s named \"%s\" in %s", className, qPrintable(name), qPrintable(owner));
}
