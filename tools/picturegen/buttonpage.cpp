// The button page's parts: the bars of its rows, categories and options, the number marks on the
// mouse, and the backgrounds of its bottom group and category list.
#include "picturegen.h"

#include <QJsonObject>
#include <QPainter>
#include <QPainterPath>

// A list bar that carries its own caption: "checked" lights it in the accent colour with a
// stripe at its left edge. "arrow": true adds a chevron at the right end (a category that opens
// a list of choices).
bool drawMenuBar(QPainter &p, int w, int h, const QJsonObject &entry, const Theme &theme, QString *)
{
    const bool checked = entry.value(QLatin1String("state")).toString() == QLatin1String("checked");
    const QRectF area = QRectF(0, 0, w, h).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(0, 0, 0, h);
    if (checked) {
        fill.setColorAt(0, theme.accent.darker(150));
        fill.setColorAt(1, theme.accent.darker(190));
    } else {
        fill.setColorAt(0, theme.raised);
        fill.setColorAt(1, theme.surface);
    }
    p.setBrush(fill);
    p.setPen(QPen(checked ? theme.accent : theme.edge, 1));
    p.drawRoundedRect(area, 3, 3);
    if (checked) {
        p.setPen(Qt::NoPen);
        p.setBrush(theme.accent);
        p.drawRoundedRect(QRectF(1, 2, 3, h - 4), 1.5, 1.5);
    }
    if (entry.value(QLatin1String("arrow")).toBool()) {
        const qreal side = h * 0.45;
        drawGlyph(p, QStringLiteral("arrow-right"),
                  QRectF(w - side - 6, (h - side) / 2, side, side),
                  checked ? theme.text : theme.muted);
    }
    return true;
}

// A round mark: a ring on a dark disc at rest, the accent rim when pointed at, filled with the
// accent while pressed. "style": "badge" draws the smaller filled disc of a row number.
bool drawNumberDisc(QPainter &p, int w, int h, const QJsonObject &entry, const Theme &theme,
                    QString *)
{
    const QString state = entry.value(QLatin1String("state")).toString(QStringLiteral("normal"));
    const qreal side = qMin(w, h) - 2.0;
    const QRectF disc((w - side) / 2, (h - side) / 2, side, side);
    if (entry.value(QLatin1String("style")).toString() == QLatin1String("badge")) {
        p.setPen(QPen(theme.accent, 1.2));
        p.setBrush(theme.raised);
        p.drawEllipse(disc);
        return true;
    }
    QColor ground = theme.base;
    ground.setAlpha(210);
    QColor rim = theme.muted;
    if (state == QLatin1String("hover")) {
        rim = theme.accent;
    } else if (state == QLatin1String("pressed")) {
        rim = theme.accent;
        ground = theme.accent.darker(140);
    }
    p.setPen(QPen(rim, 2));
    p.setBrush(ground);
    p.drawEllipse(disc.adjusted(1, 1, -1, -1));
    return true;
}
