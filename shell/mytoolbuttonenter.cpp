#include "shell/mytoolbuttonenter.h"

#include "core/devicediscovery.h"

mytoolButtonEnter::mytoolButtonEnter(QWidget *parent) : QToolButton(parent) {}

int mytoolButtonEnter::TileNumber(const QString &objectName)
{
    QString digits = objectName;
    digits.remove(QStringLiteral("btn"));
    bool ok = false;
    const int number = digits.toInt(&ok, 10);
    return ok ? number : 0;
}

void mytoolButtonEnter::enterEvent(QEvent *event)
{
    Q_UNUSED(event);
    UpdateDeviceTile(TileNumber(objectName()));
}

void mytoolButtonEnter::leaveEvent(QEvent *event)
{
    // Nothing: the tile keeps the look its last refresh gave it.
    Q_UNUSED(event);
}
