#include "Cat.h"

#include "Ink.h"
#include "Palette.h"

#include <QPainter>
#include <QRadialGradient>

#include <cmath>

namespace {

const QColor& earPink = Palette::pink;
const QColor nosePink(0xe8, 0x7d, 0x95);
const QColor& white = Palette::white;

// The head's outline: a wide round skull with two pointed ears.
QPainterPath headPath()
{
    const QPainterPath skull = Ink::ellipse(QPointF(0, 4), 52, 44);
    const QPainterPath ear = Ink::rounded({{-52, -2}, {-44, -66}, {-8, -38}}, 8);
    return skull.united(ear).united(Ink::mirrored(ear));
}

QPainterPath innerEar()
{
    return Ink::rounded({{-42, -14}, {-39, -54}, {-16, -37}}, 5);
}

QPainterPath sittingBody()
{
    QPainterPath body(QPointF(-30, -118));
    body.cubicTo(-58, -96, -72, -46, -64, -14);
    body.quadTo(-60, 0, -40, 0);
    body.lineTo(40, 0);
    body.quadTo(60, 0, 64, -14);
    body.cubicTo(72, -46, 58, -96, 30, -118);
    body.closeSubpath();
    const QPainterPath haunch = Ink::ellipse(QPointF(-50, -30), 22, 28);
    return body.united(haunch).united(Ink::mirrored(haunch));
}

// A stand-in for randomness that draws the same picture every time.
qreal scatter(int i)
{
    const qreal v = i * 0.6180339887;
    return v - std::floor(v);
}

} // namespace

Cat::Cat(const Ink& ink, const Coat& coat)
    : m_ink(ink)
    , m_coat(coat)
{
}

void Cat::place(QPointF at, qreal scale) const
{
    m_ink.painter().save();
    m_ink.painter().translate(at);
    m_ink.painter().scale(scale, scale);
}

void Cat::unplace() const
{
    m_ink.painter().restore();
}

QColor Cat::furColour() const
{
    return m_coat.silhouette ? QColor(0x1d, 0x17, 0x22) : m_coat.fur;
}

QColor Cat::limbColour() const
{
    if (m_coat.silhouette)
        return furColour();
    if (m_coat.pattern == Pattern::Points)
        return m_coat.marks;
    return m_coat.whiteFront ? white : m_coat.fur;
}

QColor Cat::tailColour() const
{
    if (m_coat.silhouette)
        return furColour();
    if (m_coat.pattern == Pattern::Points || m_coat.pattern == Pattern::Patches)
        return m_coat.marks;
    return m_coat.fur;
}

QColor Cat::whiskerColour() const
{
    return m_coat.fur.lightness() < 100 ? QColor(0xee, 0xe6, 0xdc) : QColor(0x3a, 0x2e, 0x30, 200);
}

void Cat::head(QPointF centre, qreal scale, Eyes eyes, qreal tilt) const
{
    place(centre, scale);
    m_ink.painter().rotate(tilt);
    m_ink.shape(headPath(), furColour(), [&] {
        if (!m_coat.silhouette)
            headMarks();
    });
    face(eyes);
    unplace();
}

