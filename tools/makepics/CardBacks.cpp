#include "CardBacks.h"

#include "Canvas.h"
#include "Ink.h"
#include "Palette.h"

#include <QPainter>

#include <cmath>

namespace {

const QColor& ivory = Palette::ivory;
const QColor gold(0xe8, 0xc0, 0x5a);

} // namespace

QPainterPath CardBacks::cardOutline(QSizeF size, qreal inset, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(inset, inset, size.width() - 2 * inset, size.height() - 2 * inset), radius, radius);
    return path;
}

QPainterPath CardBacks::frame(const Ink& ink, QSizeF size, const QColor& margin, const QColor& field,
                              const QColor& line)
{
    ink.painter().fillRect(QRectF(QPointF(0, 0), size), margin);
    const QPainterPath inner = cardOutline(size, 12, 10);
    ink.shape(inner, field, {}, 0.8);
    ink.stroke(cardOutline(size, 18, 7), line, 2.5);
    const QPainterPath inside = cardOutline(size, 22, 5);
    ink.painter().setClipPath(inside);
    return inside;
}

void CardBacks::oakLeaf(const Ink& ink, QPointF stem, qreal length, qreal degrees, const QColor& colour)
{
    QPainter& p = ink.painter();
    p.save();
    p.translate(stem);
    p.rotate(degrees);
    // Lobes along the midrib, biggest in the middle, make the wavy oak edge.
    QPainterPath blade = Ink::ellipse(QPointF(length * 0.55, 0), length * 0.45, length * 0.16);
    for (int i = 0; i < 4; ++i) {
        const qreal x = length * (0.28 + i * 0.18);
        const qreal r = length * (0.13 - std::abs(i - 1.5) * 0.025);
        blade = blade.united(Ink::circle(QPointF(x, -length * 0.14), r));
        blade = blade.united(Ink::circle(QPointF(x + length * 0.06, length * 0.14), r));
    }
    ink.shape(blade, colour, [&] {
        ink.line(QPointF(0, 0), QPointF(length * 0.95, 0), colour.darker(130), length * 0.035);
    }, 0.6);
    ink.line(QPointF(-length * 0.12, 0), QPointF(length * 0.1, 0), colour.darker(130), length * 0.05);
    p.restore();
}

void CardBacks::acornMotif(const Ink& ink, QPointF centre, qreal size, qreal degrees, qreal weight)
{
    QPainter& p = ink.painter();
    p.save();
    p.translate(centre);
    p.rotate(degrees);
    p.scale(size / 100.0, size / 100.0);
    QPainterPath nut(QPointF(-30, -8));
    nut.cubicTo(-34, 30, -12, 48, 0, 50);
    nut.cubicTo(12, 48, 34, 30, 30, -8);
    nut.closeSubpath();
    ink.shape(nut, QColor(0xd0, 0x8a, 0x3c), [&] {
        ink.fill(Ink::ellipse(QPointF(-13, 12), 6, 16), QColor(0xe8, 0xb0, 0x6a));
    }, weight);
    ink.line(QPointF(0, -36), QPointF(4, -52), Ink::outlineColour(), 6 + 6 * weight);
    ink.line(QPointF(0, -36), QPointF(4, -52), QColor(0x7a, 0x52, 0x30), 6);
    QPainterPath cap(QPointF(-40, -4));
    cap.cubicTo(-42, -44, 42, -44, 40, -4);
    cap.quadTo(0, 4, -40, -4);
    cap.closeSubpath();
    const QColor capColour(0x86, 0x5a, 0x34);
    ink.shape(cap, capColour, [&] {
        for (int i = -5; i <= 5; ++i) {
            ink.line(QPointF(i * 10 - 20, -40), QPointF(i * 10 + 20, 4), capColour.darker(130), 2.4);
            ink.line(QPointF(i * 10 + 20, -40), QPointF(i * 10 - 20, 4), capColour.darker(130), 2.4);
        }
    }, weight);
    p.restore();
}

