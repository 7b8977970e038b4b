#include "Bird.h"

#include "Ink.h"

#include <QLineF>
#include <QPainter>

namespace {

QPointF unit(QPointF v)
{
    const qreal length = QLineF(QPointF(0, 0), v).length();
    return length > 0.0 ? v / length : QPointF(1, 0);
}

QPointF normal(QPointF u)
{
    return QPointF(-u.y(), u.x());
}

} // namespace

QPainterPath Bird::teardrop(QPointF round, qreal radius, QPointF point)
{
    const QPointF u = unit(point - round);
    const QPointF n = normal(u);
    const qreal k = 0.552 * radius;
    const QPointF left = round + n * radius;
    const QPointF back = round - u * radius;
    const QPointF right = round - n * radius;
    QPainterPath path(point);
    path.quadTo(round + u * radius * 0.9 + n * radius, left);
    path.cubicTo(left - u * k, back + n * k, back);
    path.cubicTo(back - n * k, right - u * k, right);
    path.quadTo(round + u * radius * 0.9 - n * radius, point);
    path.closeSubpath();
    return path;
}

QPainterPath Bird::tilted(QPointF centre, qreal rx, qreal ry, qreal degrees)
{
    return Ink::turned(Ink::ellipse(centre, rx, ry), centre, degrees);
}

void Bird::eye(const Ink& ink, QPointF centre, qreal radius, QPointF look, const QColor& white)
{
    ink.shape(Ink::circle(centre, radius), white, {}, 0.6);
    const QPointF pupil = centre + look * radius * 0.3;
    ink.fill(Ink::circle(pupil, radius * 0.6), Ink::outlineColour());
    ink.glint(pupil + QPointF(radius * 0.22, -radius * 0.25), radius * 0.24);
}

void Bird::wing(const Ink& ink, QPointF shoulder, qreal width, QPointF tip, const QColor& colour)
{
    const QPointF u = unit(tip - shoulder);
    const QPointF n = normal(u);
    const qreal length = QLineF(shoulder, tip).length();
    const QPainterPath blade = teardrop(shoulder, width / 2, tip);
    ink.shape(blade, colour, [&] {
        for (int k = -1; k <= 1; ++k) {
            const QPointF from = shoulder + u * length * 0.35 + n * (k * width * 0.22);
            const QPointF to = shoulder + u * length * 0.8 + n * (k * width * 0.12);
            ink.line(from, to, colour.darker(135), width * 0.07 + 1.2);
        }
    }, 0.85);
}

void Bird::leg(const Ink& ink, QPointF hip, QPointF foot, const QColor& colour, qreal forward)
{
    const QColor edge = Ink::outlineColour();
    const qreal toe = 11;
    QPainterPath bones(hip);
    bones.lineTo(foot);
    bones.moveTo(foot);
    bones.lineTo(foot + QPointF(forward * toe, 2));
    bones.moveTo(foot);
    bones.lineTo(foot + QPointF(forward * toe * 0.7, 7));
    bones.moveTo(foot);
    bones.lineTo(foot + QPointF(-forward * toe * 0.6, 3));
    ink.stroke(bones, edge, 8);
    ink.stroke(bones, colour, 4);
}

void Bird::scallops(const Ink& ink, const QRectF& area, const QColor& colour, qreal size)
{
    int row = 0;
    for (qreal y = area.top() + size; y < area.bottom(); y += size * 1.1, ++row) {
        for (qreal x = area.left() + (row % 2) * size; x < area.right(); x += size * 2) {
            QPainterPath v(QPointF(x - size * 0.6, y - size * 0.4));
            v.quadTo(x, y + size * 0.3, x + size * 0.6, y - size * 0.4);
            ink.stroke(v, colour, size * 0.28);
        }
    }
}

void Bird::beak(const Ink& ink, QPointF top, QPointF bottom, QPointF tip, const QColor& colour)
{
    ink.shape(Ink::rounded({top, tip, bottom}, 3), colour, [&] {
        ink.line((top + bottom) / 2, tip * 0.75 + (top + bottom) / 2 * 0.25, colour.darker(150), 2);
    }, 0.7);
}
