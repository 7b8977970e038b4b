#pragma once

#include <QString>
#include <QStringList>

namespace cards {

// The pictures of a folder a set is made from, in the order a person reads
// their names.
class InputListing
{
public:
    // Reads the folder's files that Qt reads as pictures, by their extension,
    // in name order; hidden files and folders are left alone, and the other
    // files go to `others`. False when the folder cannot be read.
    static bool read(const QString& folder, QStringList& pictures, QStringList& others);

    // Name order with runs of digits compared as numbers, so IMG_2 comes before
    // IMG_10, and letters compared without regard to case.
    static bool before(const QString& a, const QString& b);
};

} // namespace cards
