#include "CatFaces.h"

#include "Canvas.h"
#include "Cat.h"
#include "Palette.h"
#include "Scenery.h"

#include <array>

namespace {

using Coat = Cat::Coat;
using Pattern = Cat::Pattern;

const QColor ginger(0xf0, 0x93, 0x3a);
const QColor gingerStripe(0xb8, 0x5a, 0x1c);
const QColor grey(0x9a, 0x9c, 0xa6);
const QColor greyStripe(0x5c, 0x5e, 0x6a);
const QColor black(0x34, 0x30, 0x3a);
const QColor& snow = Palette::white;
const QColor brown(0xa8, 0x7a, 0x52);
const QColor brownStripe(0x5e, 0x3f, 0x28);
const QColor cream(0xf3, 0xe2, 0xc4);
const QColor amber(0xf5, 0xb8, 0x2e);
const QColor blueEyes(0x5d, 0xb8, 0xf0);

void gingerTabbySitting(Canvas& c)
{
    Scenery::backdrop(c.ink(), c.size(), QColor(0x8c, 0xc8, 0xf0));
    Scenery::cloud(c.ink(), QPointF(70, 50), 1.1);
    Scenery::cloud(c.ink(), QPointF(300, 70), 0.8);
    Scenery::hill(c.ink(), c.size(), 180, 200, QColor(0x7c, 0xc4, 0x5c));
    Scenery::grass(c.ink(), 226, 20, 340, QColor(0x4f, 0x96, 0x38));
    Cat(c.ink(), Coat{ginger, gingerStripe, Pattern::Tabby}).sitting(QPointF(170, 228), 0.98);
}

void greyFaceCloseUp(Canvas& c)
{
    Scenery::backdrop(c.ink(), c.size(), QColor(0xfa, 0xd7, 0x4a));
    for (int i = 0; i < 6; ++i)
        c.ink().fill(Scenery::star(QPointF(30 + i * 60, i % 2 ? 26 : 214), 9), QColor(0xff, 0xf0, 0xa8));
    Cat(c.ink(), Coat{grey, greyStripe, Pattern::Tabby, amber}).head(QPointF(180, 140), 1.62);
}

void blackCatMoon(Canvas& c)
{
    Scenery::backdrop(c.ink(), c.size(), QColor(0x1e, 0x2a, 0x5c));
    Scenery::twinkles(c.ink(), c.size(), Palette::starlight, 6);
    Scenery::moon(c.ink(), QPointF(236, 96), 74);
    Scenery::hill(c.ink(), c.size(), 200, 206, QColor(0x12, 0x19, 0x3a));
    Coat coat{black, black};
    coat.silhouette = true;
    Cat(c.ink(), coat).sitting(QPointF(150, 222), 0.9, {.tailRight = false});
}

void tuxedoSitting(Canvas& c)
{
    Scenery::backdrop(c.ink(), c.size(), QColor(0xf2, 0x6b, 0x5b));
    for (int i = 0; i < 7; ++i)
        c.ink().fill(Scenery::heart(QPointF(24 + i * 52, i % 2 ? 40 : 70), 16), QColor(0xff, 0x9c, 0x8c));
    Scenery::ground(c.ink(), c.size(), 214, QColor(0xb8, 0x4a, 0x40));
    Coat coat{black, black, Pattern::Plain};
    coat.whiteFront = true;
    Cat(c.ink(), coat).sitting(QPointF(180, 224), 0.94, {.headTilt = -6});
}

void calicoAsleep(Canvas& c)
{
    Scenery::backdrop(c.ink(), c.size(), QColor(0xc9, 0xb6, 0xf0));
    c.ink().shape(Ink::ellipse(QPointF(180, 190), 170, 38), QColor(0x9d, 0x82, 0xd8), {}, 0.8);
    Coat coat{snow, ginger, Pattern::Patches, amber};
    coat.patches = QColor(0x3a, 0x30, 0x34);
    Cat(c.ink(), coat).curled(QPointF(180, 142), 1.0);
    Scenery::sleepy(c.ink(), QPointF(40, 64), 22, Qt::white);
}

void whiteCatYarn(Canvas& c)
{
    Scenery::backdrop(c.ink(), c.size(), QColor(0x1f, 0x8f, 0x8a));
    Scenery::ground(c.ink(), c.size(), 210, QColor(0x17, 0x6a, 0x66));
    const QColor red(0xe8, 0x3a, 0x4a);
    QPainterPath thread(QPointF(200, 214));
    thread.cubicTo(180, 236, 120, 226, 100, 232);
    thread.cubicTo(80, 236, 60, 222, 30, 230);
    c.ink().stroke(thread, Ink::outlineColour(), 6);
    c.ink().stroke(thread, red, 3);
    Cat(c.ink(), Coat{snow, snow, Pattern::Plain, blueEyes}).sitting(QPointF(132, 222), 0.92, {.tailRight = false});
    const QPointF ball(266, 178);
    c.ink().shape(Ink::circle(ball, 46), red, [&] {
        for (int i = -3; i <= 3; ++i) {
            QPainterPath strand(ball + QPointF(-50, i * 13));
            strand.quadTo(ball + QPointF(0, i * 13 - 26), ball + QPointF(50, i * 13));
            c.ink().stroke(strand, red.darker(135), 3);
        }
        QPainterPath cross(ball + QPointF(-20, -44));
        cross.quadTo(ball + QPointF(10, 0), ball + QPointF(-14, 46));
        c.ink().stroke(cross, red.lighter(130), 3);
    });
}

void tabbyInBox(Canvas& c)
{
    Scenery::backdrop(c.ink(), c.size(), QColor(0xf6, 0xa8, 0xcf));
    Scenery::ground(c.ink(), c.size(), 222, QColor(0xd4, 0x80, 0xaa));
    const QColor card(0xc8, 0x8e, 0x52);
    const QColor cardDark(0xa0, 0x6c, 0x3a);
    c.ink().shape(Ink::rounded({{82, 130}, {278, 130}, {300, 150}, {60, 150}}, 3), cardDark);
    const Cat cat(c.ink(), Coat{brown, brownStripe, Pattern::Tabby});
    cat.head(QPointF(180, 104), 1.08, Cat::Eyes::Open, 5);
    c.ink().shape(Ink::rounded({{70, 140}, {290, 140}, {280, 228}, {80, 228}}, 4), card, [&] {
        c.ink().fill(Ink::rounded({{150, 140}, {210, 140}, {210, 166}, {150, 166}}, 2), QColor(0xe8, 0xc9, 0x8a));
    });
    c.ink().shape(Ink::rounded({{70, 140}, {30, 178}, {48, 186}, {82, 150}}, 3), cardDark);
    c.ink().shape(Ink::rounded({{290, 140}, {330, 178}, {312, 186}, {278, 150}}, 3), cardDark);
    cat.paw(QPointF(142, 146), 1.1, false);
    cat.paw(QPointF(218, 146), 1.1, false);
}

void siameseCushion(Canvas& c)
{
    Scenery::backdrop(c.ink(), c.size(), QColor(0x9e, 0xe6, 0xb8));
    const QColor plum(0x9c, 0x2c, 0x6a);
    const QPainterPath cushion = Ink::rounded({{70, 188}, {290, 188}, {306, 232}, {54, 232}}, 18);
    c.ink().shape(cushion, plum, [&] {
        for (const qreal x : {110.0, 180.0, 250.0})
            c.ink().fill(Ink::circle(QPointF(x, 212), 5), QColor(0xf3, 0xc2, 0x4a));
    });
    for (const QPointF tassel : {QPointF(58, 230), QPointF(302, 230)})
        c.ink().shape(Ink::rounded({tassel, tassel + QPointF(-8, 10), tassel + QPointF(8, 10)}, 2),
                      QColor(0xf3, 0xc2, 0x4a), {}, 0.6);
    Coat coat{cream, QColor(0x5a, 0x40, 0x36), Pattern::Points, blueEyes};
    Cat(c.ink(), coat).sitting(QPointF(180, 204), 0.86);
}

void spottedWalking(Canvas& c)
{
    Scenery::backdrop(c.ink(), c.size(), QColor(0x7e, 0x4c, 0xb0));
    for (int i = 0; i < 8; ++i)
        c.ink().fill(Ink::circle(QPointF(20 + i * 46, 34 + (i % 3) * 14), 4), QColor(0xb2, 0x8c, 0xd8));
    Scenery::ground(c.ink(), c.size(), 212, QColor(0x5a, 0x32, 0x84));
    const Coat coat{QColor(0xe6, 0xbb, 0x6c), QColor(0x6a, 0x40, 0x22), Pattern::Spots};
    Cat(c.ink(), coat).walking(QPointF(178, 220), 0.95);
}

void kittenButterfly(Canvas& c)
{
    Scenery::backdrop(c.ink(), c.size(), QColor(0xa4, 0xd8, 0x3c));
    Scenery::flower(c.ink(), QPointF(34, 200), 20, QColor(0xff, 0xf4, 0xf4), QColor(0xf5, 0xc0, 0x2a));
    Scenery::flower(c.ink(), QPointF(326, 196), 20, QColor(0xff, 0xf4, 0xf4), QColor(0xf5, 0xc0, 0x2a));
    Scenery::butterfly(c.ink(), QPointF(180, 36), 1.2, QColor(0x4a, 0x9c, 0xf2), QColor(0xff, 0xe0, 0x60));
    Cat(c.ink(), Coat{ginger, gingerStripe, Pattern::Plain}).reaching(QPointF(180, 150), 0.78);
}

void greyLying(Canvas& c)
{
    Scenery::backdrop(c.ink(), c.size(), QColor(0xf5, 0x98, 0x3c));
    Scenery::sun(c.ink(), QPointF(56, 50), 24);
    const QPainterPath rug = Ink::rounded({{20, 196}, {340, 196}, {352, 232}, {8, 232}}, 10);
    c.ink().shape(rug, QColor(0x3d, 0x8c, 0xc4), [&] {
        for (const qreal y : {206.0, 222.0})
            c.ink().line(QPointF(0, y), QPointF(360, y), QColor(0xf6, 0xe0, 0x9a), 4);
    });
    Cat(c.ink(), Coat{QColor(0x7d, 0x86, 0x96), QColor(0x4a, 0x50, 0x5e), Pattern::Tabby, amber})
        .lying(QPointF(196, 212), 0.92);
}

void patchedInWindow(Canvas& c)
{
    Scenery::backdrop(c.ink(), c.size(), QColor(0xd6, 0xee, 0xf4));
    const QRectF pane(92, 22, 176, 176);
    QPainterPath glass;
    glass.addRect(pane);
    c.ink().shape(glass, QColor(0x23, 0x3a, 0x7a), [&] {
        Scenery::moon(c.ink(), QPointF(222, 64), 22);
        c.ink().fill(Scenery::star(QPointF(122, 50), 6), Palette::starlight);
        c.ink().fill(Scenery::star(QPointF(160, 84), 4), Palette::starlight);
    });
    Coat coat{snow, black, Pattern::Patches, QColor(0x9c, 0xd1, 0x4b)};
    coat.patches = black;
    Cat(c.ink(), coat).sitting(QPointF(180, 204), 0.74, {.headTilt = 4});
    c.ink().shape(Ink::rounded({{84, 200}, {276, 200}, {284, 218}, {76, 218}}, 3), QColor(0xf4, 0xf0, 0xe6));
    const QColor curtain(0xe8, 0x52, 0x6a);
    QPainterPath left(QPointF(70, 12));
    left.lineTo(120, 12);
    left.cubicTo(102, 80, 96, 120, 120, 190);
    left.lineTo(70, 196);
    left.closeSubpath();
    c.ink().shape(left, curtain, [&] {
        c.ink().line(QPointF(86, 14), QPointF(84, 196), curtain.darker(125), 4);
    });
    c.ink().shape(Ink::mirrored(left).translated(360, 0), curtain, [&] {
        c.ink().line(QPointF(274, 14), QPointF(276, 196), curtain.darker(125), 4);
    });
    c.ink().shape(Ink::rounded({{56, 4}, {304, 4}, {304, 16}, {56, 16}}, 4), Palette::bark);
}

void kittenTeacup(Canvas& c)
{
    Scenery::backdrop(c.ink(), c.size(), QColor(0xc8, 0x3c, 0x8c));
    c.ink().shape(Ink::ellipse(QPointF(180, 222), 120, 16), QColor(0xf4, 0xf4, 0xfb), {}, 0.8);
    const QColor china(0x8f, 0xd4, 0xf0);
    QPainterPath handle(QPointF(268, 150));
    handle.cubicTo(318, 140, 318, 200, 256, 200);
    c.ink().shape(Ink::tube(handle, 14), china);
    c.ink().shape(Ink::ellipse(QPointF(180, 138), 92, 18), QColor(0x6a, 0x4a, 0x36), {}, 0.8);
    const Cat cat(c.ink(), Coat{cream, QColor(0xd8, 0xb8, 0x8c), Pattern::Plain, blueEyes});
    cat.head(QPointF(180, 96), 1.0, Cat::Eyes::Open, -6);
    QPainterPath cup(QPointF(86, 138));
    cup.quadTo(180, 158, 274, 138);
    cup.cubicTo(270, 190, 230, 216, 180, 216);
    cup.cubicTo(130, 216, 90, 190, 86, 138);
    cup.closeSubpath();
    c.ink().shape(cup, china, [&] {
        for (int i = 0; i < 6; ++i)
            c.ink().fill(Scenery::heart(QPointF(112 + i * 27, 178 + (i % 2) * 16), 14), QColor(0xf4, 0x6c, 0xa8));
    });
    cat.paw(QPointF(146, 146), 1.0, false);
    cat.paw(QPointF(214, 146), 1.0, false);
}

void gingerRolling(Canvas& c)
{
    Scenery::backdrop(c.ink(), c.size(), QColor(0xf6, 0xe4, 0xb4));
    Scenery::ground(c.ink(), c.size(), 210, QColor(0xd8, 0xb8, 0x74));
    Scenery::flower(c.ink(), QPointF(40, 40), 16, QColor(0xf2, 0x7a, 0x4a), QColor(0xff, 0xe0, 0x60));
    Scenery::flower(c.ink(), QPointF(320, 40), 16, QColor(0xf2, 0x7a, 0x4a), QColor(0xff, 0xe0, 0x60));
    Coat coat{QColor(0xe8, 0x82, 0x2c), gingerStripe, Pattern::Tabby};
    coat.whiteFront = true;
    Cat(c.ink(), coat).rolling(QPointF(190, 212), 0.95);
}

void twoKittens(Canvas& c)
{
    Scenery::backdrop(c.ink(), c.size(), QColor(0x8a, 0x1e, 0x3c));
    Scenery::ground(c.ink(), c.size(), 212, QColor(0x64, 0x12, 0x2a));
    c.ink().shape(Scenery::heart(QPointF(180, 54), 58), QColor(0xff, 0x5c, 0x7c));
    c.ink().glint(QPointF(166, 44), 6);
    Cat(c.ink(), Coat{black, black, Pattern::Plain, amber}).sitting(QPointF(102, 222), 0.72, {.tailRight = false, .headTilt = 10});
    Cat(c.ink(), Coat{snow, snow, Pattern::Plain, blueEyes}).sitting(QPointF(258, 222), 0.72, {.headTilt = -10});
}

void tabbyHanging(Canvas& c)
{
    Scenery::backdrop(c.ink(), c.size(), QColor(0x5c, 0x8c, 0xe8));
    Scenery::cloud(c.ink(), QPointF(62, 140), 1.0);
    Scenery::cloud(c.ink(), QPointF(300, 190), 1.2);
    Scenery::branch(c.ink(), QPointF(-10, 36), QPointF(372, 28), 18, Palette::bark, Palette::leaf);
    Cat(c.ink(), Coat{QColor(0xc4, 0xc6, 0xcc), greyStripe, Pattern::Tabby}).hanging(QPointF(180, 34), 0.82);
}

void fishBowl(Canvas& c)
{
    Scenery::backdrop(c.ink(), c.size(), QColor(0x2e, 0x6e, 0x3a));
    Scenery::ground(c.ink(), c.size(), 214, QColor(0x8a, 0x5c, 0x3a));
    Cat(c.ink(), Coat{ginger, gingerStripe, Pattern::Tabby}).fromBehind(QPointF(120, 222), 0.9);
    const QPointF bowl(262, 152);
    QPainterPath glass = Ink::circle(bowl, 64);
    QPainterPath rim;
    rim.addRect(QRectF(bowl.x() - 40, bowl.y() - 80, 80, 30));
    glass = glass.subtracted(rim);
    c.ink().shape(glass, QColor(0xc8, 0xec, 0xfa), [&] {
        QPainterPath sea;
        sea.addRect(QRectF(bowl.x() - 70, bowl.y() - 24, 140, 100));
        c.ink().fill(sea, QColor(0x6c, 0xc4, 0xee));
        const QPointF fish = bowl + QPointF(-6, 16);
        const QColor orange(0xff, 0x8c, 0x1a);
        c.ink().shape(Ink::rounded({fish + QPointF(18, 0), fish + QPointF(36, -14), fish + QPointF(36, 14)}, 3), orange, {}, 0.5);
        c.ink().shape(Ink::ellipse(fish, 22, 14), orange, {}, 0.5);
        c.ink().fill(Ink::circle(fish + QPointF(-11, -3), 3), Ink::outlineColour());
        c.ink().fill(Ink::circle(bowl + QPointF(-30, -10), 4), Qt::white);
        c.ink().fill(Ink::circle(bowl + QPointF(-24, -34), 3), Qt::white);
        QPainterPath shine(bowl + QPointF(36, -30));
        shine.quadTo(bowl + QPointF(52, -4), bowl + QPointF(46, 22));
        c.ink().stroke(shine, QColor(255, 255, 255, 200), 6);
    });
}

void luckyCat(Canvas& c)
{
    Scenery::backdrop(c.ink(), c.size(), QColor(0x2a, 0x4c, 0x96));
    for (int i = 0; i < 6; ++i) {
        const QPointF coin(30 + i * 60, i % 2 ? 36 : 200);
        c.ink().shape(Ink::circle(coin, 12), Palette::gold, [&] {
            c.ink().fill(Ink::rounded({coin + QPointF(-4, -4), coin + QPointF(4, -4), coin + QPointF(4, 4), coin + QPointF(-4, 4)}, 1), QColor(0xc9, 0x96, 0x1e));
        }, 0.5);
    }
    Coat coat{snow, ginger, Pattern::Patches, amber};
    coat.patches = black;
    Cat::Sitting pose;
    pose.tailRight = false;
    pose.pawRaised = true;
    pose.collar = QColor(0xe8, 0x2a, 0x3a);
    Cat(c.ink(), coat).sitting(QPointF(170, 226), 0.95, pose);
}

using Painter = void (*)(Canvas&);
constexpr std::array<Painter, CatFaces::count> scenes = {
    gingerTabbySitting, greyFaceCloseUp, blackCatMoon, tuxedoSitting, calicoAsleep, whiteCatYarn,
    tabbyInBox, siameseCushion, spottedWalking, kittenButterfly, greyLying, patchedInWindow,
    kittenTeacup, gingerRolling, twoKittens, tabbyHanging, fishBowl, luckyCat,
};

} // namespace

QImage CatFaces::face(int index)
{
    Canvas canvas(Canvas::cardSize);
    scenes.at(static_cast<std::size_t>(index))(canvas);
    return canvas.finish();
}
