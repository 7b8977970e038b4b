#include "Ink.h"

#include <QLineF>
#include <QPainter>
#include <QPainterPathStroker>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace {

// Outline width in picture pixels on a 360-pixel-wide face: about one pixel
// once the card is shrunk to its smallest.
constexpr qreal outlineWidth = 4.5;

QPointF towards(QPointF from, QPointF to, qreal distance)
{
    const QLineF line(from, to);
    if (line.length() <= 0.0)
        return from;
    return from + (to - from) * (distance / line.length());
}

} // namespace

Ink::Ink(QPainter& painter)
    : m_painter(painter)
{
}

QColor Ink::outlineColour()
{
    return QColor(0x2b, 0x1f, 0x24);
}

QPainterPath Ink::circle(QPointF centre, qreal radius)
{
    return ellipse(centre, radius, radius);
}

QPainterPath Ink::ellipse(QPointF centre, qreal rx, qreal ry)
{
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    return path;
}

QPainterPath Ink::rounded(const QList<QPointF>& corners, qreal radius)
{
    QPainterPath path;
    const qsizetype n = corners.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QPointF previous = corners[(i + n - 1) % n];
        const QPointF corner = corners[i];
        const QPointF next = corners[(i + 1) % n];
        const qreal cut = std::min({radius, QLineF(previous, corner).length() / 2.0,
                                    QLineF(corner, next).length() / 2.0});
        const QPointF in = towards(corner, previous, cut);
        const QPointF out = towards(corner, next, cut);
        if (i == 0)
            path.moveTo(in);
        else
            path.lineTo(in);
        path.quadTo(corner, out);
    }
    path.closeSubpath();
    return path;
}

QPainterPath Ink::tube(const QPainterPath& spine, qreal width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(spine).simplified();
}

QPainterPath Ink::mirrored(const QPainterPath& path)
{
    return QTransform::fromScale(-1.0, 1.0).map(path);
}

QPainterPath Ink::turned(const QPainterPath& path, QPointF pivot, qreal degrees)
{
    QTransform turn;
    turn.translate(pivot.x(), pivot.y());
    turn.rotate(degrees);
    turn.translate(-pivot.x(), -pivot.y());
    return turn.map(path);
}

void Ink::shape(const QPainterPath& path, const QColor& fill,
                const std::function<void()>& markings, qreal weight) const
{
    m_painter.fillPath(path, fill);
    if (markings) {
        m_painter.save();
        m_painter.setClipPath(path, Qt::IntersectClip);
        markings();
        m_painter.restore();
    }
    outline(path, weight);
}

void Ink::shaded(const QPainterPath& path, const QColor& top, const QColor& bottom, qreal weight) const
{
    const QRectF box = path.boundingRect();
    QLinearGradient gradient(box.topLeft(), box.bottomLeft());
    gradient.setColorAt(0.0, top);
    gradient.setColorAt(1.0, bottom);
    m_painter.fillPath(path, gradient);
    outline(path, weight);
}

void Ink::fill(const QPainterPath& path, const QColor& colour) const
{
    m_painter.fillPath(path, colour);
}

void Ink::outline(const QPainterPath& path, qreal weight) const
{
    if (weight <= 0.0)
        return;
    QPen pen(outlineColour(), outlineWidth * weight * unitsPerPixel(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    m_painter.strokePath(path, pen);
}

void Ink::stroke(const QPainterPath& path, const QColor& colour, qreal width) const
{
    QPen pen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    m_painter.strokePath(path, pen);
}

void Ink::line(QPointF from, QPointF to, const QColor& colour, qreal width) const
{
    QPainterPath path(from);
    path.lineTo(to);
    stroke(path, colour, width);
}

void Ink::glint(QPointF centre, qreal radius) const
{
    m_painter.fillPath(circle(centre, radius), QColor(255, 255, 255, 235));
}

qreal Ink::unitsPerPixel() const
{
    const QTransform& t = m_painter.worldTransform();
    const qreal scale = std::sqrt(std::abs(t.m11() * t.m22() - t.m12() * t.m21()));
    return scale > 0.0 ? 1.0 / scale : 1.0;
}
