// Small marks of the settings forms: the bullet before a section heading and the round marks
// (the new-firmware marker, the pairing dialog's note).
#include "picturegen.h"

#include <QFont>
#include <QPainter>

namespace {

QColor roleColour(const Theme &theme, const QString &role)
{
    return role == QLatin1String("warning") ? theme.warning : theme.accent;
}

} // namespace

// A short accent bar with a fainter tail: the heading it stands before reads as a section.
bool drawBullet(QPainter &p, int w, int h, const QJsonObject &, const Theme &theme, QString *)
{
    const qreal bar = qMax<qreal>(4, w * 0.3);
    p.setPen(Qt::NoPen);
    p.setBrush(theme.accent);
    p.drawRoundedRect(QRectF(0, 0, bar, h), bar / 2.5, bar / 2.5);
    QColor tail = theme.accent;
    tail.setAlpha(90);
    p.setBrush(tail);
    p.drawRoundedRect(QRectF(bar + 2, h * 0.3, w - bar - 2, h * 0.4), h * 0.2, h * 0.2);
    return true;
}

// A filled circle in the role's colour ("accent" or "warning") with a one-character sign.
bool drawMarker(QPainter &p, int w, int h, const QJsonObject &entry, const Theme &theme, QString *)
{
    const QRectF disc = QRectF(0, 0, w, h).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(roleColour(theme, entry.value(QLatin1String("role")).toString()));
    p.drawEllipse(disc);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(qRound(h * 0.72));
    font.setBold(true);
    font.setHintingPreference(QFont::PreferNoHinting);
    p.setFont(font);
    p.setPen(theme.text);
    p.drawText(disc, Qt::AlignCenter, entry.value(QLatin1String("sign")).toString());
    return true;
}
