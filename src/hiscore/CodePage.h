#pragma once

#include <QByteArray>
#include <QString>

// Windows-1252, the 8-bit code page of hiscore.dat: Latin-1 but for the codes
// 128 to 159, which hold the euro sign, typographic quotes and dashes and a few
// letters (Š, Œ, Ž, Ÿ and their small forms). The five codes it leaves unused
// stand for the control characters of the same number, so every byte reads
// back as it was written.
namespace hiscore {

// A character the code page cannot hold becomes "?", as the platform's own
// conversion writes it.
QByteArray toCodePage(const QString& text);
QString fromCodePage(const QByteArray& bytes);

} // namespace hiscore
