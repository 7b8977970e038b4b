#pragma once

#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QSizeF>

class Ink;

// The two decks: card backs in the manner of a playing card's, a pattern framed
// by a plain margin, the same whichever way up the card lies.
class CardBacks
{
public:
    static QImage acorn();
    static QImage waves();

    // A card's rounded outline within a picture of the given size.
    static QPainterPath cardOutline(QSizeF size, qreal inset, qreal radius);

private:
    // The margin and frame; returns the field inside them, already clipped to.
    static QPainterPath frame(const Ink& ink, QSizeF size, const QColor& margin, const QColor& field,
                              const QColor& line);
    // An acorn `size` units tall; `weight` thins the outline on small ones.
    static void acornMotif(const Ink& ink, QPointF centre, qreal size, qreal degrees, qreal weight);
    static void oakLeaf(const Ink& ink, QPointF stem, qreal length, qreal degrees, const QColor& colour);
    static void scale(const Ink& ink, QPointF centre, qreal radius);
};
