// The lighting forms' colour pictures: a framed swatch (a preset colour, the empty preview, a
// picture slot of the screen panels) and the colour board, whose pixels are the colours a click
// on it picks.
#include "picturegen.h"

#include <QImage>
#include <QJsonObject>
#include <QPainter>

// "colour": "#rrggbb" fills the swatch; without it the swatch is an empty slot, a faint cross
// on the surface colour. "ring": "accent" draws the frame in the accent colour (a chosen slot).
bool drawSwatch(QPainter &p, int w, int h, const QJsonObject &entry, const Theme &theme,
                QString *error)
{
    const QString name = entry.value(QLatin1String("colour")).toString();
    const QColor colour(name);
    if (!name.isEmpty() && !colour.isValid()) {
        *error = QStringLiteral("swatch colour \"%1\" is no colour").arg(name);
        return false;
    }
    const bool accent = entry.value(QLatin1String("ring")).toString() == QLatin1String("accent");
    const qreal ring = accent ? 2 : 1;
    const QRectF area = QRectF(0, 0, w, h).adjusted(ring / 2, ring / 2, -ring / 2, -ring / 2);
    const qreal radius = qMin(w, h) > 24 ? 4 : 3;
    p.setPen(QPen(accent ? theme.accent : theme.edge.lighter(150), ring));
    p.setBrush(colour.isValid() ? colour : theme.surface);
    p.drawRoundedRect(area, radius, radius);
    if (!colour.isValid()) {
        QColor mark = theme.muted;
        mark.setAlpha(110);
        p.setPen(QPen(mark, 1));
        const QRectF inner = area.adjusted(w / 4.0, h / 4.0, -w / 4.0, -h / 4.0);
        p.drawLine(inner.topLeft(), inner.bottomRight());
        p.drawLine(inner.topRight(), inner.bottomLeft());
    }
    return true;
}

// Hue from red round to red again across the width; from pale at the top through the full
// colour in the middle to dark at the bottom. Drawn pixel by pixel without smoothing, so that the
// pick reads exactly the colour shown.
bool drawColourBoard(QPainter &p, int w, int h, const QJsonObject &, const Theme &, QString *)
{
    QImage board(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        const qreal t = h > 1 ? qreal(y) / (h - 1) : 0.5;
        const qreal saturation = t < 0.5 ? 0.15 + 1.7 * t : 1.0;
        const qreal value = t < 0.5 ? 1.0 : 1.0 - 1.6 * (t - 0.5);
        for (int x = 0; x < w; ++x) {
            const qreal hue = w > 1 ? qreal(x) / w : 0;
            board.setPixel(x, y, QColor::fromHsvF(hue, qMin(saturation, 1.0), value).rgb());
        }
    }
    p.drawImage(0, 0, board);
    return true;
}
