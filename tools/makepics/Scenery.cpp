#include "Scenery.h"

#include "Ink.h"
#include "Palette.h"

#include <QLineF>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace {

QPointF polar(QPointF centre, qreal radius, qreal degrees)
{
    const qreal a = degrees * std::numbers::pi / 180.0;
    return centre + QPointF(radius * std::cos(a), radius * std::sin(a));
}

} // namespace

void Scenery::backdrop(const Ink& ink, QSizeF size, const QColor& colour)
{
    QRadialGradient glow(QPointF(size.width() * 0.5, size.height() * 0.42), size.width() * 0.62);
    glow.setColorAt(0.0, colour.lighter(118));
    glow.setColorAt(0.65, colour);
    glow.setColorAt(1.0, colour.darker(112));
    ink.painter().fillRect(QRectF(QPointF(0, 0), size), glow);
}

void Scenery::ground(const Ink& ink, QSizeF size, qreal top, const QColor& colour)
{
    QPainterPath floor;
    floor.addRect(QRectF(-10, top, size.width() + 20, size.height() - top + 10));
    ink.shape(floor, colour, {}, 0.8);
}

void Scenery::hill(const Ink& ink, QSizeF size, qreal centreX, qreal top, const QColor& colour)
{
    const qreal rx = size.width() * 0.75;
    const qreal depth = size.height() - top + 40;
    ink.shape(Ink::ellipse(QPointF(centreX, top + depth), rx, depth), colour, {}, 0.8);
}

void Scenery::grass(const Ink& ink, qreal y, qreal fromX, qreal toX, const QColor& colour)
{
    for (qreal x = fromX; x <= toX; x += 46) {
        QPainterPath tuft;
        tuft.moveTo(x - 9, y);
        tuft.quadTo(x - 8, y - 8, x - 12, y - 16);
        tuft.moveTo(x, y);
        tuft.quadTo(x, y - 12, x + 2, y - 20);
        tuft.moveTo(x + 9, y);
        tuft.quadTo(x + 9, y - 8, x + 14, y - 14);
        ink.stroke(tuft, colour, 3.5);
    }
}

void Scenery::water(const Ink& ink, QSizeF size, qreal top, const QColor& colour)
{
    QPainterPath sea;
    sea.moveTo(-10, top);
    for (qreal x = -10; x < size.width() + 10; x += 40) {
        sea.quadTo(x + 10, top - 7, x + 20, top);
        sea.quadTo(x + 30, top + 7, x + 40, top);
    }
    sea.lineTo(size.width() + 10, size.height() + 10);
    sea.lineTo(-10, size.height() + 10);
    sea.closeSubpath();
    ink.shape(sea, colour, [&] {
        for (int row = 1; row < 4; ++row) {
            const qreal y = top + row * 18;
            for (qreal x = 20 + row * 30 % 70; x < size.width(); x += 90) {
                QPainterPath ripple(QPointF(x, y));
                ripple.quadTo(x + 12, y - 5, x + 24, y);
                ink.stroke(ripple, colour.lighter(130), 3);
            }
        }
    }, 0.8);
}

QPainterPath Scenery::star(QPointF centre, qreal radius)
{
    QList<QPointF> corners;
    for (int i = 0; i < 10; ++i)
        corners.append(polar(centre, i % 2 == 0 ? radius : radius * 0.45, -90 + i * 36));
    return Ink::rounded(corners, radius * 0.12);
}

void Scenery::twinkles(const Ink& ink, QSizeF size, const QColor& colour, qreal radius)
{
    // Scattered by the golden angle so they never line up.
    for (int i = 0; i < 14; ++i) {
        const qreal x = std::fmod(37.0 + i * 0.618034 * size.width(), size.width());
        const qreal y = std::fmod(23.0 + i * 0.381966 * size.height() * 1.7, size.height() * 0.6);
        ink.fill(star(QPointF(x, y), radius * (i % 3 == 0 ? 1.0 : 0.6)), colour);
    }
}

QPainterPath Scenery::heart(QPointF centre, qreal size)
{
    const qreal s = size / 2.0;
    QPainterPath path(centre + QPointF(0, s * 0.95));
    path.cubicTo(centre + QPointF(-s * 1.2, s * 0.1), centre + QPointF(-s * 1.1, -s * 1.0),
                 centre + QPointF(0, -s * 0.45));
    path.cubicTo(centre + QPointF(s * 1.1, -s * 1.0), centre + QPointF(s * 1.2, s * 0.1),
                 centre + QPointF(0, s * 0.95));
    path.closeSubpath();
    return path;
}

void Scenery::moon(const Ink& ink, QPointF centre, qreal radius)
{
    ink.painter().fillPath(Ink::circle(centre, radius * 1.25), QColor(255, 250, 200, 45));
    ink.shape(Ink::circle(centre, radius), QColor(0xfb, 0xf1, 0xb8), [&] {
        const QColor crater(0xe8, 0xd9, 0x8f);
        ink.fill(Ink::circle(centre + QPointF(-radius * 0.35, -radius * 0.2), radius * 0.18), crater);
        ink.fill(Ink::circle(centre + QPointF(radius * 0.3, radius * 0.35), radius * 0.13), crater);
        ink.fill(Ink::circle(centre + QPointF(radius * 0.38, -radius * 0.38), radius * 0.08), crater);
    }, 0.7);
}

