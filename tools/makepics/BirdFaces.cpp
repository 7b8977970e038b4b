#include "BirdFaces.h"

#include "Bird.h"
#include "Canvas.h"
#include "Palette.h"
#include "Scenery.h"

#include <array>

namespace {

const QColor& bark = Palette::bark;
const QColor& leafGreen = Palette::leaf;
const QColor& beakYellow = Palette::yellow;
const QColor& beakOrange = Palette::orange;
const QColor& featherWhite = Palette::white;
const QColor featherBlack(0x2c, 0x2e, 0x3a);
const QColor legGrey(0x7a, 0x76, 0x80);

void owl(Canvas& c)
{
    const Ink& ink = c.ink();
    Scenery::backdrop(ink, c.size(), QColor(0x2b, 0x2d, 0x6e));
    Scenery::twinkles(ink, c.size(), Palette::starlight, 6);
    Scenery::moon(ink, QPointF(306, 52), 30);
    Scenery::branch(ink, QPointF(-10, 214), QPointF(372, 204), 20, bark, leafGreen);
    const QColor brown(0xa8, 0x74, 0x4a);
    ink.shape(Bird::tilted(QPointF(122, 146), 26, 58, 12), brown.darker(125));
    ink.shape(Bird::tilted(QPointF(238, 146), 26, 58, -12), brown.darker(125));
    QPainterPath owlBody = Ink::ellipse(QPointF(180, 134), 66, 78);
    owlBody = owlBody.united(Ink::rounded({{122, 86}, {124, 34}, {160, 64}}, 5));
    owlBody = owlBody.united(Ink::rounded({{238, 86}, {236, 34}, {200, 64}}, 5));
    ink.shape(owlBody, brown, [&] {
        const QPainterPath belly = Ink::ellipse(QPointF(180, 170), 44, 48);
        ink.fill(belly, QColor(0xf0, 0xdc, 0xb4));
        c.painter().save();
        c.painter().setClipPath(belly, Qt::IntersectClip);
        Bird::scallops(ink, QRectF(130, 128, 100, 100), brown, 9);
        c.painter().restore();
    });
    const QPainterPath disc = Ink::circle(QPointF(152, 102), 31).united(Ink::circle(QPointF(208, 102), 31));
    ink.shape(disc, QColor(0xf6, 0xe6, 0xc6), {}, 0.7);
    for (const qreal x : {152.0, 208.0}) {
        ink.shape(Ink::circle(QPointF(x, 102), 21), QColor(0xf6, 0xa2, 0x1e), {}, 0.6);
        ink.fill(Ink::circle(QPointF(x, 102), 12), featherBlack);
        ink.glint(QPointF(x + 5, 96), 4.5);
    }
    ink.shape(Ink::rounded({{169, 124}, {191, 124}, {180, 146}}, 3), beakYellow, {}, 0.6);
    for (const qreal x : {160.0, 200.0}) {
        for (const qreal dx : {-8.0, 0.0, 8.0})
            ink.shape(Ink::ellipse(QPointF(x + dx, 208), 5, 8), beakOrange, {}, 0.5);
    }
}

void macaw(Canvas& c)
{
    const Ink& ink = c.ink();
    Scenery::backdrop(ink, c.size(), QColor(0x3f, 0xa3, 0x4d));
    for (const QPointF at : {QPointF(20, 30), QPointF(330, 20), QPointF(350, 120)})
        Scenery::leaf(ink, at, at + QPointF(at.x() < 180 ? 50 : -50, 40), QColor(0x8a, 0xd8, 0x5c));
    const QColor red(0xe8, 0x32, 0x2c);
    const QColor blue(0x2f, 0x7f, 0xe0);
    ink.shape(Ink::rounded({{214, 150}, {246, 152}, {352, 244}, {326, 252}}, 6), blue);
    ink.shape(Ink::rounded({{196, 150}, {232, 150}, {316, 252}, {286, 254}}, 6), red);
    Scenery::branch(ink, QPointF(30, 196), QPointF(340, 182), 16, bark, leafGreen);
    QPainterPath body = Ink::circle(QPointF(150, 74), 36);
    body = body.united(Bird::tilted(QPointF(196, 128), 40, 62, -32));
    ink.shape(body, red);
    QPainterPath wingPath = Bird::teardrop(QPointF(196, 112), 30, QPointF(272, 202));
    ink.shape(wingPath, blue, [&] {
        ink.fill(Ink::ellipse(QPointF(190, 108), 40, 32), QColor(0xff, 0xd2, 0x3a));
        ink.fill(Ink::ellipse(QPointF(214, 140), 24, 18), QColor(0x3c, 0xb8, 0x5a));
        for (int k = 0; k < 3; ++k)
            ink.line(QPointF(222 + k * 8, 150 - k * 4), QPointF(256 + k * 4, 196 - k * 6), blue.darker(140), 3);
    });
    ink.shape(Ink::ellipse(QPointF(140, 72), 17, 14), featherWhite, [&] {
        for (int k = 0; k < 3; ++k)
            ink.line(QPointF(128, 76 + k * 4), QPointF(138, 78 + k * 4), QColor(0x9a, 0x8a, 0x8a), 1.4);
    }, 0.6);
    Bird::eye(ink, QPointF(142, 68), 7, QPointF(-0.6, 0), QColor(0xff, 0xe0, 0x70));
    QPainterPath upper(QPointF(128, 54));
    upper.cubicTo(100, 48, 86, 72, 98, 98);
    upper.quadTo(104, 84, 114, 82);
    upper.lineTo(128, 86);
    upper.closeSubpath();
    QPainterPath lower(QPointF(112, 84));
    lower.quadTo(106, 98, 118, 104);
    lower.quadTo(132, 100, 132, 88);
    lower.closeSubpath();
    ink.shape(lower, QColor(0x33, 0x30, 0x34), {}, 0.7);
    ink.shape(upper, QColor(0xf4, 0xee, 0xe2), {}, 0.8);
    for (const qreal x : {178.0, 204.0})
        ink.shape(Ink::ellipse(QPointF(x, 188), 8, 6), legGrey, {}, 0.6);
}

void penguin(Canvas& c)
{
    const Ink& ink = c.ink();
    Scenery::backdrop(ink, c.size(), QColor(0xd6, 0xee, 0xfc));
    const QColor ice(0xf4, 0xfb, 0xff);
    ink.shape(Ink::rounded({{-10, 200}, {40, 110}, {80, 150}, {110, 200}}, 8), QColor(0xb4, 0xdc, 0xf4), {}, 0.7);
    ink.shape(Ink::rounded({{250, 200}, {300, 90}, {330, 130}, {372, 200}}, 8), QColor(0xb4, 0xdc, 0xf4), {}, 0.7);
    for (int i = 0; i < 10; ++i)
        ink.fill(Ink::circle(QPointF(18 + i * 37, 20 + (i * 47) % 70), 4), Qt::white);
    ink.shape(Ink::ellipse(QPointF(180, 226), 200, 30), ice, {}, 0.8);
    for (const qreal side : {-1.0, 1.0})
        ink.shape(Bird::tilted(QPointF(180 + side * 64, 140), 16, 50, -side * 24), featherBlack);
    for (const qreal x : {154.0, 206.0})
        ink.shape(Ink::ellipse(QPointF(x, 222), 22, 9), beakOrange, {}, 0.8);
    ink.shape(Ink::ellipse(QPointF(180, 132), 64, 90), featherBlack, [&] {
        QPainterPath white = Ink::ellipse(QPointF(180, 158), 46, 66);
        white = white.united(Ink::circle(QPointF(160, 84), 24)).united(Ink::circle(QPointF(200, 84), 24));
        ink.fill(white, featherWhite);
    });
    for (const qreal x : {162.0, 198.0}) {
        ink.fill(Ink::circle(QPointF(x, 84), 7.5), featherBlack);
        ink.glint(QPointF(x + 2.5, 81), 2.6);
        ink.fill(Ink::ellipse(QPointF(x + (x < 180 ? -10 : 10), 98), 7, 4), Palette::blush);
    }
    ink.shape(Ink::rounded({{169, 96}, {191, 96}, {180, 112}}, 3), beakOrange, {}, 0.6);
    const QColor scarf(0xe4, 0x3a, 0x3a);
    ink.shape(Ink::rounded({{204, 124}, {222, 120}, {236, 172}, {216, 176}}, 4), scarf, [&] {
        ink.line(QPointF(206, 150), QPointF(232, 146), Qt::white, 4);
    });
    QPainterPath band(QPointF(128, 116));
    band.quadTo(180, 138, 232, 116);
    ink.shape(Ink::tube(band, 16), scarf, [&] {
        for (const qreal x : {150.0, 180.0, 210.0})
            ink.line(QPointF(x, 110), QPointF(x + 4, 136), Qt::white, 4);
    });
}

void flamingo(Canvas& c)
{
    const Ink& ink = c.ink();
    Scenery::backdrop(ink, c.size(), QColor(0x27, 0xb5, 0xa8));
    Scenery::sun(ink, QPointF(306, 50), 22);
    const QColor pink(0xf8, 0x7a, 0xa8);
    const QColor legPink(0xe0, 0x5a, 0x88);
    QPainterPath bent(QPointF(222, 128));
    bent.lineTo(256, 164);
    bent.lineTo(222, 174);
    ink.stroke(bent, Ink::outlineColour(), 11);
    ink.stroke(bent, legPink, 6);
    ink.line(QPointF(212, 128), QPointF(208, 226), Ink::outlineColour(), 11);
    ink.line(QPointF(212, 128), QPointF(208, 226), legPink, 6);
    QPainterPath neck(QPointF(178, 104));
    neck.cubicTo(140, 110, 118, 80, 140, 62);
    neck.cubicTo(160, 46, 156, 28, 130, 32);
    ink.shape(Ink::tube(neck, 15), pink);
    QPainterPath body = Bird::tilted(QPointF(226, 108), 60, 34, -10);
    body = body.united(Ink::rounded({{270, 96}, {306, 118}, {276, 124}}, 4));
    ink.shape(body, pink, [&] {
        ink.fill(Bird::tilted(QPointF(238, 100), 40, 20, -10), pink.lighter(115));
        for (int k = 0; k < 3; ++k)
            ink.line(QPointF(226 + k * 12, 96 + k * 3), QPointF(262 + k * 8, 104 + k * 4), legPink, 3);
    });
    ink.shape(Ink::circle(QPointF(126, 34), 15), pink);
    const QPainterPath beak = Ink::rounded({{114, 26}, {94, 36}, {96, 58}, {106, 46}, {116, 42}}, 4);
    ink.shape(beak, QColor(0xfb, 0xe4, 0xec), [&] {
        QPainterPath tip;
        tip.addRect(QRectF(88, 40, 20, 22));
        ink.fill(tip, featherBlack);
    }, 0.7);
    Bird::eye(ink, QPointF(124, 30), 5, QPointF(-0.6, 0));
    Scenery::water(ink, c.size(), 206, QColor(0x64, 0xd8, 0xe0));
}

void duck(Canvas& c)
{
    const Ink& ink = c.ink();
    Scenery::backdrop(ink, c.size(), QColor(0xf9, 0xb8, 0xa0));
    Scenery::cloud(ink, QPointF(300, 46), 1.0);
    const QColor yellow(0xff, 0xd8, 0x3a);
    QPainterPath body = Ink::ellipse(QPointF(196, 152), 84, 44);
    body = body.united(Ink::rounded({{246, 132}, {296, 96}, {284, 152}}, 8));
    ink.shape(body, yellow);
    QPainterPath wingPath(QPointF(170, 140));
    wingPath.cubicTo(196, 116, 250, 122, 262, 150);
    wingPath.cubicTo(230, 164, 196, 166, 170, 140);
    ink.shape(wingPath, QColor(0xf5, 0xbc, 0x2a), {}, 0.7);
    ink.shape(Ink::circle(QPointF(132, 92), 42), yellow);
    QPainterPath bill(QPointF(100, 92));
    bill.quadTo(62, 84, 52, 102);
    bill.quadTo(62, 118, 102, 110);
    bill.closeSubpath();
    ink.shape(bill, beakOrange, [&] { ink.line(QPointF(58, 102), QPointF(96, 102), beakOrange.darker(140), 2.4); });
    Bird::eye(ink, QPointF(128, 80), 9, QPointF(-0.5, 0));
    ink.fill(Ink::ellipse(QPointF(144, 104), 9, 5), Palette::blush);
    QPainterPath curl(QPointF(130, 52));
    curl.quadTo(126, 36, 140, 34);
    ink.stroke(curl, Ink::outlineColour(), 4);
    Scenery::water(ink, c.size(), 170, QColor(0x4c, 0xb0, 0xe8));
    for (const QPointF bubble : {QPointF(60, 150), QPointF(44, 128), QPointF(318, 160)})
        ink.shape(Ink::circle(bubble, 6), QColor(0xe8, 0xf8, 0xff), {}, 0.4);
}

void robin(Canvas& c)
{
    const Ink& ink = c.ink();
    Scenery::backdrop(ink, c.size(), QColor(0xf8, 0xf0, 0xa0));
    const QColor brown(0x8a, 0x68, 0x48);
    ink.shape(Ink::rounded({{222, 146}, {306, 178}, {296, 200}, {214, 172}}, 8), brown.darker(115));
    Scenery::branch(ink, QPointF(-10, 204), QPointF(372, 192), 16, bark, leafGreen);
    for (const QPointF berry : {QPointF(60, 214), QPointF(72, 222), QPointF(300, 206), QPointF(312, 214)})
        ink.shape(Ink::circle(berry, 7), QColor(0xe0, 0x22, 0x32), {}, 0.5);
    Bird::leg(ink, QPointF(160, 176), QPointF(156, 196), QColor(0xc8, 0x8a, 0x5a), -1);
    Bird::leg(ink, QPointF(190, 178), QPointF(190, 194), QColor(0xc8, 0x8a, 0x5a), -1);
    QPainterPath body = Ink::circle(QPointF(184, 128), 60).united(Ink::circle(QPointF(136, 86), 40));
    ink.shape(body, brown, [&] {
        ink.fill(Ink::ellipse(QPointF(146, 130), 48, 52), QColor(0xf2, 0x60, 0x36));
        ink.fill(Ink::ellipse(QPointF(186, 180), 46, 18), QColor(0xf6, 0xec, 0xd8));
    });
    Bird::wing(ink, QPointF(190, 104), 46, QPointF(262, 170), brown.darker(112));
    Bird::eye(ink, QPointF(124, 76), 8, QPointF(-0.5, 0));
    Bird::beak(ink, QPointF(102, 78), QPointF(102, 92), QPointF(80, 86), QColor(0x4a, 0x3a, 0x30));
}

void toucan(Canvas& c)
{
    const Ink& ink = c.ink();
    Scenery::backdrop(ink, c.size(), QColor(0xe0, 0x50, 0x8c));
    for (const QPointF at : {QPointF(30, 220), QPointF(340, 40)})
        Scenery::flower(ink, at, 22, QColor(0xff, 0xd8, 0xea), Palette::yellow);
    ink.shape(Ink::rounded({{220, 170}, {248, 170}, {262, 246}, {234, 246}}, 6), featherBlack);
    Scenery::branch(ink, QPointF(120, 204), QPointF(372, 190), 16, bark, leafGreen);
    QPainterPath body = Bird::tilted(QPointF(226, 130), 44, 70, 12).united(Ink::circle(QPointF(208, 74), 36));
    ink.shape(body, featherBlack, [&] {
        ink.fill(Ink::ellipse(QPointF(186, 112), 28, 34), QColor(0xff, 0xf0, 0xa0));
        ink.fill(Ink::ellipse(QPointF(204, 164), 30, 10), QColor(0xe8, 0x2c, 0x2c));
    });
    Bird::wing(ink, QPointF(238, 104), 40, QPointF(254, 190), QColor(0x3a, 0x3c, 0x4a));
    ink.shape(Ink::circle(QPointF(208, 64), 13), QColor(0x4a, 0xb0, 0xf0), {}, 0.6);
    ink.fill(Ink::circle(QPointF(207, 64), 6.5), featherBlack);
    ink.glint(QPointF(209.5, 61.5), 2.4);
    QPainterPath bill(QPointF(188, 50));
    bill.cubicTo(150, 28, 84, 38, 56, 78);
    bill.cubicTo(96, 86, 150, 92, 190, 96);
    bill.closeSubpath();
    ink.shape(bill, QColor(0xff, 0xa8, 0x1e), [&] {
        ink.fill(Ink::ellipse(QPointF(120, 40), 80, 14), QColor(0x8a, 0xd0, 0x3a));
        ink.fill(Ink::ellipse(QPointF(58, 78), 24, 20), QColor(0xe8, 0x2c, 0x2c));
        ink.line(QPointF(64, 78), QPointF(186, 78), QColor(0xc0, 0x5a, 0x10), 2.5);
    });
    for (const qreal x : {212.0, 236.0})
        ink.shape(Ink::ellipse(QPointF(x, 196), 8, 6), QColor(0x6a, 0x8c, 0xc8), {}, 0.6);
}

void swan(Canvas& c)
{
    const Ink& ink = c.ink();
    Scenery::backdrop(ink, c.size(), QColor(0x12, 0x4a, 0x52));
    Scenery::twinkles(ink, c.size(), QColor(0xdf, 0xf8, 0xf0), 5);
    QPainterPath neck(QPointF(136, 168));
    neck.cubicTo(100, 150, 108, 112, 128, 92);
    neck.cubicTo(150, 68, 142, 44, 120, 46);
    ink.shape(Ink::tube(neck, 19), featherWhite);
    ink.shape(Ink::ellipse(QPointF(204, 170), 92, 36), featherWhite);
    QPainterPath raised(QPointF(140, 168));
    raised.cubicTo(150, 120, 250, 100, 310, 92);
    raised.cubicTo(304, 130, 290, 172, 250, 180);
    raised.closeSubpath();
    ink.shape(raised, QColor(0xf0, 0xf0, 0xec), [&] {
        for (int k = 0; k < 4; ++k) {
            QPainterPath feather(QPointF(186 + k * 22, 158 - k * 6));
            feather.quadTo(210 + k * 22, 130 - k * 6, 236 + k * 18, 116 - k * 2);
            ink.stroke(feather, QColor(0xc8, 0xcc, 0xd4), 3);
        }
    }, 0.9);
    ink.shape(Ink::circle(QPointF(116, 50), 17), featherWhite);
    ink.shape(Ink::rounded({{104, 44}, {74, 56}, {104, 60}}, 3), beakOrange, {}, 0.7);
    ink.fill(Ink::ellipse(QPointF(106, 50), 6, 8), featherBlack);
    ink.fill(Ink::circle(QPointF(118, 46), 3.5), featherBlack);
    Scenery::water(ink, c.size(), 182, QColor(0x1f, 0x6f, 0x8f));
}

void peacock(Canvas& c)
{
    const Ink& ink = c.ink();
    Scenery::backdrop(ink, c.size(), QColor(0xe9, 0xa9, 0x2a));
    const QPointF root(180, 176);
    QPainterPath fan;
    fan.moveTo(root);
    fan.arcTo(QRectF(root.x() - 172, root.y() - 164, 344, 328), 0, 180);
    fan.closeSubpath();
    const QColor green(0x2f, 0x8f, 0x4f);
    ink.shape(fan, green, [&] {
        for (int ring = 0; ring < 3; ++ring) {
            const qreal radius = 150 - ring * 42;
            const int feathers = 11 - ring * 2;
            for (int i = 0; i < feathers; ++i) {
                const qreal a = (180.0 / feathers) * (i + 0.5);
                QLineF ray(root, root + QPointF(radius, 0));
                ray.setAngle(a);
                ink.line(root, ray.p2(), green.lighter(125), 3);
                const QPointF at = ray.p2();
                ink.fill(Ink::ellipse(at, 16 - ring * 2, 18 - ring * 2), QColor(0x3c, 0xc0, 0x6a));
                ink.fill(Ink::ellipse(at, 11 - ring * 1.5, 13 - ring * 1.5), QColor(0xf2, 0xc8, 0x3a));
                ink.fill(Ink::ellipse(at, 8 - ring, 9.5 - ring), QColor(0x2a, 0xb3, 0xc4));
                ink.fill(Ink::ellipse(at, 4.5, 5.5), QColor(0x1a, 0x2a, 0x8a));
            }
        }
    });
    Scenery::ground(ink, c.size(), 212, QColor(0xb8, 0x80, 0x1c));
    const QColor blue(0x1f, 0x5f, 0xd0);
    Bird::leg(ink, QPointF(170, 200), QPointF(168, 222), legGrey, -1);
    Bird::leg(ink, QPointF(190, 200), QPointF(192, 222), legGrey, -1);
    QPainterPath neck(QPointF(180, 160));
    neck.cubicTo(188, 130, 168, 110, 176, 92);
    ink.shape(Bird::teardrop(QPointF(180, 172), 32, QPointF(180, 120)).united(Ink::tube(neck, 24)), blue, [&] {
        ink.fill(Ink::ellipse(QPointF(180, 190), 26, 14), QColor(0x2a, 0x6a, 0x3a));
    });
    ink.shape(Ink::circle(QPointF(176, 86), 18), blue);
    for (const qreal dx : {-10.0, 0.0, 10.0}) {
        ink.line(QPointF(176, 70), QPointF(176 + dx, 48), featherBlack, 2.2);
        ink.shape(Ink::circle(QPointF(176 + dx, 46), 4.5), blue, {}, 0.4);
    }
    ink.fill(Ink::ellipse(QPointF(170, 84), 8, 5), featherWhite);
    ink.fill(Ink::circle(QPointF(168, 84), 3.5), featherBlack);
    ink.shape(Ink::rounded({{162, 88}, {148, 94}, {162, 98}}, 2), QColor(0xd8, 0xc8, 0xa0), {}, 0.6);
}

void chick(Canvas& c)
{
    const Ink& ink = c.ink();
    Scenery::backdrop(ink, c.size(), QColor(0xb6, 0xe6, 0x8a));
    Scenery::ground(ink, c.size(), 206, QColor(0x7c, 0xc8, 0x50));
    Scenery::grass(ink, 206, 20, 340, QColor(0x4a, 0x96, 0x30));
    Scenery::flower(ink, QPointF(40, 190), 16, Qt::white, Palette::yellow);
    Scenery::flower(ink, QPointF(324, 186), 16, Qt::white, Palette::yellow);
    const QColor yellow(0xff, 0xe0, 0x4a);
    const QColor shell(0xfb, 0xf4, 0xe2);
    ink.shape(Bird::tilted(QPointF(124, 132), 14, 24, 40), yellow);
    ink.shape(Bird::tilted(QPointF(236, 132), 14, 24, -40), yellow);
    ink.shape(Ink::circle(QPointF(180, 128), 54), yellow);
    QList<QPointF> zigzag{{110, 150}};
    for (int i = 0; i < 8; ++i)
        zigzag.append(QPointF(118 + i * 16, i % 2 ? 150 : 136));
    zigzag.append({{254, 150}, {260, 240}, {100, 240}});
    QPainterPath teeth;
    teeth.addPolygon(QPolygonF(zigzag));
    teeth.closeSubpath();
    const QPainterPath lower = Ink::ellipse(QPointF(180, 168), 66, 58).intersected(teeth);
    ink.shape(lower, shell, [&] {
        for (const QPointF speck : {QPointF(150, 180), QPointF(200, 196), QPointF(220, 166), QPointF(166, 206)})
            ink.fill(Ink::ellipse(speck, 5, 3.5), QColor(0xe0, 0xcc, 0xa8));
    });
    for (const qreal x : {162.0, 198.0}) {
        ink.fill(Ink::circle(QPointF(x, 116), 7.5), featherBlack);
        ink.glint(QPointF(x + 2.5, 113), 2.6);
        ink.fill(Ink::ellipse(QPointF(x + (x < 180 ? -12 : 12), 130), 7, 4.5), Palette::blush);
    }
    ink.shape(Ink::rounded({{170, 124}, {190, 124}, {180, 140}}, 3), beakOrange, {}, 0.6);
    QList<QPointF> capEdge{{132, 86}};
    for (int i = 0; i < 6; ++i)
        capEdge.append(QPointF(140 + i * 16, i % 2 ? 86 : 74));
    capEdge.append({{236, 86}, {236, 20}, {132, 20}});
    QPainterPath capTeeth;
    capTeeth.addPolygon(QPolygonF(capEdge));
    capTeeth.closeSubpath();
    const QPainterPath cap = Ink::ellipse(QPointF(184, 90), 50, 40).subtracted(teeth).intersected(capTeeth);
    ink.shape(Ink::turned(cap, QPointF(184, 80), -14), shell);
}

void crow(Canvas& c)
{
    const Ink& ink = c.ink();
    Scenery::backdrop(ink, c.size(), QColor(0xe2, 0xd4, 0xf4));
    ink.shape(Ink::rounded({{120, 178}, {250, 178}, {246, 248}, {124, 248}}, 6), bark, [&] {
        for (const qreal y : {196.0, 220.0})
            ink.line(QPointF(130, y), QPointF(200, y + 2), bark.darker(125), 3);
    });
    const QColor black(0x2a, 0x2a, 0x36);
    ink.shape(Ink::rounded({{156, 116}, {70, 142}, {62, 178}, {162, 152}}, 8), black);
    Bird::leg(ink, QPointF(180, 156), QPointF(176, 178), legGrey);
    Bird::leg(ink, QPointF(204, 152), QPointF(206, 178), legGrey);
    QPainterPath body = Bird::tilted(QPointF(186, 128), 62, 38, -22).united(Ink::circle(QPointF(242, 82), 31));
    ink.shape(body, black);
    Bird::wing(ink, QPointF(200, 112), 44, QPointF(104, 156), QColor(0x3c, 0x46, 0x66));
    Bird::eye(ink, QPointF(250, 74), 8, QPointF(0.5, 0));
    const QPointF ring(292, 106);
    ink.stroke(Ink::circle(ring, 14), Ink::outlineColour(), 10);
    ink.stroke(Ink::circle(ring, 14), Palette::gold, 5.5);
    ink.shape(Ink::rounded({ring + QPointF(-8, 13), ring + QPointF(8, 13), ring + QPointF(0, 26)}, 1),
              QColor(0xff, 0x5c, 0x9a), {}, 0.5);
    Bird::beak(ink, QPointF(264, 70), QPointF(264, 96), QPointF(306, 86), QColor(0x44, 0x44, 0x50));
    for (const QPointF sparkle : {QPointF(322, 96), QPointF(312, 136), QPointF(270, 128)})
        ink.fill(Scenery::star(sparkle, 8), Qt::white);
}

void hummingbird(Canvas& c)
{
    const Ink& ink = c.ink();
    Scenery::backdrop(ink, c.size(), QColor(0x8a, 0x3c, 0xb4));
    QPainterPath stem(QPointF(92, 250));
    stem.quadTo(70, 190, 92, 132);
    ink.shape(Ink::tube(stem, 9), QColor(0x4a, 0xa8, 0x3a));
    Scenery::leaf(ink, QPointF(84, 210), QPointF(30, 180), QColor(0x5c, 0xc0, 0x4a));
    Scenery::leaf(ink, QPointF(82, 190), QPointF(128, 166), QColor(0x5c, 0xc0, 0x4a));
    QPainterPath petals;
    for (int i = 0; i < 5; ++i) {
        QLineF ray(QPointF(92, 104), QPointF(92 + 32, 104));
        ray.setAngle(90 + i * 72);
        petals = petals.united(Ink::turned(Ink::ellipse(ray.p2(), 26, 18), ray.p2(), -ray.angle()));
    }
    ink.shape(petals, QColor(0xff, 0x7a, 0x3a));
    ink.shape(Ink::circle(QPointF(92, 104), 13), QColor(0xff, 0xe0, 0x4a), {}, 0.6);
    ink.line(QPointF(220, 104), QPointF(104, 102), Ink::outlineColour(), 5);
    ink.shape(Ink::rounded({{262, 134}, {324, 194}, {306, 160}, {330, 166}, {280, 126}}, 4), QColor(0x1f, 0x7a, 0x4a));
    const QColor green(0x3c, 0xc8, 0x6a);
    ink.shape(Bird::teardrop(QPointF(228, 106), 26, QPointF(296, 160)), green, [&] {
        ink.fill(Ink::ellipse(QPointF(222, 124), 22, 14), QColor(0xe8, 0x28, 0x4a));
        ink.fill(Ink::ellipse(QPointF(250, 140), 20, 12), QColor(0xf0, 0xf4, 0xe8));
    });
    QColor blur(255, 255, 255, 170);
    ink.shape(Bird::teardrop(QPointF(250, 110), 14, QPointF(236, 20)), blur, {}, 0.6);
    ink.shape(Bird::teardrop(QPointF(254, 112), 14, QPointF(300, 30)), blur, {}, 0.6);
    for (const qreal dx : {0.0, 16.0}) {
        QPainterPath whoosh(QPointF(222 + dx, 28 + dx));
        whoosh.quadTo(260 + dx, 6 + dx, 304 + dx, 18 + dx);
        ink.stroke(whoosh, QColor(255, 255, 255, 140), 2.5);
    }
    Bird::eye(ink, QPointF(226, 98), 6.5, QPointF(-0.6, 0));
}

void kingfisher(Canvas& c)
{
    const Ink& ink = c.ink();
    Scenery::backdrop(ink, c.size(), QColor(0xd8, 0xb4, 0x7a));
    const QColor blue(0x1f, 0x7f, 0xd8);
    const QColor orange(0xf0, 0x8a, 0x2a);
    Scenery::water(ink, c.size(), 206, QColor(0x4c, 0xa0, 0xd8));
    for (const qreal x : {40.0, 316.0}) {
        QPainterPath reed(QPointF(x, 240));
        reed.quadTo(x + 8, 140, x - 6, 60);
        ink.shape(Ink::tube(reed, 8), QColor(0x6a, 0x9a, 0x3a));
        ink.shape(Ink::rounded({{x - 12, 96}, {x + 4, 96}, {x + 4, 150}, {x - 12, 150}}, 8), QColor(0x7a, 0x52, 0x30), {}, 0.7);
    }
    ink.shape(Ink::rounded({{212, 164}, {238, 160}, {268, 220}, {246, 226}}, 6), blue.darker(120));
    Scenery::branch(ink, QPointF(90, 186), QPointF(300, 178), 14, bark, leafGreen);
    Bird::leg(ink, QPointF(186, 170), QPointF(186, 182), QColor(0xf0, 0x40, 0x3a), -1);
    Bird::leg(ink, QPointF(206, 170), QPointF(206, 180), QColor(0xf0, 0x40, 0x3a), -1);
    QPainterPath body = Ink::circle(QPointF(168, 84), 38).united(Bird::tilted(QPointF(196, 132), 40, 50, -20));
    ink.shape(body, orange, [&] {
        ink.fill(Ink::ellipse(QPointF(172, 60), 44, 30), blue);
        ink.fill(Ink::ellipse(QPointF(150, 104), 16, 12), featherWhite);
        ink.fill(Ink::ellipse(QPointF(190, 86), 14, 9), orange);
    });
    Bird::wing(ink, QPointF(210, 106), 44, QPointF(244, 178), QColor(0x20, 0xa8, 0xd8));
    for (const QPointF spot : {QPointF(210, 118), QPointF(222, 132), QPointF(208, 140)})
        ink.fill(Ink::circle(spot, 3), QColor(0xa8, 0xe8, 0xff));
    Bird::eye(ink, QPointF(158, 76), 7, QPointF(-0.5, 0));
    const QPointF fish(84, 96);
    ink.shape(Ink::rounded({fish + QPointF(-4, 12), fish + QPointF(-14, 30), fish + QPointF(8, 30)}, 3), QColor(0xa8, 0xc0, 0xd4), {}, 0.5);
    ink.shape(Ink::ellipse(fish, 9, 18), QColor(0xc8, 0xdc, 0xe8), {}, 0.6);
    Bird::beak(ink, QPointF(136, 74), QPointF(138, 94), QPointF(58, 88), QColor(0x36, 0x32, 0x3a));
    ink.fill(Ink::circle(fish + QPointF(0, -10), 2.5), Ink::outlineColour());
}

void puffin(Canvas& c)
{
    const Ink& ink = c.ink();
    Scenery::backdrop(ink, c.size(), QColor(0x84, 0x94, 0xa8));
    Scenery::water(ink, c.size(), 150, QColor(0x3e, 0x5e, 0x80));
    ink.shape(Ink::rounded({{60, 250}, {90, 196}, {170, 186}, {280, 192}, {320, 250}}, 30), QColor(0x8a, 0x80, 0x78), [&] {
        ink.line(QPointF(110, 214), QPointF(140, 210), QColor(0x6a, 0x62, 0x5a), 3);
        ink.line(QPointF(220, 218), QPointF(260, 216), QColor(0x6a, 0x62, 0x5a), 3);
    });
    for (const qreal x : {166.0, 200.0})
        ink.shape(Ink::rounded({{x - 14, 202}, {x + 16, 202}, {x + 2, 186}}, 3), beakOrange, {}, 0.7);
    QPainterPath body = Ink::ellipse(QPointF(188, 132), 52, 66).united(Ink::circle(QPointF(168, 70), 38));
    ink.shape(body, featherBlack, [&] {
        ink.fill(Ink::ellipse(QPointF(172, 150), 36, 48), featherWhite);
        ink.fill(Ink::ellipse(QPointF(162, 72), 28, 24), QColor(0xee, 0xee, 0xf0));
    });
    Bird::wing(ink, QPointF(206, 112), 36, QPointF(236, 178), QColor(0x3a, 0x3c, 0x4a));
    ink.fill(Ink::rounded({{150, 60}, {162, 60}, {156, 52}}, 1), QColor(0x5a, 0x5c, 0x6a));
    Bird::eye(ink, QPointF(156, 66), 6.5, QPointF(-0.5, 0), QColor(0xf0, 0x60, 0x3a));
    const QPainterPath beak = Ink::rounded({{140, 56}, {106, 76}, {140, 98}}, 5);
    ink.shape(beak, QColor(0xf0, 0x50, 0x2a), [&] {
        QPainterPath base;
        base.addRect(QRectF(130, 40, 20, 70));
        ink.fill(base, QColor(0x5a, 0x6a, 0x88));
        ink.line(QPointF(128, 50), QPointF(128, 104), QColor(0xff, 0xd2, 0x3a), 5);
        ink.line(QPointF(116, 66), QPointF(132, 80), QColor(0xff, 0xd2, 0x3a), 2);
    });
}

void cardinal(Canvas& c)
{
    const Ink& ink = c.ink();
    Scenery::backdrop(ink, c.size(), QColor(0x1f, 0x5a, 0x3a));
    for (int i = 0; i < 16; ++i)
        ink.fill(Ink::circle(QPointF(12 + i * 23, 14 + (i * 53) % 120), 3.5 + (i % 3)), QColor(0xf4, 0xfa, 0xff));
    const QColor red(0xe0, 0x2a, 0x2a);
    ink.shape(Ink::rounded({{222, 150}, {310, 176}, {304, 198}, {214, 170}}, 8), red.darker(120));
    Scenery::branch(ink, QPointF(-10, 206), QPointF(372, 196), 18, bark, QColor(0x3c, 0x8a, 0x4a));
    QPainterPath snow(QPointF(0, 198));
    for (qreal x = 0; x < 360; x += 30)
        snow.quadTo(x + 15, 186, x + 30, 196);
    snow.lineTo(360, 202);
    snow.lineTo(0, 206);
    snow.closeSubpath();
    ink.shape(snow, Qt::white, {}, 0.6);
    Bird::leg(ink, QPointF(168, 178), QPointF(166, 194), QColor(0xc8, 0x7a, 0x6a), -1);
    Bird::leg(ink, QPointF(196, 178), QPointF(196, 192), QColor(0xc8, 0x7a, 0x6a), -1);
    QPainterPath body = Ink::circle(QPointF(188, 132), 54).united(Ink::circle(QPointF(146, 88), 36));
    body = body.united(Ink::rounded({{128, 64}, {172, 18}, {172, 72}}, 6));
    ink.shape(body, red, [&] { ink.fill(Ink::ellipse(QPointF(120, 96), 24, 18), featherBlack); });
    Bird::wing(ink, QPointF(194, 108), 48, QPointF(264, 170), red.darker(125));
    Bird::eye(ink, QPointF(140, 84), 6.5, QPointF(-0.5, 0));
    Bird::beak(ink, QPointF(118, 84), QPointF(118, 106), QPointF(92, 96), QColor(0xf5, 0x9a, 0x30));
}

void woodpecker(Canvas& c)
{
    const Ink& ink = c.ink();
    Scenery::backdrop(ink, c.size(), QColor(0xf0, 0x7a, 0x3a));
    QPainterPath trunk;
    trunk.addRect(QRectF(236, -10, 100, 260));
    ink.shape(trunk, QColor(0x9a, 0x68, 0x40), [&] {
        for (const qreal x : {252.0, 284.0, 316.0}) {
            QPainterPath groove(QPointF(x, -10));
            groove.cubicTo(x + 8, 60, x - 8, 140, x + 4, 250);
            ink.stroke(groove, QColor(0x74, 0x4c, 0x2c), 4);
        }
        ink.shape(Ink::ellipse(QPointF(290, 170), 18, 24), QColor(0x3a, 0x24, 0x18), {}, 0.7);
    });
    for (const QPointF chip : {QPointF(222, 58), QPointF(212, 92), QPointF(226, 40)})
        ink.shape(Ink::rounded({chip, chip + QPointF(9, 3), chip + QPointF(5, 10)}, 1), QColor(0xd8, 0xa8, 0x70), {}, 0.5);
    ink.shape(Ink::rounded({{200, 170}, {226, 176}, {238, 230}, {218, 228}}, 5), featherBlack);
    QPainterPath body = Bird::tilted(QPointF(196, 136), 34, 60, -12).united(Ink::circle(QPointF(200, 78), 30));
    ink.shape(body, featherWhite, [&] {
        ink.fill(Bird::tilted(QPointF(214, 140), 24, 62, -12), featherBlack);
        ink.fill(Ink::ellipse(QPointF(200, 50), 34, 20), QColor(0xe8, 0x22, 0x2a));
        ink.fill(Ink::rounded({{170, 86}, {210, 92}, {214, 102}, {172, 98}}, 4), featherBlack);
    });
    for (int k = 0; k < 4; ++k)
        ink.line(QPointF(204, 116 + k * 16), QPointF(224, 112 + k * 16), featherWhite, 5);
    Bird::eye(ink, QPointF(206, 74), 6.5, QPointF(0.5, 0));
    Bird::beak(ink, QPointF(226, 68), QPointF(226, 84), QPointF(250, 77), QColor(0x5a, 0x5a, 0x66));
    Bird::leg(ink, QPointF(216, 170), QPointF(234, 176), legGrey);
}

void rooster(Canvas& c)
{
    const Ink& ink = c.ink();
    Scenery::backdrop(ink, c.size(), QColor(0x7e, 0xd0, 0xf0));
    Scenery::sun(ink, QPointF(56, 60), 26);
    Scenery::hill(ink, c.size(), 180, 196, QColor(0x86, 0xc8, 0x5a));
    const QColor fence(0xf4, 0xf0, 0xe4);
    for (const qreal x : {24.0, 84.0, 276.0, 336.0})
        ink.shape(Ink::rounded({{x - 9, 236}, {x - 9, 150}, {x, 140}, {x + 9, 150}, {x + 9, 236}}, 2), fence, {}, 0.7);
    for (const qreal y : {164.0, 196.0}) {
        ink.shape(Ink::rounded({{-10, y}, {110, y}, {110, y + 10}, {-10, y + 10}}, 2), fence, {}, 0.7);
        ink.shape(Ink::rounded({{250, y}, {370, y}, {370, y + 10}, {250, y + 10}}, 2), fence, {}, 0.7);
    }
    const QColor tailGreen(0x1f, 0x5a, 0x44);
    const QColor tailBlue(0x2a, 0x3a, 0x6a);
    for (int k = 0; k < 5; ++k) {
        QPainterPath plume(QPointF(224, 134));
        plume.cubicTo(226 + k * 6, 40 + k * 14, 300 + k * 8, 36 + k * 18, 282 + k * 14, 108 + k * 22);
        ink.shape(Ink::tube(plume, 15), k % 2 ? tailGreen : tailBlue);
    }
    Bird::leg(ink, QPointF(176, 170), QPointF(172, 212), beakYellow, -1);
    Bird::leg(ink, QPointF(200, 170), QPointF(204, 212), beakYellow, -1);
    const QColor rust(0xc8, 0x44, 0x2a);
    QPainterPath body = Ink::ellipse(QPointF(190, 142), 60, 42);
    body = body.united(Bird::teardrop(QPointF(140, 76), 26, QPointF(168, 146)));
    ink.shape(body, rust, [&] {
        ink.fill(Bird::teardrop(QPointF(142, 82), 28, QPointF(176, 140)), QColor(0xf0, 0xa0, 0x30));
    });
    Bird::wing(ink, QPointF(180, 130), 40, QPointF(244, 150), QColor(0x8a, 0x2a, 0x1c));
    QPainterPath comb = Ink::circle(QPointF(128, 52), 9).united(Ink::circle(QPointF(140, 46), 10));
    comb = comb.united(Ink::circle(QPointF(153, 50), 9));
    ink.shape(comb, QColor(0xe8, 0x22, 0x2a), {}, 0.8);
    ink.shape(Ink::ellipse(QPointF(122, 94), 7, 11), QColor(0xe8, 0x22, 0x2a), {}, 0.6);
    Bird::eye(ink, QPointF(136, 70), 6.5, QPointF(-0.6, 0));
    ink.shape(Ink::rounded({{118, 68}, {96, 72}, {118, 78}}, 2), beakYellow, {}, 0.6);
    ink.shape(Ink::rounded({{118, 80}, {98, 88}, {118, 86}}, 2), beakYellow, {}, 0.6);
}

void seagull(Canvas& c)
{
    const Ink& ink = c.ink();
    Scenery::backdrop(ink, c.size(), QColor(0x6a, 0x20, 0x48));
    ink.shape(Ink::circle(QPointF(276, 168), 54), QColor(0xff, 0x9a, 0x3c), {}, 0.7);
    Scenery::water(ink, c.size(), 168, QColor(0x3a, 0x1e, 0x5a));
    for (const qreal y : {188.0, 204.0, 222.0})
        ink.line(QPointF(250 - (y - 188), y), QPointF(302 + (y - 188), y), QColor(0xff, 0x9a, 0x3c), 4);
    ink.shape(Ink::rounded({{134, 156}, {178, 156}, {176, 250}, {136, 250}}, 4), bark, [&] {
        ink.line(QPointF(146, 170), QPointF(146, 240), bark.darker(125), 3);
    });
    Bird::leg(ink, QPointF(148, 136), QPointF(148, 156), QColor(0xf0, 0x9a, 0x8a), -1);
    Bird::leg(ink, QPointF(166, 136), QPointF(168, 156), QColor(0xf0, 0x9a, 0x8a), -1);
    ink.shape(Ink::rounded({{200, 100}, {264, 118}, {210, 130}}, 6), featherBlack);
    QPainterPath body = Bird::tilted(QPointF(168, 112), 58, 32, -8).united(Ink::circle(QPointF(116, 74), 28));
    ink.shape(body, featherWhite);
    Bird::wing(ink, QPointF(160, 98), 40, QPointF(256, 112), QColor(0xa8, 0xb4, 0xc4));
    Bird::eye(ink, QPointF(110, 68), 6.5, QPointF(-0.5, 0), QColor(0xff, 0xe8, 0x6a));
    ink.shape(Ink::rounded({{96, 72}, {58, 82}, {96, 88}}, 3), beakYellow, [&] {
        ink.fill(Ink::circle(QPointF(70, 84), 4), QColor(0xe8, 0x2a, 0x2a));
    }, 0.7);
}

using Painter = void (*)(Canvas&);
constexpr std::array<Painter, BirdFaces::count> scenes = {
    owl, macaw, penguin, flamingo, duck, robin, toucan, swan, peacock,
    chick, crow, hummingbird, kingfisher, puffin, cardinal, woodpecker, rooster, seagull,
};

} // namespace

QImage BirdFaces::face(int index)
{
    Canvas canvas(Canvas::cardSize);
    scenes.at(static_cast<std::size_t>(index))(canvas);
    return canvas.finish();
}
