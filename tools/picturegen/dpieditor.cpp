// The DPI editor's parts: the level tiles that carry a level's DPI value as their caption, the
// sheen laid over each level's colour bar, the marker under the current level, the slider handle
// and the step signs.
#include "picturegen.h"

#include <QJsonObject>
#include <QPainter>
#include <QPainterPath>

namespace {

QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

bool selected(const QJsonObject &entry)
{
    return entry.value(QLatin1String("state")).toString() == QLatin1String("selected");
}

} // namespace

// A level tile; the button draws the value over its middle and the colour bar covers its lower
// 14 pixels. Selected: lighter, with an accent rim and a soft accent light from the top.
bool drawDpiLevel(QPainter &p, int w, int h, const QJsonObject &entry, const Theme &theme,
                  QString *)
{
    const bool on = selected(entry);
    const QRectF tile = QRectF(0, 0, w, h).adjusted(0.75, 0.75, -0.75, -0.75);
    const qreal radius = on ? 8 : 6;
    QLinearGradient fill(0, 0, 0, h);
    fill.setColorAt(0, on ? theme.raised.lighter(135) : theme.raised.lighter(108));
    fill.setColorAt(1, on ? theme.raised : theme.surface);
    p.setPen(QPen(on ? theme.accent : theme.edge, on ? 1.5 : 1));
    p.setBrush(fill);
    p.drawRoundedRect(tile, radius, radius);
    if (on) {
        QRadialGradient light(QPointF(w / 2.0, 0), h * 0.8);
        light.setColorAt(0, withAlpha(theme.accent, 70));
        light.setColorAt(1, withAlpha(theme.accent, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(light);
        p.drawRoundedRect(tile, radius, radius);
    }
    return true;
}

// Laid over a level's colour (the bar's background): a sheen on the upper half and a shade on
// the lower, transparent between, so that any colour reads as a lit bar. Selected: a bright rim.
bool drawDpiBar(QPainter &p, int w, int h, const QJsonObject &entry, const Theme &, QString *)
{
    const bool on = selected(entry);
    const QRectF bar(0, 0, w, h);
    QPainterPath shape;
    shape.addRoundedRect(bar, 3, 3);
    QLinearGradient sheen(0, 0, 0, h);
    sheen.setColorAt(0, QColor(255, 255, 255, on ? 120 : 90));
    sheen.setColorAt(0.45, QColor(255, 255, 255, 0));
    sheen.setColorAt(0.55, QColor(0, 0, 0, 0));
    sheen.setColorAt(1, QColor(0, 0, 0, 90));
    p.fillPath(shape, sheen);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(on ? QColor(255, 255, 255, 200) : QColor(0, 0, 0, 110), 1));
    p.drawRoundedRect(bar.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    return true;
}

// The current-level marker: a caret pointing up at the level, its tip at the top third so that it
// touches the enlarged tile above it. Hover lights it up.
bool drawDpiMarker(QPainter &p, int w, int h, const QJsonObject &entry, const Theme &theme,
                   QString *)
{
    const bool hover = entry.value(QLatin1String("state")).toString() == QLatin1String("hover");
    const qreal cx = w / 2.0;
    const QPolygonF caret = Poly{QPointF(cx, h * 0.3), QPointF(cx + w * 0.3, h * 0.72),
                                 QPointF(cx - w * 0.3, h * 0.72)};
    QPainterPath path;
    path.addPolygon(caret);
    path.closeSubpath();
    QRadialGradient glow(QPointF(cx, h * 0.55), w * 0.5);
    glow.setColorAt(0, withAlpha(theme.accent, hover ? 110 : 60));
    glow.setColorAt(1, withAlpha(theme.accent, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(cx, h * 0.55), w * 0.5, h * 0.45);
    QPen edge(hover ? theme.text : theme.accent.lighter(130), 1.2);
    edge.setJoinStyle(Qt::RoundJoin);
    p.setPen(edge);
    p.setBrush(hover ? theme.accent.lighter(125) : theme.accent);
    p.drawPath(path);
    return true;
}

// The value slider's handle: a light grip with a darker accent rim, readable over the accent part
// of the groove and over its white part alike.
bool drawSliderHandle(QPainter &p, int w, int h, const QJsonObject &, const Theme &theme, QString *)
{
    QLinearGradient fill(0, 0, w, 0);
    fill.setColorAt(0, theme.text);
    fill.setColorAt(1, theme.text.darker(125));
    p.setPen(QPen(theme.accent.darker(140), 1));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 2.5, 2.5);
    return true;
}

// The plus and minus of the value box: "sign" is "plus" or "minus"; the minus button is only as
// tall as its bar.
bool drawStepSign(QPainter &p, int w, int h, const QJsonObject &entry, const Theme &theme,
                  QString *error)
{
    const QString sign = entry.value(QLatin1String("sign")).toString();
    if (sign != QLatin1String("plus") && sign != QLatin1String("minus")) {
        *error = QStringLiteral("unknown sign \"%1\"").arg(sign);
        return false;
    }
    const qreal thickness = qMin<qreal>(4, h);
    const qreal radius = thickness / 2;
    p.setPen(Qt::NoPen);
    p.setBrush(theme.text);
    p.drawRoundedRect(QRectF(0, (h - thickness) / 2, w, thickness), radius, radius);
    if (sign == QLatin1String("plus"))
        p.drawRoundedRect(QRectF((w - thickness) / 2, 0, thickness, h), radius, radius);
    return true;
}
