#pragma once

#include <QColor>
#include <QJsonObject>
#include <QPolygonF>
#include <QRectF>
#include <QString>

class QIODevice;
class QImage;
class QPainter;

// A polygon written as a list of points.
struct Poly : QPolygonF
{
    Poly(std::initializer_list<QPointF> points) : QPolygonF(QVector<QPointF>(points)) {}
};

// The theme every picture is drawn in; read from the manifest's "palette".
struct Theme
{
    QColor base;    // window backgrounds
    QColor surface; // bars, panels, list items
    QColor raised;  // cards, fields, hovered buttons
    QColor edge;    // outlines and separators
    QColor accent;  // the one highlight colour: checked, pressed, online
    QColor text;    // glyphs and text on dark ground
    QColor muted;   // glyphs at rest, offline devices
    QColor warning; // closing, offline marks
};

// What one button state looks like: glyph colour and the ground behind it.
struct StateLook
{
    QColor glyph;
    QColor fill;
    QColor ring;
};

// "normal", "hover", "pressed" and "checked"; danger makes the hover and press of a close
// button read as such.
StateLook lookFor(const Theme &theme, const QString &state, bool danger);

// Draws a line-art glyph into box (square-ish, anti-aliased); false for an unknown name.
bool drawGlyph(QPainter &p, const QString &name, const QRectF &box, const QColor &colour);

// The mouse seen from above, designed on a 432 x 356 canvas and fitted into target.
// lit draws its light strip in the accent colour, otherwise everything is subdued.
void drawMouse(QPainter &p, const QRectF &target, int variant, const Theme &theme, bool lit);

// One manifest entry drawn into the full area of p's device (size w x h); false plus a reason
// when the entry asks for something this tool does not draw.
bool drawPicture(QPainter &p, int w, int h, const QJsonObject &entry, const Theme &theme,
                 QString *error);

// The DPI editor's parts (dpieditor.cpp), one manifest kind each.
bool drawDpiLevel(QPainter &p, int w, int h, const QJsonObject &entry, const Theme &theme,
                  QString *error);
bool drawDpiBar(QPainter &p, int w, int h, const QJsonObject &entry, const Theme &theme,
                QString *error);
bool drawDpiMarker(QPainter &p, int w, int h, const QJsonObject &entry, const Theme &theme,
                   QString *error);
bool drawSliderHandle(QPainter &p, int w, int h, const QJsonObject &entry, const Theme &theme,
                      QString *error);
bool drawStepSign(QPainter &p, int w, int h, const QJsonObject &entry, const Theme &theme,
                  QString *error);

// marks.cpp: the bullet of a section heading and the round sign marks.
bool drawBullet(QPainter &p, int w, int h, const QJsonObject &entry, const Theme &theme,
                QString *error);
bool drawMarker(QPainter &p, int w, int h, const QJsonObject &entry, const Theme &theme,
                QString *error);

// switches.cpp: the on/off switch of the sensor page's toggles ("on": true or false).
bool drawSwitch(QPainter &p, int w, int h, const QJsonObject &entry, const Theme &theme,
                QString *error);

// buttonpage.cpp: the button page's list bars and number marks.
bool drawMenuBar(QPainter &p, int w, int h, const QJsonObject &entry, const Theme &theme,
                 QString *error);
bool drawNumberDisc(QPainter &p, int w, int h, const QJsonObject &entry, const Theme &theme,
                    QString *error);

// swatches.cpp: the lighting forms' framed colour swatches and the colour board.
bool drawSwatch(QPainter &p, int w, int h, const QJsonObject &entry, const Theme &theme,
                QString *error);
bool drawColourBoard(QPainter &p, int w, int h, const QJsonObject &entry, const Theme &theme,
                     QString *error);

// Writes `picture` as a PNG file of 8-bit RGB, or RGBA when it has an alpha channel; false when
// the device takes less than all of it.
bool writePicture(QIODevice *device, const QImage &picture);
