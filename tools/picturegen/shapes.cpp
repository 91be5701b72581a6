// Everything but the mouse and the glyphs: backgrounds, panels, buttons, tiles, badges and the
// battery. The kind named by a manifest entry chooses the function; its other keys are that
// kind's parameters.
#include "picturegen.h"

#include <QFont>
#include <QJsonArray>
#include <QPainter>
#include <QPainterPath>

#include <functional>
#include <map>

namespace {

struct Canvas
{
    QPainter &p;
    int w;
    int h;
    const QJsonObject &entry;
    const Theme &theme;
    QString str(const char *key, const QString &fallback = QString()) const
    {
        return entry.value(QLatin1String(key)).toString(fallback);
    }
    QRectF all() const { return QRectF(0, 0, w, h); }
};

QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

QFont themeFont(qreal pixelSize, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(qRound(pixelSize));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void wordmark(QPainter &p, const Theme &theme, QPointF at, qreal size)
{
    p.setFont(themeFont(size, true));
    p.setPen(theme.text);
    p.drawText(at, QStringLiteral("ZR35"));
    const qreal width = p.fontMetrics().horizontalAdvance(QStringLiteral("ZR35"));
    p.setPen(theme.accent);
    p.setFont(themeFont(size * 0.42, false));
    p.drawText(at + QPointF(width + size * 0.3, 0), QStringLiteral("MOUSE SOFTWARE"));
    p.fillRect(QRectF(at.x(), at.y() + size * 0.25, width, qMax<qreal>(2, size * 0.08)),
               theme.accent);
}

// Window background of the device pages: top bar over the tab buttons, a left column beside the
// pages, a dark field where the pages sit.
void deviceBackground(const Canvas &c)
{
    QPainter &p = c.p;
    QLinearGradient field(0, 0, 0, c.h);
    field.setColorAt(0, c.theme.base.lighter(112));
    field.setColorAt(1, c.theme.base);
    p.fillRect(c.all(), field);
    QLinearGradient bar(0, 0, 0, 111);
    bar.setColorAt(0, c.theme.surface.lighter(115));
    bar.setColorAt(1, c.theme.surface);
    p.fillRect(QRectF(0, 0, c.w, 111), bar);
    p.fillRect(QRectF(0, 111, c.w, 1), c.theme.edge);
    p.fillRect(QRectF(0, 112, 134, c.h - 112), withAlpha(c.theme.surface, 200));
    p.fillRect(QRectF(134, 112, 1, c.h - 112), c.theme.edge);
    p.fillRect(QRectF(0, 110, 134, 2), c.theme.accent);
    wordmark(p, c.theme, QPointF(28, 52), 26);
}

// Home page: a header band for the language choice and window buttons, and a soft light
// behind the row of device tiles.
void homeBackground(const Canvas &c)
{
    QPainter &p = c.p;
    p.fillRect(c.all(), c.theme.base);
    QRadialGradient light(QPointF(c.w / 2.0, c.h * 0.55), c.w * 0.55);
    light.setColorAt(0, c.theme.raised);
    light.setColorAt(1, c.theme.base);
    p.fillRect(c.all(), light);
    QRadialGradient accentGlow(QPointF(c.w / 2.0, c.h * 0.56), c.w * 0.4);
    accentGlow.setColorAt(0, withAlpha(c.theme.accent, 28));
    accentGlow.setColorAt(1, withAlpha(c.theme.accent, 0));
    p.fillRect(c.all(), accentGlow);
    p.fillRect(QRectF(0, 0, c.w, 48), withAlpha(c.theme.surface, 235));
    p.fillRect(QRectF(0, 48, c.w, 1), c.theme.edge);
    wordmark(p, c.theme, QPointF(24, 34), 22);
}

// The notice and question dialogs: an opaque panel (the dialog's corners must not show the
// desktop), a thin accent rule along the top and a lighter rim.
void panelBackground(const Canvas &c)
{
    QPainter &p = c.p;
    QLinearGradient fill(0, 0, 0, c.h);
    fill.setColorAt(0, c.theme.raised);
    fill.setColorAt(1, c.theme.surface);
    p.fillRect(c.all(), fill);
    p.setPen(QPen(c.theme.edge, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, c.w - 1, c.h - 1));
    p.fillRect(QRectF(0, 0, c.w, 2), c.theme.accent);
}

bool background(const Canvas &c, QString *error)
{
    const std::map<QString, std::function<void(const Canvas &)>> layouts{
        {"device", deviceBackground}, {"home", homeBackground}, {"panel", panelBackground}};
    const auto it = layouts.find(c.str("layout"));
    if (it == layouts.end()) {
        *error = QStringLiteral("unknown background layout \"%1\"").arg(c.str("layout"));
        return false;
    }
    it->second(c);
    return true;
}

// A glyph button: the ground behind the glyph follows the state; "shape" is "circle" (window
// buttons, paging arrows) or "square" (tabs).
bool button(const Canvas &c, QString *error)
{
    StateLook look =
        lookFor(c.theme, c.str("state", "normal"), c.entry.value(QLatin1String("danger")).toBool());
    // Free-standing buttons (the paging arrows) keep a rim at rest so they read as buttons.
    if (!look.ring.isValid() && c.entry.value(QLatin1String("ring")).toBool())
        look.ring = c.theme.edge.lighter(130);
    QPainter &p = c.p;
    const QRectF area = c.all().adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(look.ring.isValid() ? QPen(look.ring, 1.2) : QPen(Qt::NoPen));
    p.setBrush(look.fill);
    const bool circle = c.str("shape", "square") == QLatin1String("circle");
    const qreal side = qMin(area.width(), area.height());
    const QRectF ground(area.center() - QPointF(side / 2, side / 2), QSizeF(side, side));
    if (circle)
        p.drawEllipse(ground.adjusted(0.6, 0.6, -0.6, -0.6));
    else
        p.drawRoundedRect(area, 6, 6);
    const qreal inset = side * (circle ? 0.26 : 0.18);
    const QRectF glyph = ground.adjusted(inset, inset, -inset, -inset);
    if (!drawGlyph(p, c.str("icon"), glyph, look.glyph)) {
        *error = QStringLiteral("unknown icon \"%1\"").arg(c.str("icon"));
        return false;
    }
    return true;
}

// A button that carries its own caption: only the ground is drawn. "primary" is the accent
// button of a dialog, "secondary" the neutral one.
bool textButton(const Canvas &c, QString *)
{
    QPainter &p = c.p;
    const QString state = c.str("state", "normal");
    const bool pressed = state == QLatin1String("pressed");
    const QString variant = c.str("variant", "primary");
    const bool primary = variant != QLatin1String("secondary");
    const QRectF area = c.all().adjusted(0.5, 0.5, -0.5, -0.5);
    // "success" and "danger" are primary buttons that report an outcome: the accent turned to a
    // green of the same saturation and lightness, or the warning colour.
    QColor base = c.theme.accent;
    if (variant == QLatin1String("success"))
        base = QColor::fromHslF(0.38, c.theme.accent.hslSaturationF(), c.theme.accent.lightnessF());
    else if (variant == QLatin1String("danger"))
        base = c.theme.warning;
    QColor top = primary ? base.darker(125) : c.theme.raised.lighter(115);
    QColor bottom = primary ? base.darker(155) : c.theme.raised;
    if (pressed) {
        top = top.darker(130);
        bottom = bottom.darker(115);
    } else if (state == QLatin1String("hover")) {
        top = top.lighter(120);
        bottom = bottom.lighter(120);
    }
    QLinearGradient fill(0, 0, 0, c.h);
    fill.setColorAt(0, pressed ? bottom : top);
    fill.setColorAt(1, pressed ? top : bottom);
    p.setBrush(fill);
    p.setPen(QPen(primary ? base : c.theme.edge.lighter(120), 1));
    p.drawRoundedRect(area, 4, 4);
    if (!pressed) {
        p.setPen(QPen(QColor(255, 255, 255, 40), 1));
        p.drawLine(QPointF(4, 1.5), QPointF(c.w - 4, 1.5));
    }
    // A mark at the left end, clear of a centred caption: "record" a dot, "stop" a square.
    const QString mark = c.str("mark");
    const qreal side = c.h * 0.36;
    const QRectF markBox(c.h * 0.5 - side / 2, (c.h - side) / 2, side, side);
    p.setPen(Qt::NoPen);
    p.setBrush(c.theme.warning);
    if (mark == QLatin1String("record"))
        p.drawEllipse(markBox);
    else if (mark == QLatin1String("stop"))
        p.drawRoundedRect(markBox, 1.5, 1.5);
    return true;
}

bool checkbox(const Canvas &c, QString *)
{
    QPainter &p = c.p;
    const bool checked = c.entry.value(QLatin1String("checked")).toBool();
    const QRectF box = c.all().adjusted(1.5, 1.5, -1.5, -1.5);
    // A round box is the choice of one among several: a dot instead of a tick.
    if (c.str("shape") == QLatin1String("round")) {
        p.setPen(QPen(checked ? c.theme.accent : c.theme.muted, 1.4));
        p.setBrush(c.theme.base);
        p.drawEllipse(box);
        if (checked) {
            p.setPen(Qt::NoPen);
            p.setBrush(c.theme.accent);
            p.drawEllipse(box.center(), box.width() * 0.27, box.height() * 0.27);
        }
        return true;
    }
    p.setPen(QPen(checked ? c.theme.accent : c.theme.muted, 1.2));
    p.setBrush(checked ? c.theme.accent.darker(115) : c.theme.base);
    p.drawRoundedRect(box, 3, 3);
    if (checked) {
        QPen pen(c.theme.text, qMax(1.6, c.h * 0.12), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(pen);
        p.drawPolyline(Poly{QPointF(c.w * 0.26, c.h * 0.52), QPointF(c.w * 0.44, c.h * 0.7),
                            QPointF(c.w * 0.76, c.h * 0.32)});
    }
    return true;
}

// Device tile of the home page. The top left keeps room for the report-rate badge (7, 10) and the
// top right for the connection icon (225, 20).
bool tile(const Canvas &c, QString *error)
{
    QPainter &p = c.p;
    const QString state = c.str("state");
    if (state != QLatin1String("online") && state != QLatin1String("offline") &&
        state != QLatin1String("unknown")) {
        *error = QStringLiteral("unknown tile state \"%1\"").arg(state);
        return false;
    }
    const bool online = state == QLatin1String("online");
    const QRectF card = c.all().adjusted(1, 1, -1, -1);
    QLinearGradient fill(0, 0, 0, c.h);
    fill.setColorAt(0, c.theme.raised);
    fill.setColorAt(1, c.theme.surface);
    p.setBrush(fill);
    p.setPen(QPen(online ? withAlpha(c.theme.accent, 170) : c.theme.edge, 1.5));
    p.drawRoundedRect(card, 14, 14);
    if (online) {
        QRadialGradient halo(QPointF(c.w / 2.0, c.h * 0.5), c.w * 0.5);
        halo.setColorAt(0, withAlpha(c.theme.accent, 46));
        halo.setColorAt(1, withAlpha(c.theme.accent, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(halo);
        p.drawRoundedRect(card, 14, 14);
    }
    // The mouse canvas has room for the number marks beside the body; on a tile the body alone
    // should fill the card, so the canvas is scaled past the card's width.
    const qreal scale = (c.h - 110) / 300.0;
    const QSizeF canvas(432 * scale, 356 * scale);
    const QRectF picture(QPointF(c.w / 2.0, c.h / 2.0 - 8) -
                             QPointF(canvas.width() / 2, canvas.height() / 2),
                         canvas);
    if (state == QLatin1String("unknown")) {
        p.setOpacity(0.35);
        drawMouse(p, picture, 1, c.theme, false);
        p.setOpacity(1);
        p.setPen(c.theme.text);
        p.setFont(themeFont(c.h * 0.2, true));
        p.drawText(picture, Qt::AlignCenter, QStringLiteral("?"));
    } else {
        drawMouse(p, picture, c.entry.value(QLatin1String("variant")).toInt(), c.theme, online);
    }
    // Status rule along the bottom: accent while the device answers.
    p.setPen(Qt::NoPen);
    p.setBrush(online ? c.theme.accent : c.theme.edge);
    p.drawRoundedRect(QRectF(c.w / 2.0 - 36, c.h - 26, 72, 4), 2, 2);
    return true;
}

// The 32 x 32 connection and offline marks laid over a tile.
bool status(const Canvas &c, QString *error)
{
    QPainter &p = c.p;
    const QString icon = c.str("icon");
    const QRectF chip = c.all().adjusted(1, 1, -1, -1);
    p.setBrush(withAlpha(c.theme.base, 220));
    p.setPen(QPen(icon == QLatin1String("offline") ? c.theme.edge : withAlpha(c.theme.accent, 150),
                  1.2));
    p.drawEllipse(chip);
    const QRectF glyph = chip.adjusted(c.w * 0.2, c.h * 0.2, -c.w * 0.2, -c.h * 0.2);
    if (icon == QLatin1String("offline")) {
        drawGlyph(p, QStringLiteral("wifi"), glyph, c.theme.muted);
        p.setPen(QPen(c.theme.warning, qMax(2.0, c.w * 0.08), Qt::SolidLine, Qt::RoundCap));
        p.drawLine(glyph.topLeft() + QPointF(1, 1), glyph.bottomRight() - QPointF(1, 1));
        return true;
    }
    if (!drawGlyph(p, icon, glyph, c.theme.accent)) {
        *error = QStringLiteral("unknown status icon \"%1\"").arg(icon);
        return false;
    }
    return true;
}

bool badge(const Canvas &c, QString *)
{
    QPainter &p = c.p;
    const QRectF pill = c.all().adjusted(1, 3, -1, -3);
    p.setBrush(withAlpha(c.theme.base, 225));
    p.setPen(QPen(c.theme.accent, 1.2));
    p.drawRoundedRect(pill, pill.height() / 2, pill.height() / 2);
    p.setPen(c.theme.text);
    QFont font = themeFont(pill.height() * 0.58, true);
    font.setStretch(QFont::SemiCondensed);
    p.setFont(font);
    p.drawText(pill, Qt::AlignCenter, c.str("text"));
    return true;
}

// Outline of the battery gauge; the level bar of the page fills the inside (1 px in from the
// top left, 38 x 18), so the outline is a 1 px rim around exactly that, plus the terminal.
bool battery(const Canvas &c, QString *)
{
    QPainter &p = c.p;
    const qreal body = c.w - 4;
    p.setBrush(withAlpha(c.theme.base, 160));
    p.setPen(QPen(c.theme.text, 1));
    p.drawRoundedRect(QRectF(0.5, 0.5, body - 1, c.h - 1), 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(c.theme.text);
    p.drawRoundedRect(QRectF(body, c.h * 0.3, 3, c.h * 0.4), 1, 1);
    return true;
}

// Charging mark laid over the level bar: a flat lightning bolt lying on its side.
bool bolt(const Canvas &c, QString *)
{
    QPainter &p = c.p;
    const qreal w = c.w, h = c.h;
    const Poly shape{QPointF(0, h * 0.55), QPointF(w * 0.62, 0), QPointF(w * 0.5, h * 0.42),
                     QPointF(w, h * 0.45), QPointF(w * 0.38, h), QPointF(w * 0.5, h * 0.58)};
    p.setPen(Qt::NoPen);
    p.setBrush(c.theme.text);
    p.drawPolygon(shape);
    return true;
}

bool mouse(const Canvas &c, QString *)
{
    drawMouse(c.p, c.all(), c.entry.value(QLatin1String("variant")).toInt(), c.theme, true);
    return true;
}

// The program's mark (notification area): the mouse outline on an accent square.
bool logo(const Canvas &c, QString *)
{
    QPainter &p = c.p;
    const QRectF square = c.all().adjusted(1, 1, -1, -1);
    QLinearGradient fill(square.topLeft(), square.bottomRight());
    fill.setColorAt(0, c.theme.accent.lighter(115));
    fill.setColorAt(1, c.theme.accent.darker(160));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(square, c.w * 0.22, c.w * 0.22);
    const QRectF body(c.w * 0.33, c.h * 0.16, c.w * 0.34, c.h * 0.68);
    p.setPen(QPen(c.theme.base, qMax(2.0, c.w * 0.06), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(body, body.width() / 2, body.width() / 2);
    p.drawLine(QPointF(c.w / 2.0, body.top() + 1),
               QPointF(c.w / 2.0, body.top() + body.height() * 0.3));
    return true;
}

// Field of the language choice (stretched as a border image) and the rows of its list.
bool field(const Canvas &c, QString *)
{
    QPainter &p = c.p;
    const bool row = c.str("style") == QLatin1String("row");
    if (row) {
        QLinearGradient rowFill(0, 0, 0, c.h);
        rowFill.setColorAt(0, c.theme.surface.lighter(112));
        rowFill.setColorAt(1, c.theme.surface);
        p.fillRect(c.all(), rowFill);
        p.fillRect(QRectF(0, c.h - 1, c.w, 1), withAlpha(c.theme.edge, 160));
        return true;
    }
    QLinearGradient fill(0, 0, 0, c.h);
    fill.setColorAt(0, c.theme.raised.lighter(110));
    fill.setColorAt(1, c.theme.raised);
    p.setBrush(fill);
    p.setPen(QPen(c.theme.edge.lighter(115), 1));
    p.drawRoundedRect(c.all().adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
    return true;
}

// A palette colour by its role name; invalid for an unknown name.
QColor role(const Theme &theme, const QString &name)
{
    const std::map<QString, QColor> roles{{"text", theme.text},     {"muted", theme.muted},
                                          {"accent", theme.accent}, {"warning", theme.warning},
                                          {"edge", theme.edge},     {"raised", theme.raised}};
    const auto it = roles.find(name);
    return it == roles.end() ? QColor() : it->second;
}

// A bare glyph (the drop-down arrow of the language choice, the marks of the macro events): in
// the text colour at rest and the accent colour otherwise, unless "colour" names a palette role.
bool glyph(const Canvas &c, QString *error)
{
    const QString state = c.str("state", "normal");
    QColor colour = state == QLatin1String("normal") ? c.theme.text : c.theme.accent;
    if (c.entry.contains(QLatin1String("colour"))) {
        colour = role(c.theme, c.str("colour"));
        if (!colour.isValid()) {
            *error = QStringLiteral("unknown colour \"%1\"").arg(c.str("colour"));
            return false;
        }
    }
    if (!drawGlyph(c.p, c.str("icon"), c.all(), colour)) {
        *error = QStringLiteral("unknown icon \"%1\"").arg(c.str("icon"));
        return false;
    }
    return true;
}

// A kind drawn by a function of its own file, which takes the canvas as its parts.
std::function<bool(const Canvas &, QString *)>
fromDrawing(bool (*draw)(QPainter &, int, int, const QJsonObject &, const Theme &, QString *))
{
    return [draw](const Canvas &c, QString *error) {
        return draw(c.p, c.w, c.h, c.entry, c.theme, error);
    };
}

} // namespace

StateLook lookFor(const Theme &theme, const QString &state, bool danger)
{
    if (state == QLatin1String("hover"))
        return danger ? StateLook{theme.text, theme.warning, QColor()}
                      : StateLook{theme.text, theme.raised.lighter(120), QColor()};
    if (state == QLatin1String("pressed") || state == QLatin1String("checked")) {
        if (danger)
            return {theme.text, theme.warning.darker(135), QColor()};
        QColor ground = theme.accent;
        ground.setAlpha(48);
        return {theme.accent, ground, theme.accent};
    }
    return {theme.muted, Qt::transparent, QColor()};
}

bool drawPicture(QPainter &p, int w, int h, const QJsonObject &entry, const Theme &theme,
                 QString *error)
{
    const std::map<QString, std::function<bool(const Canvas &, QString *)>> kinds{
        {"background", background},
        {"button", button},
        {"textbutton", textButton},
        {"checkbox", checkbox},
        {"tile", tile},
        {"status", status},
        {"badge", badge},
        {"battery", battery},
        {"bolt", bolt},
        {"mouse", mouse},
        {"logo", logo},
        {"field", field},
        {"glyph", glyph},
        // The DPI editor's parts.
        {"dpilevel", fromDrawing(drawDpiLevel)},
        {"dpibar", fromDrawing(drawDpiBar)},
        {"dpimarker", fromDrawing(drawDpiMarker)},
        {"sliderhandle", fromDrawing(drawSliderHandle)},
        {"stepsign", fromDrawing(drawStepSign)},
        // The settings forms' marks.
        {"bullet", fromDrawing(drawBullet)},
        {"marker", fromDrawing(drawMarker)},
        // The sensor page's switches.
        {"switch", fromDrawing(drawSwitch)},
        // The button page's bars and marks.
        {"menubar", fromDrawing(drawMenuBar)},
        {"numberdisc", fromDrawing(drawNumberDisc)},
        // The lighting forms' colours.
        {"swatch", fromDrawing(drawSwatch)},
        {"colourboard", fromDrawing(drawColourBoard)}};
    const QString kind = entry.value(QLatin1String("kind")).toString();
    const auto it = kinds.find(kind);
    if (it == kinds.end()) {
        *error = QStringLiteral("unknown kind \"%1\"").arg(kind);
        return false;
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    return it->second(Canvas{p, w, h, entry, theme}, error);
}