void Cat::headMarks() const
{
    if (m_coat.pattern == Pattern::Points) {
        m_ink.fill(Ink::rounded({{-52, -2}, {-44, -66}, {-8, -38}}, 8), m_coat.marks);
        m_ink.fill(Ink::mirrored(Ink::rounded({{-52, -2}, {-44, -66}, {-8, -38}}, 8)), m_coat.marks);
        QRadialGradient mask(QPointF(0, 14), 40);
        mask.setColorAt(0.0, m_coat.marks);
        mask.setColorAt(0.5, m_coat.marks);
        QColor fade = m_coat.marks;
        fade.setAlpha(0);
        mask.setColorAt(1.0, fade);
        m_ink.painter().fillPath(Ink::ellipse(QPointF(0, 12), 46, 40), mask);
    }
    m_ink.fill(innerEar(), earPink);
    m_ink.fill(Ink::mirrored(innerEar()), earPink);
    switch (m_coat.pattern) {
    case Pattern::Tabby:
        for (const qreal x : {-14.0, 0.0, 14.0})
            m_ink.line(QPointF(x, -42), QPointF(x * 0.7, -24), m_coat.marks, 6);
        for (const qreal side : {-1.0, 1.0}) {
            m_ink.line(QPointF(side * 56, 0), QPointF(side * 38, 4), m_coat.marks, 5.5);
            m_ink.line(QPointF(side * 56, 14), QPointF(side * 40, 14), m_coat.marks, 5.5);
        }
        break;
    case Pattern::Spots:
        m_ink.fill(Ink::ellipse(QPointF(-12, -28), 5, 4), m_coat.marks);
        m_ink.fill(Ink::ellipse(QPointF(12, -30), 5, 4), m_coat.marks);
        m_ink.fill(Ink::ellipse(QPointF(0, -20), 4, 3.5), m_coat.marks);
        m_ink.fill(Ink::ellipse(QPointF(-42, 14), 4, 3.5), m_coat.marks);
        m_ink.fill(Ink::ellipse(QPointF(42, 14), 4, 3.5), m_coat.marks);
        break;
    case Pattern::Patches:
        m_ink.fill(Ink::ellipse(QPointF(-36, -30), 30, 30), m_coat.marks);
        m_ink.fill(Ink::ellipse(QPointF(40, -24), 26, 24), m_coat.patches);
        m_ink.fill(innerEar(), earPink);
        m_ink.fill(Ink::mirrored(innerEar()), earPink);
        break;
    case Pattern::Plain:
    case Pattern::Points:
        break;
    }
    if (m_coat.whiteFront) {
        m_ink.fill(Ink::ellipse(QPointF(0, 26), 30, 21), white);
        m_ink.fill(Ink::rounded({{-5, -26}, {5, -26}, {16, 12}, {-16, 12}}, 4), white);
    } else if (m_coat.pattern != Pattern::Points) {
        m_ink.fill(Ink::ellipse(QPointF(-10, 19), 13, 10), m_coat.fur.lighter(118));
        m_ink.fill(Ink::ellipse(QPointF(10, 19), 13, 10), m_coat.fur.lighter(118));
    }
}

void Cat::face(Eyes eyes) const
{
    if (m_coat.silhouette) {
        for (const qreal side : {-1.0, 1.0}) {
            m_ink.fill(Ink::ellipse(QPointF(side * 20, -2), 11, 9), QColor(0xff, 0xd8, 0x3a));
            m_ink.fill(Ink::ellipse(QPointF(side * 20, -2), 3, 8), furColour());
        }
        return;
    }
    eye(QPointF(-20, -4), eyes, true);
    eye(QPointF(20, -4), eyes, false);

    const QPainterPath nose = Ink::rounded({{-8, 7}, {8, 7}, {0, 16}}, 3);
    m_ink.shape(nose, nosePink, {}, 0.45);
    QPainterPath mouth(QPointF(0, 15));
    mouth.lineTo(0, 20);
    mouth.moveTo(-11, 21);
    mouth.quadTo(-5, 27, 0, 20);
    mouth.quadTo(5, 27, 11, 21);
    m_ink.stroke(mouth, Ink::outlineColour(), 2.8);

    QColor blush = earPink;
    blush.setAlpha(120);
    m_ink.fill(Ink::ellipse(QPointF(-34, 16), 8, 5), blush);
    m_ink.fill(Ink::ellipse(QPointF(34, 16), 8, 5), blush);

    for (const qreal side : {-1.0, 1.0}) {
        m_ink.line(QPointF(side * 20, 15), QPointF(side * 66, 8), whiskerColour(), 2);
        m_ink.line(QPointF(side * 20, 19), QPointF(side * 68, 21), whiskerColour(), 2);
        m_ink.line(QPointF(side * 20, 23), QPointF(side * 63, 33), whiskerColour(), 2);
    }
}

void Cat::eye(QPointF centre, Eyes eyes, bool left) const
{
    const bool shut = eyes == Eyes::Closed || (eyes == Eyes::Wink && left);
    if (shut || eyes == Eyes::Happy) {
        QPainterPath lid(centre + QPointF(-11, -2));
        if (eyes == Eyes::Happy)
            lid.quadTo(centre + QPointF(0, -14), centre + QPointF(11, -2));
        else
            lid.quadTo(centre + QPointF(0, 8), centre + QPointF(11, -2));
        m_ink.stroke(lid, Ink::outlineColour(), 4);
        return;
    }
    const QPainterPath ball = Ink::ellipse(centre, 11.5, 12.5);
    m_ink.shape(ball, m_coat.eyes, [&] {
        if (eyes == Eyes::Up) {
            m_ink.fill(Ink::circle(centre + QPointF(0, -4), 7.5), Ink::outlineColour());
            m_ink.glint(centre + QPointF(3, -8), 3);
        } else {
            m_ink.fill(Ink::ellipse(centre + QPointF(0, 1), 4.5, 10), Ink::outlineColour());
            m_ink.glint(centre + QPointF(4, -5), 3.2);
        }
    }, 0.6);
}

