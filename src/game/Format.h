#pragma once

#include <QString>

namespace game {

// A number with the pattern "00" or "0000": rounded to a whole number (halves
// to even) and written with at least that many digits.
QString formatDigits(double value, int minDigits);

// A text with the pattern "@@@@@@@@@@@@@@@@": filled from the right into that
// many places, so a shorter text is padded with spaces on the left.
QString formatRightAligned(const QString& text, int places);

} // namespace game
