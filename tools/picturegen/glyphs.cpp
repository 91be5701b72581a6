// Line-art glyphs of the buttons and status icons. Each is drawn in a unit square mapped onto
// the box, so one design serves the 20 px window buttons and the 46 px paging arrows alike.
#include "picturegen.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <functional>
#include <map>

namespace {

struct Unit
{
    QRectF box;
    QPointF at(qreal x, qreal y) const
    {
        return {box.left() + x * box.width(), box.top() + y * box.height()};
    }
    qreal len(qreal v) const { return v * qMin(box.width(), box.height()); }
    QRectF rect(qreal x, qreal y, qreal w, qreal h) const
    {
        return {at(x, y), QSizeF(w * box.width(), h * box.height())};
    }
};

QPen strokePen(const Unit &u, const QColor &colour, qreal weight = 0.1)
{
    QPen pen(colour, qMax<qreal>(1.5, u.len(weight)));
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void chevron(QPainter &p, const Unit &u, const QColor &c, QPointF a, QPointF b, QPointF d)
{
    p.setPen(strokePen(u, c, 0.11));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(Poly{u.at(a.x(), a.y()), u.at(b.x(), b.y()), u.at(d.x(), d.y())});
}

void gear(QPainter &p, const Unit &u, const QColor &c)
{
    const QPointF centre = u.at(0.5, 0.5);
    const qreal outer = u.len(0.42), inner = u.len(0.31);
    const int teeth = 8;
    QPainterPath body;
    for (int i = 0; i < teeth * 4; ++i) {
        // Each tooth: rise, top, fall, root, a quarter of the tooth pitch each.
        const qreal angle = (i - 0.5) * M_PI * 2 / (teeth * 4);
        const qreal r = (i % 4 == 1 || i % 4 == 2) ? outer : inner;
        const QPointF pt(centre.x() + r * qCos(angle), centre.y() + r * qSin(angle));
        i == 0 ? body.moveTo(pt) : body.lineTo(pt);
    }
    body.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(centre, u.len(0.13), u.len(0.13));
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(body.subtracted(hole));
}

void wrench(QPainter &p, const Unit &u, const QColor &c)
{
    QPainterPath head;
    head.addEllipse(u.at(0.66, 0.34), u.len(0.24), u.len(0.24));
    QPainterPath jaw;
    jaw.addRect(QRectF(-u.len(0.09), -u.len(0.3), u.len(0.18), u.len(0.3)));
    QTransform jawPlace;
    jawPlace.translate(u.at(0.66, 0.34).x(), u.at(0.66, 0.34).y());
    jawPlace.rotate(45);
    QPainterPath handle;
    handle.addRoundedRect(QRectF(-u.len(0.09), 0, u.len(0.18), u.len(0.62)), u.len(0.09),
                          u.len(0.09));
    QPainterPath shape = head.united(jawPlace.map(handle)).subtracted(jawPlace.map(jaw));
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(shape);
}

void usb(QPainter &p, const Unit &u, const QColor &c)
{
    p.setPen(strokePen(u, c, 0.08));
    p.setBrush(Qt::NoBrush);
    p.drawLine(u.at(0.5, 0.14), u.at(0.5, 0.78));
    p.drawPolyline(Poly{u.at(0.5, 0.62), u.at(0.28, 0.5), u.at(0.28, 0.38)});
    p.drawPolyline(Poly{u.at(0.5, 0.56), u.at(0.72, 0.44), u.at(0.72, 0.32)});
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(u.at(0.5, 0.8), u.len(0.08), u.len(0.08));
    p.drawEllipse(u.at(0.28, 0.34), u.len(0.06), u.len(0.06));
    p.drawRect(u.rect(0.66, 0.22, 0.12, 0.12));
    p.drawPolygon(Poly{u.at(0.5, 0.06), u.at(0.4, 0.2), u.at(0.6, 0.2)});
}

void waves(QPainter &p, const Unit &u, const QColor &c)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(strokePen(u, c, 0.085));
    for (int i = 1; i <= 3; ++i) {
        const qreal r = 0.14 * i + 0.02;
        const QRectF arc(u.at(0.5 - r, 0.76 - r), QSizeF(u.len(2 * r), u.len(2 * r)));
        p.drawArc(arc, 45 * 16, 90 * 16);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(u.at(0.5, 0.76), u.len(0.07), u.len(0.07));
}

void sun(QPainter &p, const Unit &u, const QColor &c)
{
    p.setPen(strokePen(u, c, 0.08));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(u.at(0.5, 0.5), u.len(0.16), u.len(0.16));
    for (int i = 0; i < 8; ++i) {
        const qreal a = i * M_PI / 4;
        p.drawLine(u.at(0.5 + 0.28 * qCos(a), 0.5 + 0.28 * qSin(a)),
                   u.at(0.5 + 0.4 * qCos(a), 0.5 + 0.4 * qSin(a)));
    }
}

void keyboard(QPainter &p, const Unit &u, const QColor &c)
{
    p.setPen(strokePen(u, c, 0.07));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(u.rect(0.08, 0.24, 0.84, 0.54), u.len(0.08), u.len(0.08));
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 4; ++col)
            p.drawRect(u.rect(0.2 + col * 0.17, 0.35 + row * 0.14, 0.09, 0.08));
    }
    p.drawRoundedRect(u.rect(0.3, 0.62, 0.4, 0.07), 1, 1);
}