void Scenery::sun(const Ink& ink, QPointF centre, qreal radius)
{
    const QColor gold(0xff, 0xd3, 0x3d);
    for (int i = 0; i < 12; ++i)
        ink.line(polar(centre, radius * 1.3, i * 30), polar(centre, radius * 1.7, i * 30), gold, radius * 0.22);
    ink.shape(Ink::circle(centre, radius), gold, {}, 0.7);
}

void Scenery::cloud(const Ink& ink, QPointF centre, qreal scale, const QColor& colour)
{
    QPainterPath puff = Ink::ellipse(centre + QPointF(0, 4) * scale, 34 * scale, 14 * scale);
    puff = puff.united(Ink::circle(centre + QPointF(-14, -4) * scale, 14 * scale));
    puff = puff.united(Ink::circle(centre + QPointF(8, -10) * scale, 18 * scale));
    ink.shape(puff, colour, {}, 0.6);
}

void Scenery::butterfly(const Ink& ink, QPointF centre, qreal scale, const QColor& wings, const QColor& spots)
{
    QPainter& p = ink.painter();
    p.save();
    p.translate(centre);
    p.scale(scale, scale);
    for (const qreal side : {-1.0, 1.0}) {
        const QPainterPath upper = Ink::turned(Ink::ellipse(QPointF(side * 16, -9), 15, 11), QPointF(0, 0), side * -20);
        const QPainterPath lower = Ink::turned(Ink::ellipse(QPointF(side * 12, 10), 10, 8), QPointF(0, 0), side * 25);
        ink.shape(upper.united(lower), wings, [&] {
            ink.fill(Ink::circle(QPointF(side * 18, -10), 5), spots);
            ink.fill(Ink::circle(QPointF(side * 11, 11), 3.5), spots);
        }, 0.6);
    }
    ink.shape(Ink::ellipse(QPointF(0, 0), 3.5, 14), Ink::outlineColour(), {}, 0.3);
    QPainterPath feelers(QPointF(-1, -12));
    feelers.quadTo(-4, -22, -9, -24);
    feelers.moveTo(1, -12);
    feelers.quadTo(4, -22, 9, -24);
    ink.stroke(feelers, Ink::outlineColour(), 2);
    p.restore();
}

void Scenery::flower(const Ink& ink, QPointF centre, qreal radius, const QColor& petals, const QColor& middle)
{
    QPainterPath bloom;
    for (int i = 0; i < 6; ++i)
        bloom = bloom.united(Ink::circle(polar(centre, radius * 0.62, i * 60), radius * 0.42));
    ink.shape(bloom, petals, {}, 0.6);
    ink.shape(Ink::circle(centre, radius * 0.33), middle, {}, 0.5);
}

void Scenery::leaf(const Ink& ink, QPointF stem, QPointF tip, const QColor& colour)
{
    const QLineF axis(stem, tip);
    const QPointF across = QPointF(-(tip - stem).y(), (tip - stem).x()) * 0.32;
    const QPointF middle = axis.pointAt(0.45);
    QPainterPath blade(stem);
    blade.quadTo(middle + across, tip);
    blade.quadTo(middle - across, stem);
    blade.closeSubpath();
    ink.shape(blade, colour, [&] { ink.line(stem, axis.pointAt(0.8), colour.darker(130), 1.8); }, 0.55);
}

void Scenery::branch(const Ink& ink, QPointF from, QPointF to, qreal thickness, const QColor& bark,
                     const QColor& leaves)
{
    const QLineF axis(from, to);
    const QPointF normal = QPointF(-(to - from).y(), (to - from).x()) / axis.length();
    QPainterPath wood(from);
    wood.quadTo(axis.pointAt(0.5) + normal * thickness * 0.6, to);
    ink.shape(Ink::tube(wood, thickness), bark, [&] {
        for (qreal t = 0.15; t < 0.9; t += 0.23) {
            const QPointF at = axis.pointAt(t) + normal * thickness * 0.3;
            ink.line(at - QPointF(10, 0), at + QPointF(8, 1), bark.darker(125), 2.2);
        }
    });
    for (qreal t = 0.2; t < 1.0; t += 0.3) {
        const QPointF at = axis.pointAt(t) + normal * thickness * 0.55;
        const qreal side = (static_cast<int>(t * 10) % 2 == 0) ? 1.0 : -1.0;
        leaf(ink, at, at + QPointF(side * 16, -22) + normal * 2, leaves);
    }
}

void Scenery::sleepy(const Ink& ink, QPointF start, qreal size, const QColor& colour)
{
    QPointF at = start;
    qreal s = size;
    for (int i = 0; i < 3; ++i) {
        QPainterPath zed(at);
        zed.lineTo(at + QPointF(s, 0));
        zed.lineTo(at + QPointF(0, s));
        zed.lineTo(at + QPointF(s, s));
        ink.stroke(zed, Ink::outlineColour(), s * 0.34 + 3);
        ink.stroke(zed, colour, s * 0.34);
        at += QPointF(s * 1.05, -s * 1.15);
        s *= 0.78;
    }
}
