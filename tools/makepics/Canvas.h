#pragma once

#include "Ink.h"

#include <QImage>
#include <QPainter>
#include <QSize>

// A blank picture with an antialiased painter and its ink, ready to draw on.
class Canvas
{
public:
    // Card faces and decks are landscape, 3 : 2.
    static constexpr QSize cardSize{360, 240};

    explicit Canvas(QSize size, const QColor& background = Qt::transparent);
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    Ink& ink() { return m_ink; }
    QPainter& painter() { return m_painter; }
    QSizeF size() const { return m_image.size(); }

    // Ends painting and hands over the finished picture.
    QImage finish();

private:
    QImage m_image;
    QPainter m_painter;
    Ink m_ink;
};
