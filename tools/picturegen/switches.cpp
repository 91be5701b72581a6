// The on/off switch of the sensor settings: a pill-shaped track with a round knob, left and muted
// while off, right on an accent track while on, so that the state reads at a glance.
#include "picturegen.h"

#include <QJsonObject>
#include <QPainter>

bool drawSwitch(QPainter &p, int w, int h, const QJsonObject &entry, const Theme &theme, QString *)
{
    const bool on = entry.value(QLatin1String("on")).toBool();
    const QRectF track = QRectF(0, 0, w, h).adjusted(1, 1, -1, -1);
    const qreal radius = track.height() / 2;
    p.setPen(QPen(on ? theme.accent.lighter(115) : theme.edge.lighter(130), 1));
    p.setBrush(on ? theme.accent : theme.raised);
    p.drawRoundedRect(track, radius, radius);
    const qreal knob = track.height() - 4;
    const qreal x = on ? track.right() - 2 - knob : track.left() + 2;
    p.setPen(Qt::NoPen);
    p.setBrush(on ? theme.text : theme.muted);
    p.drawEllipse(QRectF(x, track.top() + 2, knob, knob));
    return true;
}