void Cat::paw(QPointF centre, qreal scale, bool pads) const
{
    place(centre, scale);
    const QColor colour = limbColour();
    if (pads) {
        m_ink.shape(Ink::ellipse(QPointF(0, 0), 15, 14), colour, {}, 0.8);
        if (!m_coat.silhouette) {
            m_ink.fill(Ink::ellipse(QPointF(0, 4), 7, 5.5), earPink);
            for (const QPointF toe : {QPointF(-8, -5), QPointF(0, -8.5), QPointF(8, -5)})
                m_ink.fill(Ink::circle(toe, 3), earPink);
        }
    } else {
        m_ink.shape(Ink::ellipse(QPointF(0, 0), 15, 10), colour, {}, 0.8);
        m_ink.line(QPointF(-4.5, 2), QPointF(-4.5, 9), Ink::outlineColour(), 2.4);
        m_ink.line(QPointF(4.5, 2), QPointF(4.5, 9), Ink::outlineColour(), 2.4);
    }
    unplace();
}

void Cat::areaMarks(const QRectF& box, Lay lay) const
{
    if (m_coat.silhouette)
        return;
    const qreal w = box.width();
    const qreal h = box.height();
    switch (m_coat.pattern) {
    case Pattern::Tabby:
        if (lay == Lay::Upright) {
            for (qreal y = box.top() + 18; y < box.bottom() - 8; y += 22) {
                for (const qreal side : {-1.0, 1.0}) {
                    const qreal edge = side < 0 ? box.left() - 4 : box.right() + 4;
                    QPainterPath stripe(QPointF(edge, y));
                    stripe.quadTo(edge - side * w * 0.18, y + 6, edge - side * w * 0.3, y + 1);
                    m_ink.stroke(stripe, m_coat.marks, 7);
                }
            }
        } else {
            for (qreal x = box.left() + 16; x < box.right() - 10; x += 24) {
                QPainterPath stripe(QPointF(x, box.top() - 4));
                stripe.quadTo(x + 7, box.top() + h * 0.3, x - 2, box.top() + h * 0.6);
                m_ink.stroke(stripe, m_coat.marks, 8);
            }
        }
        break;
    case Pattern::Spots: {
        int i = 0;
        for (qreal y = box.top() + 10; y < box.bottom(); y += 22) {
            const qreal shift = (i % 2) * 13.0;
            for (qreal x = box.left() + 8 + shift; x < box.right(); x += 26, ++i) {
                const QPointF at(x + (scatter(i) - 0.5) * 8, y + (scatter(i + 7) - 0.5) * 6);
                m_ink.fill(Ink::ellipse(at, 6.5 + scatter(i + 3) * 2, 5), m_coat.marks);
            }
            ++i;
        }
        break;
    }
    case Pattern::Patches:
        m_ink.fill(Ink::ellipse(QPointF(box.left() + w * 0.22, box.top() + h * 0.32), w * 0.3, h * 0.34),
                   m_coat.marks);
        m_ink.fill(Ink::ellipse(QPointF(box.left() + w * 0.8, box.top() + h * 0.58), w * 0.26, h * 0.3),
                   m_coat.patches);
        break;
    case Pattern::Plain:
    case Pattern::Points:
        break;
    }
}

void Cat::body(const QPainterPath& path, Lay lay) const
{
    m_ink.shape(path, furColour(), [&] { areaMarks(path.boundingRect(), lay); });
}

void Cat::tail(const QPainterPath& spine, qreal width) const
{
    m_ink.shape(Ink::tube(spine, width), tailColour(), [&] {
        if (m_coat.silhouette)
            return;
        if (m_coat.pattern == Pattern::Tabby || m_coat.pattern == Pattern::Spots) {
            QPen rings(m_coat.marks, width * 1.6, Qt::CustomDashLine, Qt::FlatCap);
            rings.setDashPattern({0.35, 0.5});
            m_ink.painter().strokePath(spine, rings);
        }
    });
}

void Cat::limb(QPointF from, QPointF to, qreal width, bool far) const
{
    QPainterPath spine(from);
    spine.lineTo(to);
    const QColor colour = far ? limbColour().darker(125) : limbColour();
    m_ink.shape(Ink::tube(spine, width), colour);
}

void Cat::sitting(QPointF ground, qreal scale) const
{
    sitting(ground, scale, Sitting());
}

