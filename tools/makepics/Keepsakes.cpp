#include "Keepsakes.h"

#include "Canvas.h"
#include "CardBacks.h"
#include "Cat.h"
#include "Palette.h"
#include "Scenery.h"

#include <QPainter>

namespace {

// Small pictures are drawn four times over and shrunk smoothly, which keeps
// their few pixels clean.
constexpr int oversample = 4;

QImage shrunk(const QImage& big, QSize size)
{
    return big.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// A question mark made of a hooked stroke and a dot.
void questionMark(const Ink& ink, QPointF centre, qreal height, const QColor& colour)
{
    const qreal s = height;
    QPainterPath hook(centre + QPointF(-0.26 * s, -0.2 * s));
    hook.cubicTo(centre + QPointF(-0.26 * s, -0.5 * s), centre + QPointF(0.28 * s, -0.5 * s),
                 centre + QPointF(0.26 * s, -0.2 * s));
    hook.cubicTo(centre + QPointF(0.25 * s, -0.02 * s), centre + QPointF(0.0, 0.0),
                 centre + QPointF(0.0, 0.14 * s));
    const QPainterPath mark = Ink::tube(hook, 0.15 * s).united(Ink::circle(centre + QPointF(0, 0.36 * s), 0.1 * s));
    ink.shape(mark, colour, {}, 0.8);
}

// A card lying on the table: the picture clipped to rounded corners, outlined.
void card(const Ink& ink, const QImage& picture, QPointF centre, qreal width, qreal degrees)
{
    QPainter& p = ink.painter();
    const qreal height = width * picture.height() / picture.width();
    const QRectF place(-width / 2, -height / 2, width, height);
    QPainterPath outline;
    outline.addRoundedRect(place, width * 0.06, width * 0.06);
    p.save();
    p.translate(centre);
    p.rotate(degrees);
    p.fillPath(outline.translated(width * 0.03, width * 0.04), QColor(0, 0, 0, 70));
    p.save();
    p.setClipPath(outline);
    p.drawImage(place, picture);
    p.restore();
    ink.outline(outline, 1.6);
    p.restore();
}

} // namespace

QImage Keepsakes::fallback()
{
    Canvas canvas(fallbackSize * oversample);
    const Ink& ink = canvas.ink();
    const QSizeF size = canvas.size();
    canvas.painter().fillRect(QRectF(QPointF(0, 0), size), QColor(0xf6, 0xf1, 0xe6));

    // A little framed landscape whose picture has gone astray, with a friendly
    // question mark badge over it.
    const QRectF frame(10, 10, size.width() - 20, size.height() - 20);
    QPainterPath wood;
    wood.addRoundedRect(frame, 10, 10);
    ink.shape(wood, QColor(0xd8, 0x96, 0x4a), {}, 1.6);
    QPainterPath view;
    view.addRect(frame.adjusted(22, 22, -22, -22));
    ink.shape(view, QColor(0xb8, 0xdc, 0xf4), [&] {
        const QRectF r = view.boundingRect();
        Scenery::sun(ink, r.topLeft() + QPointF(34, 30), 14);
        ink.shape(Ink::rounded({r.bottomLeft() + QPointF(-10, 10), r.bottomLeft() + QPointF(50, -62),
                                r.bottomLeft() + QPointF(110, 10)}, 8), QColor(0x8c, 0xc8, 0x6a), {}, 1.2);
        ink.shape(Ink::rounded({r.bottomRight() + QPointF(-140, 10), r.bottomRight() + QPointF(-60, -78),
                                r.bottomRight() + QPointF(20, 10)}, 8), QColor(0x6a, 0xb0, 0x4a), {}, 1.2);
    }, 1.4);
    const QPointF middle(size.width() / 2, size.height() / 2);
    ink.shape(Ink::circle(middle, 56), QColor(0xff, 0x8a, 0x3a), {}, 1.8);
    questionMark(ink, middle + QPointF(0, -4), 96, Qt::white);
    return shrunk(canvas.finish(), fallbackSize);
}

namespace {

// Two cards lying on each other, the acorn deck under a cat's face.
QImage drawIcon()
{
    Canvas canvas(QSize(Keepsakes::drawnIconSize, Keepsakes::drawnIconSize));
    const Ink& ink = canvas.ink();
    const qreal s = canvas.size().width() / 256.0;

    card(ink, CardBacks::acorn(), QPointF(108, 96) * s, 190 * s, -16);

    Canvas face(Canvas::cardSize, Palette::ivory);
    Scenery::backdrop(face.ink(), face.size(), QColor(0xff, 0xb8, 0x3a));
    Scenery::moon(face.ink(), QPointF(236, 92), 70);
    Cat::Coat shadow;
    shadow.silhouette = true;
    Cat(face.ink(), shadow).sitting(QPointF(160, 236), 1.04);
    card(ink, face.finish(), QPointF(148, 160) * s, 190 * s, 10);
    return canvas.finish();
}

} // namespace

QImage Keepsakes::icon(int size)
{
    static const QImage drawn = drawIcon();
    return shrunk(drawn, QSize(size, size));
}
