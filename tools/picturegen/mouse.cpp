// The mouse seen from above: the button page's pictures and the device tiles. The design canvas
// is the button page's 432 x 356 picture, whose number marks sit on the left button (140, 60),
// the wheel (198, 60), the right button (260, 60) and the two thumb buttons of the left flank
// (100, 120 and 100, 167); the shapes below are placed under those marks.
#include "picturegen.h"

#include <QPainter>
#include <QPainterPath>

namespace {

const qreal CanvasW = 432;
const qreal CanvasH = 356;
const qreal Cx = 219; // between the left and right button marks

QPainterPath bodyOutline(int variant)
{
    // Variant 1 is the narrower, symmetric shell; variant 0 flares for the thumb and the
    // right-hand cluster.
    const qreal half = variant == 1 ? 92 : 104;
    const qreal waist = variant == 1 ? 86 : 96;
    QPainterPath body;
    body.moveTo(Cx, 20);
    body.cubicTo(Cx + 62, 20, Cx + half, 60, Cx + half, 132);
    body.cubicTo(Cx + half, 180, Cx + waist, 200, Cx + waist + 4, 250);
    body.cubicTo(Cx + waist + 8, 306, Cx + 52, 340, Cx, 340);
    body.cubicTo(Cx - 52, 340, Cx - waist - 8, 306, Cx - waist - 4, 250);
    body.cubicTo(Cx - waist, 200, Cx - half, 180, Cx - half, 132);
    body.cubicTo(Cx - half, 60, Cx - 62, 20, Cx, 20);
    body.closeSubpath();
    return body;
}

void sideButton(QPainter &p, const QRectF &r, const QColor &fill, const QColor &line)
{
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0, fill.lighter(125));
    g.setColorAt(1, fill);
    p.setBrush(g);
    p.setPen(QPen(line, 1.2));
    p.drawRoundedRect(r, r.width() / 2, r.width() / 2);
}

} // namespace

void drawMouse(QPainter &p, const QRectF &target, int variant, const Theme &theme, bool lit)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal scale = qMin(target.width() / CanvasW, target.height() / CanvasH);
    p.translate(target.center().x() - CanvasW * scale / 2,
                target.center().y() - CanvasH * scale / 2);
    p.scale(scale, scale);

    const QColor shell = lit ? QColor(58, 63, 72) : QColor(44, 47, 53);
    const QColor shellDark = lit ? QColor(30, 33, 38) : QColor(28, 30, 34);
    const QColor line = lit ? theme.edge.lighter(135) : theme.edge;
    const QColor glow = lit ? theme.accent : theme.muted.darker(150);
    const QPainterPath body = bodyOutline(variant);

    // Shadow on the ground, then the shell with light from the upper left.
    p.setPen(Qt::NoPen);
    QRadialGradient shadow(QPointF(Cx, 344), 150);
    shadow.setColorAt(0, QColor(0, 0, 0, 150));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.setBrush(shadow);
    p.drawEllipse(QPointF(Cx, 340), 150, 18);

    QLinearGradient shellFill(QPointF(Cx - 80, 20), QPointF(Cx + 60, 340));
    shellFill.setColorAt(0, shell.lighter(120));
    shellFill.setColorAt(0.5, shell);
    shellFill.setColorAt(1, shellDark);
    p.setBrush(shellFill);
    p.setPen(QPen(line, 1.6));
    p.drawPath(body);

    // Light strip along the rear edge, where the lighting shows through the shell.
    QPainterPath strip;
    strip.moveTo(Cx - 80, 292);
    strip.cubicTo(Cx - 50, 326, Cx + 50, 326, Cx + 80, 292);
    QColor stripGlow = glow;
    stripGlow.setAlpha(lit ? 90 : 40);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(stripGlow, 9, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(strip);
    p.setPen(QPen(glow, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(strip);

    // Split between the two main buttons and their lower edge.
    p.setPen(QPen(shellDark.darker(140), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(Cx, 22), QPointF(Cx, 146));
    QPainterPath buttonEdge;
    buttonEdge.moveTo(Cx - 100, 150);
    buttonEdge.quadTo(Cx, 178, Cx + 100, 150);
    p.save();
    p.setClipPath(body);
    p.drawPath(buttonEdge);
    p.restore();
    p.setPen(QPen(line.darker(110), 1));
    p.drawLine(QPointF(Cx + 1.5, 24), QPointF(Cx + 1.5, 144));

    // Wheel with ridges, and the resolution button behind it.
    const QRectF wheel(Cx - 10, 56, 20, 46);
    QLinearGradient wheelFill(wheel.topLeft(), wheel.topRight());
    wheelFill.setColorAt(0, QColor(20, 22, 25));
    wheelFill.setColorAt(0.5, QColor(70, 75, 84));
    wheelFill.setColorAt(1, QColor(20, 22, 25));
    p.setBrush(wheelFill);
    p.setPen(QPen(shellDark.darker(150), 1.5));
    p.drawRoundedRect(wheel, 10, 10);
    p.setPen(QPen(QColor(18, 19, 22), 1.2));
    for (qreal y = 62; y < 98; y += 5)
        p.drawLine(QPointF(Cx - 6, y), QPointF(Cx + 6, y));
    p.setBrush(shellDark);
    p.setPen(QPen(line, 1.2));
    p.drawRoundedRect(QRectF(Cx - 6, 110, 12, 22), 5, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(Cx, 121), 2.2, 2.2);

    // The two thumb buttons on the left flank, one under each of the marks 4 and 5 (36 pixels
    // across, centred at y 139 and 186). Each is longer than its mark and stands out of the flank,
    // so that both of its ends show around the mark; the right flank has no buttons.
    const qreal flank = variant == 1 ? Cx - 94 : Cx - 104;
    const QColor thumb = lit ? theme.accent.darker(160) : shell.lighter(115);
    sideButton(p, QRectF(flank - 12, 110, 24, 52), thumb, glow);
    sideButton(p, QRectF(flank - 12, 165, 24, 54), thumb, glow);

    // Palm mark.
    p.setPen(QPen(glow, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(Poly{QPointF(Cx - 14, 232), QPointF(Cx, 246), QPointF(Cx + 14, 232)});
    p.drawPolyline(Poly{QPointF(Cx - 14, 244), QPointF(Cx, 258), QPointF(Cx + 14, 244)});

    // A soft sheen on the left button.
    QPainterPath sheen;
    sheen.moveTo(Cx - 12, 30);
    sheen.cubicTo(Cx - 60, 36, Cx - 86, 76, Cx - 88, 132);
    sheen.lineTo(Cx - 74, 134);
    sheen.cubicTo(Cx - 70, 84, Cx - 46, 46, Cx - 12, 30);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, lit ? 26 : 14));
    p.drawPath(sheen);
    p.restore();
}