void Cat::sitting(QPointF ground, qreal scale, const Sitting& pose) const
{
    place(ground, scale);
    QPainterPath spine(QPointF(50, -10));
    spine.cubicTo(100, -6, 116, -44, 98, -84);
    tail(pose.tailRight ? spine : Ink::mirrored(spine), 20);

    const QPainterPath torso = sittingBody();
    m_ink.shape(torso, furColour(), [&] {
        if (m_coat.silhouette)
            return;
        if (m_coat.whiteFront)
            m_ink.fill(Ink::ellipse(QPointF(0, -76), 28, 40), white);
        else if (m_coat.pattern != Pattern::Patches)
            m_ink.fill(Ink::ellipse(QPointF(0, -80), 22, 32), m_coat.fur.lighter(112));
        areaMarks(torso.boundingRect(), Lay::Upright);
    });

    for (const qreal side : {-1.0, 1.0}) {
        if (pose.pawRaised && side > 0)
            continue;
        QPainterPath leg;
        leg.addRect(QRectF(side * 16 - 11, -72, 22, 64));
        m_ink.fill(leg, limbColour());
        if (!m_coat.silhouette) {
            m_ink.line(QPointF(side * 16 - 11, -62), QPointF(side * 16 - 11, -8), Ink::outlineColour(), 3.6);
            m_ink.line(QPointF(side * 16 + 11, -62), QPointF(side * 16 + 11, -8), Ink::outlineColour(), 3.6);
        }
        paw(QPointF(side * 16, -8), 0.95, false);
    }
    if (pose.pawRaised) {
        limb(QPointF(28, -92), QPointF(64, -160), 24);
        paw(QPointF(66, -168), 1.2, true);
    }

    head(QPointF(0, -150), 1.0, pose.eyes, pose.headTilt);
    if (pose.collar.isValid()) {
        QPainterPath band(QPointF(-32, -110));
        band.quadTo(0, -96, 32, -110);
        m_ink.shape(Ink::tube(band, 9), pose.collar, {}, 0.6);
        m_ink.shape(Ink::circle(QPointF(0, -96), 8), Palette::gold, [&] {
            m_ink.line(QPointF(-7, -95), QPointF(7, -95), Ink::outlineColour(), 1.8);
        }, 0.6);
    }
    unplace();
}

void Cat::fromBehind(QPointF ground, qreal scale) const
{
    place(ground, scale);
    const QPainterPath torso = sittingBody();
    m_ink.shape(torso, furColour(), [&] {
        areaMarks(torso.boundingRect().adjusted(0, 0, 0, -20), Lay::Upright);
        if (m_coat.pattern == Pattern::Tabby)
            m_ink.line(QPointF(0, -112), QPointF(0, -20), m_coat.marks, 8);
    });
    QPainterPath spine(QPointF(-10, -8));
    spine.cubicTo(60, 4, 112, -10, 100, -60);
    spine.quadTo(96, -84, 80, -92);
    tail(spine, 20);

    place(QPointF(0, -150), 1.0);
    m_ink.shape(headPath(), furColour(), [&] {
        m_ink.fill(innerEar(), furColour().darker(115));
        m_ink.fill(Ink::mirrored(innerEar()), furColour().darker(115));
        if (m_coat.pattern == Pattern::Tabby) {
            for (const qreal x : {-18.0, 0.0, 18.0})
                m_ink.line(QPointF(x, -40), QPointF(x * 0.8, 30), m_coat.marks, 7);
        }
    });
    unplace();
    unplace();
}

void Cat::curled(QPointF centre, qreal scale) const
{
    place(centre, scale);
    const QPainterPath loaf = Ink::ellipse(QPointF(10, 0), 108, 58);
    body(loaf, Lay::Lengthwise);
    QPainterPath thigh(QPointF(40, 44));
    thigh.cubicTo(30, 5, 80, -20, 100, 10);
    m_ink.stroke(thigh, Ink::outlineColour(), 3.5);

    QPainterPath spine(QPointF(112, 8));
    spine.cubicTo(118, 62, 20, 74, -62, 54);
    tail(spine, 24);
    paw(QPointF(-96, 46), 0.9, false);
    paw(QPointF(-66, 50), 0.9, false);
    head(QPointF(-70, -6), 0.82, Eyes::Closed, -14);
    unplace();
}