void crosshair(QPainter &p, const Unit &u, const QColor &c)
{
    p.setPen(strokePen(u, c, 0.08));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(u.at(0.5, 0.5), u.len(0.27), u.len(0.27));
    p.drawLine(u.at(0.5, 0.06), u.at(0.5, 0.26));
    p.drawLine(u.at(0.5, 0.74), u.at(0.5, 0.94));
    p.drawLine(u.at(0.06, 0.5), u.at(0.26, 0.5));
    p.drawLine(u.at(0.74, 0.5), u.at(0.94, 0.5));
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(u.at(0.5, 0.5), u.len(0.07), u.len(0.07));
}

// A mouse from above: the shell, the split between its buttons and the wheel.
void mouseOutline(QPainter &p, const Unit &u, const QColor &c)
{
    p.setPen(strokePen(u, c, 0.09));
    p.setBrush(Qt::NoBrush);
    const QRectF shell = u.rect(0.16, 0.06, 0.68, 0.88);
    p.drawRoundedRect(shell, shell.width() * 0.48, shell.width() * 0.48);
    p.drawLine(u.at(0.5, 0.08), u.at(0.5, 0.38));
    p.drawLine(u.at(0.18, 0.4), u.at(0.82, 0.4));
}

void house(QPainter &p, const Unit &u, const QColor &c)
{
    p.setPen(strokePen(u, c, 0.08));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(Poly{u.at(0.1, 0.5), u.at(0.5, 0.14), u.at(0.9, 0.5)});
    p.drawPolyline(Poly{u.at(0.22, 0.42), u.at(0.22, 0.86), u.at(0.78, 0.86), u.at(0.78, 0.42)});
    p.drawPolyline(Poly{u.at(0.42, 0.86), u.at(0.42, 0.62), u.at(0.58, 0.62), u.at(0.58, 0.86)});
}

// The macro editor's event marks: a key going down onto its bed, a key coming up off it, and a
// stopwatch for a pause between them. Small (16 px), so few strokes.
void keyStroke(QPainter &p, const Unit &u, const QColor &c, bool down)
{
    p.setPen(strokePen(u, c, 0.12));
    p.setBrush(Qt::NoBrush);
    p.drawLine(u.at(0.18, 0.88), u.at(0.82, 0.88));
    const qreal tip = down ? 0.7 : 0.12;
    const qreal tail = down ? 0.12 : 0.7;
    p.drawLine(u.at(0.5, tail), u.at(0.5, tip));
    const qreal wing = down ? tip - 0.26 : tip + 0.26;
    p.drawPolyline(Poly{u.at(0.24, wing), u.at(0.5, tip), u.at(0.76, wing)});
}

void stopwatch(QPainter &p, const Unit &u, const QColor &c)
{
    p.setPen(strokePen(u, c, 0.1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(u.at(0.5, 0.56), u.len(0.36), u.len(0.36));
    p.drawLine(u.at(0.5, 0.56), u.at(0.5, 0.34));
    p.drawLine(u.at(0.5, 0.56), u.at(0.66, 0.64));
    p.drawLine(u.at(0.4, 0.06), u.at(0.6, 0.06));
}

} // namespace

bool drawGlyph(QPainter &p, const QString &name, const QRectF &box, const QColor &colour)
{
    const Unit u{box};
    const std::map<QString, std::function<void()>> glyphs{
        {"close",
         [&] {
             p.setPen(strokePen(u, colour, 0.11));
             p.drawLine(u.at(0.22, 0.22), u.at(0.78, 0.78));
             p.drawLine(u.at(0.78, 0.22), u.at(0.22, 0.78));
         }},
        {"min",
         [&] {
             p.setPen(strokePen(u, colour, 0.11));
             p.drawLine(u.at(0.2, 0.58), u.at(0.8, 0.58));
         }},
        {"home", [&] { house(p, u, colour); }},
        {"sensor", [&] { crosshair(p, u, colour); }},
        {"macro", [&] { keyboard(p, u, colour); }},
        {"light", [&] { sun(p, u, colour); }},
        {"setting", [&] { gear(p, u, colour); }},
        {"repair", [&] { wrench(p, u, colour); }},
        {"back",
         [&] {
             p.setPen(strokePen(u, colour, 0.1));
             p.drawLine(u.at(0.16, 0.5), u.at(0.86, 0.5));
             chevron(p, u, colour, {0.42, 0.22}, {0.14, 0.5}, {0.42, 0.78});
         }},
        {"arrow-left",
         [&] {
             chevron(p, u, colour, {0.6, 0.24}, {0.36, 0.5}, {0.6, 0.76});
         }},
        {"arrow-right",
         [&] {
             chevron(p, u, colour, {0.4, 0.24}, {0.64, 0.5}, {0.4, 0.76});
         }},
        {"chevron-down",
         [&] {
             chevron(p, u, colour, {0.2, 0.36}, {0.5, 0.66}, {0.8, 0.36});
         }},
        {"chevron-up",
         [&] {
             chevron(p, u, colour, {0.2, 0.64}, {0.5, 0.34}, {0.8, 0.64});
         }},
        {"key-press", [&] { keyStroke(p, u, colour, true); }},
        {"key-release", [&] { keyStroke(p, u, colour, false); }},
        {"stopwatch", [&] { stopwatch(p, u, colour); }},
        {"usb", [&] { usb(p, u, colour); }},
        {"mouse", [&] { mouseOutline(p, u, colour); }},
        {"wifi", [&] { waves(p, u, colour); }},
    };
    const auto it = glyphs.find(name);
    if (it == glyphs.end())
        return false;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    it->second();
    p.restore();
    return true;
}
