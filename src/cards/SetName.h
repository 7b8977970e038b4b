#pragma once

#include <QString>

namespace cards {

// The name of a card set as the player gives it, and the files it stands for
// in the pics folder: the faces cardNAME00.jpg, cardNAME01.jpg ... and the deck
// deckNAME.jpg.
class SetName
{
public:
    // "card" is put in front of the name unless it starts with it already, so
    // both Holiday and cardHoliday give cardHoliday, and cardcard stays itself.
    explicit SetName(const QString& given);

    // Why the name cannot be used, saying what is allowed; empty when it can.
    QString refusal() const;

    QString cardName() const { return QStringLiteral("card") + rest_; }
    QString deckFile() const { return QStringLiteral("deck") + rest_ + QStringLiteral(".jpg"); }
    QString faceFile(int face) const;
    // Whether a file is a face of this set as the settings dialog lists sets:
    // the set's name followed by exactly two digits and ".jpg". cardTrip2005.jpg
    // is a face of cardTrip20, not of cardTrip2, and cardTripX05.jpg is not one
    // of cardTrip's.
    bool isFaceFile(const QString& fileName) const;

private:
    QString given_;
    // What follows "card".
    QString rest_;
};

} // namespace cards