QImage CardBacks::acorn()
{
    Canvas canvas(Canvas::cardSize);
    const Ink& ink = canvas.ink();
    const QSizeF size = canvas.size();
    const QColor field(0x2f, 0x5e, 0x3a);
    const QPainterPath inside = frame(ink, size, ivory, field, gold);

    // A diamond lattice with an acorn in every cell, alternately upright and
    // upside down so the back reads the same from either end of the table.
    const qreal stepX = 48;
    const qreal stepY = 40;
    const QColor lattice(0x3d, 0x78, 0x48);
    const QPointF middle(size.width() / 2, size.height() / 2);
    const qreal run = stepX / stepY;
    for (int i = -12; i <= 12; ++i) {
        const qreal x = middle.x() + stepX / 2 + i * stepX;
        const qreal below = size.height() - middle.y();
        ink.line(QPointF(x - middle.y() * run, 0), QPointF(x + below * run, size.height()), lattice, 2);
        ink.line(QPointF(x + middle.y() * run, 0), QPointF(x - below * run, size.height()), lattice, 2);
    }
    int row = 0;
    for (qreal y = middle.y() - 6 * stepY / 2; y <= size.height() + stepY; y += stepY / 2, ++row) {
        for (qreal x = middle.x() + (row % 2 ? stepX / 2 : 0) - 4 * stepX; x <= size.width(); x += stepX)
            acornMotif(ink, QPointF(x, y), 22, row % 2 ? 180 : 0, 0.3);
    }

    // The medallion in the middle: a big acorn between two oak leaves.
    const QPainterPath medal = Ink::ellipse(middle, 78, 62);
    ink.shape(medal, ivory, [&] {
        ink.stroke(Ink::ellipse(middle, 70, 54), gold, 3);
        oakLeaf(ink, middle + QPointF(-12, 10), 62, 200, QColor(0x6a, 0xb0, 0x4a));
        oakLeaf(ink, middle + QPointF(12, 10), 62, -20, QColor(0x6a, 0xb0, 0x4a));
        acornMotif(ink, middle + QPointF(0, 4), 82, 0, 1.0);
    });
    ink.painter().setClipPath(inside, Qt::NoClip);
    return canvas.finish();
}

void CardBacks::scale(const Ink& ink, QPointF centre, qreal radius)
{
    const QColor deep(0x1d, 0x3f, 0x7a);
    const QColor sea(0x3a, 0x78, 0xc0);
    ink.fill(Ink::circle(centre, radius), deep);
    for (int ring = 0; ring < 4; ++ring) {
        const qreal r = radius * (0.92 - ring * 0.22);
        ink.stroke(Ink::circle(centre, r), ring % 2 ? ivory : sea, radius * 0.09);
    }
    ink.stroke(Ink::circle(centre, radius), Ink::outlineColour(), radius * 0.05);
}

QImage CardBacks::waves()
{
    Canvas canvas(Canvas::cardSize);
    const Ink& ink = canvas.ink();
    const QSizeF size = canvas.size();
    frame(ink, size, ivory, QColor(0x1d, 0x3f, 0x7a), QColor(0x8c, 0xc8, 0xf0));

    // Overlapping rows of wave scales, each row half covering the one above,
    // laid out from the middle so both halves of the card match.
    const qreal radius = 26;
    const QPointF middle(size.width() / 2, size.height() / 2);
    int row = 0;
    for (qreal y = middle.y() - 10 * radius / 2; y <= size.height() + radius; y += radius / 2, ++row) {
        const qreal shift = (row % 2) ? radius : 0;
        for (qreal x = middle.x() + shift - 8 * radius; x <= size.width() + radius; x += 2 * radius)
            scale(ink, QPointF(x, y), radius);
    }

    const QPainterPath medal = Ink::ellipse(middle, 44, 44);
    ink.shape(medal, ivory, [&] {
        ink.stroke(Ink::circle(middle, 38), QColor(0x8c, 0xc8, 0xf0), 3);
        for (int i = 0; i < 3; ++i) {
            const qreal y = middle.y() - 14 + i * 14;
            QPainterPath wave(QPointF(middle.x() - 30, y));
            for (int k = 0; k < 3; ++k) {
                const qreal x = middle.x() - 30 + k * 20;
                wave.quadTo(x + 5, y - 9, x + 10, y);
                wave.quadTo(x + 15, y + 9, x + 20, y);
            }
            ink.stroke(wave, QColor(0x1d, 0x3f, 0x7a), 5);
        }
    });
    return canvas.finish();
}
