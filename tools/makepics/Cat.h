#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>

class Ink;

// A cartoon cat in one of several poses. Every pose is drawn in its own frame
// (a sitting cat is about 215 units tall at scale 1) and placed by its anchor
// point and scale. The coat decides the colours and the pattern.
class Cat
{
public:
    enum class Pattern { Plain, Tabby, Spots, Patches, Points };
    enum class Eyes { Open, Closed, Wink, Up, Happy };

    struct Coat
    {
        QColor fur = Qt::white;
        QColor marks = Qt::black;        // stripes, spots, the first patches, the points
        Pattern pattern = Pattern::Plain;
        QColor eyes = QColor(0x9c, 0xd1, 0x4b);
        bool whiteFront = false;         // white muzzle, chest and paws
        QColor patches = QColor(0x33, 0x2a, 0x2a); // the second patch colour of a calico
        bool silhouette = false;         // a dark shape with only the eyes showing
    };

    struct Sitting
    {
        bool tailRight = true;
        Eyes eyes = Eyes::Open;
        qreal headTilt = 0.0;
        bool pawRaised = false;          // the right front paw up, waving
        QColor collar = QColor();        // a collar with a bell when valid
    };

    Cat(const Ink& ink, const Coat& coat);

    // The head alone, face on, about 104 units wide at scale 1.
    void head(QPointF centre, qreal scale, Eyes eyes = Eyes::Open, qreal tilt = 0.0) const;
    // A front paw: seen from below with pink pads, or from above with toes.
    void paw(QPointF centre, qreal scale, bool pads) const;

    void sitting(QPointF ground, qreal scale) const;
    void sitting(QPointF ground, qreal scale, const Sitting& pose) const;
    // Sitting seen from behind: no face, the tail curled round to one side.
    void fromBehind(QPointF ground, qreal scale) const;
    // Asleep, curled into a round loaf with the tail wrapped round the front.
    void curled(QPointF centre, qreal scale) const;
    // Walking to the right with the tail up, the head turned to the viewer.
    void walking(QPointF ground, qreal scale) const;
    // Lying low with the front paws stretched out to the right.
    void lying(QPointF ground, qreal scale) const;
    // Rolling on its back with all four paws in the air.
    void rolling(QPointF ground, qreal scale) const;
    // A big head at `centre` with both front paws raised high.
    void reaching(QPointF centre, qreal scale) const;
    // Hanging by its front paws from a bar at `grip`.
    void hanging(QPointF grip, qreal scale) const;

private:
    enum class Lay { Upright, Lengthwise };

    void place(QPointF at, qreal scale) const;
    void unplace() const;

    void face(Eyes eyes) const;
    void eye(QPointF centre, Eyes eyes, bool left) const;
    void headMarks() const;
    void areaMarks(const QRectF& box, Lay lay) const;
    void tail(const QPainterPath& spine, qreal width) const;
    void limb(QPointF from, QPointF to, qreal width, bool far = false) const;
    void body(const QPainterPath& path, Lay lay) const;

    QColor furColour() const;
    QColor limbColour() const;
    QColor tailColour() const;
    QColor whiskerColour() const;

    const Ink& m_ink;
    Coat m_coat;
};
