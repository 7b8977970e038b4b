#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QSizeF>

class Ink;

// The settings the figures stand in: a backdrop in the face's own colour and the
// props that several faces share (ground, stars, leaves, a branch to perch on).
class Scenery
{
public:
    // A soft glow of `colour` over the whole picture, lighter in the middle.
    static void backdrop(const Ink& ink, QSizeF size, const QColor& colour);
    // Flat ground from height `top` down to the bottom edge.
    static void ground(const Ink& ink, QSizeF size, qreal top, const QColor& colour);
    // A rounded hill rising to `top` across the bottom of the picture.
    static void hill(const Ink& ink, QSizeF size, qreal centreX, qreal top, const QColor& colour);
    // Small tufts of grass along a line.
    static void grass(const Ink& ink, qreal y, qreal fromX, qreal toX, const QColor& colour);
    // Gently rolling water from `top` down.
    static void water(const Ink& ink, QSizeF size, qreal top, const QColor& colour);

    static QPainterPath star(QPointF centre, qreal radius);
    static void twinkles(const Ink& ink, QSizeF size, const QColor& colour, qreal radius);
    static QPainterPath heart(QPointF centre, qreal size);
    static void moon(const Ink& ink, QPointF centre, qreal radius);
    static void sun(const Ink& ink, QPointF centre, qreal radius);
    static void cloud(const Ink& ink, QPointF centre, qreal scale, const QColor& colour = Qt::white);
    static void butterfly(const Ink& ink, QPointF centre, qreal scale, const QColor& wings, const QColor& spots);
    static void flower(const Ink& ink, QPointF centre, qreal radius, const QColor& petals, const QColor& middle);
    // A leaf pointing from `stem` in the direction of `tip`.
    static void leaf(const Ink& ink, QPointF stem, QPointF tip, const QColor& colour);
    // A branch from `from` to `to` with a few leaves along it.
    static void branch(const Ink& ink, QPointF from, QPointF to, qreal thickness, const QColor& bark,
                       const QColor& leaves);
    // "Z z z" rising from `start`, drawn as strokes.
    static void sleepy(const Ink& ink, QPointF start, qreal size, const QColor& colour);
};
