#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPointF>

class Ink;

// The parts birds are built from. Every bird is its own drawing, but eyes,
// wings, legs and feathered bodies are made the same way throughout the set.
class Bird
{
public:
    // A round body part: a circle at `round` drawn out to a point at `point`.
    static QPainterPath teardrop(QPointF round, qreal radius, QPointF point);
    static QPainterPath tilted(QPointF centre, qreal rx, qreal ry, qreal degrees);

    // A white eye with a dark pupil looking along `look` (a direction).
    static void eye(const Ink& ink, QPointF centre, qreal radius, QPointF look = {},
                    const QColor& white = Qt::white);
    // A folded wing from the shoulder to its tip, with feather lines near the tip.
    static void wing(const Ink& ink, QPointF shoulder, qreal width, QPointF tip, const QColor& colour);
    // A thin leg ending in three toes pointing along `forward`.
    static void leg(const Ink& ink, QPointF hip, QPointF foot, const QColor& colour, qreal forward = 1.0);
    // Rows of little scallops, like the feathers on a breast.
    static void scallops(const Ink& ink, const QRectF& area, const QColor& colour, qreal size);
    // A beak: a rounded triangle from a wide base to its tip, with a mouth line.
    static void beak(const Ink& ink, QPointF top, QPointF bottom, QPointF tip, const QColor& colour);
};
