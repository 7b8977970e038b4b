#pragma once

#include <QColor>
#include <QList>
#include <QPainterPath>
#include <QPointF>

#include <functional>

class QPainter;

// The one way every picture is inked: shapes filled flat and ringed by a dark,
// round-jointed outline of a fixed width in picture pixels, whatever the scale a
// figure is drawn at, so a figure stays bold when the card is shrunk to a
// thumbnail. Details (stripes, whiskers, feathers) are drawn in the figure's own
// units and grow and shrink with it.
class Ink
{
public:
    explicit Ink(QPainter& painter);

    QPainter& painter() const { return m_painter; }

    static QColor outlineColour();

    static QPainterPath circle(QPointF centre, qreal radius);
    static QPainterPath ellipse(QPointF centre, qreal rx, qreal ry);
    // A closed polygon whose corners are rounded off by up to `radius`.
    static QPainterPath rounded(const QList<QPointF>& corners, qreal radius);
    // A curve thickened into a band of the given width with round ends.
    static QPainterPath tube(const QPainterPath& spine, qreal width);
    // The path mirrored about the vertical axis x = 0.
    static QPainterPath mirrored(const QPainterPath& path);
    // The path turned by `degrees` about `pivot`.
    static QPainterPath turned(const QPainterPath& path, QPointF pivot, qreal degrees);

    // Fills the path and rings it with the outline. `markings` (stripes, spots,
    // patches) are painted in between and kept inside the path. `weight` scales
    // the outline: 1 for a figure's silhouette, less for small inner parts.
    void shape(const QPainterPath& path, const QColor& fill,
               const std::function<void()>& markings = {}, qreal weight = 1.0) const;
    // The same with a two-colour gradient from top to bottom of the path.
    void shaded(const QPainterPath& path, const QColor& top, const QColor& bottom, qreal weight = 1.0) const;
    void fill(const QPainterPath& path, const QColor& colour) const;
    void outline(const QPainterPath& path, qreal weight = 1.0) const;
    // Strokes a line in the figure's units, with round caps.
    void stroke(const QPainterPath& path, const QColor& colour, qreal width) const;
    void line(QPointF from, QPointF to, const QColor& colour, qreal width) const;
    // A glint of light: a small white dot without outline.
    void glint(QPointF centre, qreal radius) const;

private:
    // How many figure units one picture pixel is under the current transform.
    qreal unitsPerPixel() const;

    QPainter& m_painter;
};