void Cat::walking(QPointF ground, qreal scale) const
{
    place(ground, scale);
    limb(QPointF(-40, -80), QPointF(-30, -10), 21, true);
    limb(QPointF(62, -80), QPointF(74, -10), 21, true);
    QPainterPath spine(QPointF(-78, -96));
    spine.cubicTo(-128, -104, -134, -170, -100, -186);
    tail(spine, 18);

    QPainterPath torso = Ink::ellipse(QPointF(0, -90), 86, 34);
    torso = torso.united(Ink::ellipse(QPointF(-56, -86), 36, 38));
    torso = torso.united(Ink::ellipse(QPointF(56, -94), 38, 38));
    body(torso, Lay::Lengthwise);

    limb(QPointF(-60, -74), QPointF(-76, -10), 22);
    limb(QPointF(40, -74), QPointF(48, -10), 22);
    for (const qreal x : {-30.0, 74.0})
        paw(QPointF(x + 4, -7), 0.85, false);
    for (const qreal x : {-76.0, 48.0})
        paw(QPointF(x + 4, -7), 0.9, false);
    head(QPointF(92, -140), 0.85, Eyes::Open, 6);
    unplace();
}

void Cat::lying(QPointF ground, qreal scale) const
{
    place(ground, scale);
    QPainterPath spine(QPointF(-112, -16));
    spine.cubicTo(-150, -10, -176, -18, -178, -52);
    tail(spine, 18);
    QPainterPath torso = Ink::ellipse(QPointF(-30, -42), 104, 40);
    torso = torso.united(Ink::ellipse(QPointF(-86, -48), 40, 46));
    body(torso, Lay::Lengthwise);
    limb(QPointF(10, -22), QPointF(96, -14), 22);
    limb(QPointF(30, -16), QPointF(118, -10), 22);
    paw(QPointF(104, -12), 0.95, false);
    paw(QPointF(126, -9), 0.95, false);
    head(QPointF(50, -88), 0.92, Eyes::Open, -4);
    unplace();
}

void Cat::rolling(QPointF ground, qreal scale) const
{
    place(ground, scale);
    QPainterPath spine(QPointF(-92, -22));
    spine.cubicTo(-132, -8, -156, -28, -146, -62);
    tail(spine, 18);
    for (const auto& [from, to] : {std::pair{QPointF(-62, -60), QPointF(-84, -128)},
                                   std::pair{QPointF(-34, -70), QPointF(-38, -140)}}) {
        limb(from, to, 22);
        paw(to, 0.95, true);
    }
    const QPainterPath torso = Ink::ellipse(QPointF(-10, -45), 92, 40);
    m_ink.shape(torso, furColour(), [&] {
        areaMarks(QRectF(-102, -20, 184, 40), Lay::Lengthwise);
        m_ink.fill(Ink::ellipse(QPointF(-14, -66), 62, 22), m_coat.whiteFront ? white : m_coat.fur.lighter(125));
    });
    for (const auto& [from, to] : {std::pair{QPointF(36, -74), QPointF(30, -140)},
                                   std::pair{QPointF(62, -66), QPointF(80, -130)}}) {
        limb(from, to, 22);
        paw(to, 0.95, true);
    }
    head(QPointF(100, -60), 0.88, Eyes::Happy, 22);
    unplace();
}

void Cat::reaching(QPointF centre, qreal scale) const
{
    place(centre, scale);
    const QPainterPath shoulders = Ink::ellipse(QPointF(0, 118), 100, 80);
    m_ink.shape(shoulders, furColour(), [&] {
        areaMarks(shoulders.boundingRect(), Lay::Upright);
        m_ink.fill(Ink::ellipse(QPointF(0, 86), 34, 40), m_coat.whiteFront ? white : m_coat.fur.lighter(115));
    });
    for (const qreal side : {-1.0, 1.0}) {
        limb(QPointF(side * 62, 60), QPointF(side * 96, -78), 30);
        paw(QPointF(side * 98, -90), 1.45, true);
    }
    head(QPointF(0, 0), 1.15, Eyes::Up);
    unplace();
}

void Cat::hanging(QPointF grip, qreal scale) const
{
    place(grip, scale);
    QPainterPath spine(QPointF(28, 196));
    spine.cubicTo(50, 230, 80, 214, 84, 250);
    tail(spine, 17);
    const QPainterPath torso = Ink::ellipse(QPointF(0, 150), 46, 64);
    body(torso, Lay::Upright);
    limb(QPointF(-22, 196), QPointF(-28, 246), 20);
    limb(QPointF(22, 196), QPointF(28, 246), 20);
    for (const qreal side : {-1.0, 1.0})
        limb(QPointF(side * 38, 110), QPointF(side * 34, 8), 22);
    head(QPointF(0, 80), 0.9, Eyes::Open);
    for (const qreal side : {-1.0, 1.0})
        paw(QPointF(side * 34, 0), 1.0, false);
    unplace();
}
