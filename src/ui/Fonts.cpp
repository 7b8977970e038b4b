#include "Fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QWidget>

namespace ui {

namespace {

bool isFixedPitch(const QFont& font)
{
    return QFontInfo(font).fixedPitch();
}

QFont fixedPitchFont(const QString& family, double points)
{
    QFont font(family);
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    if (isFixedPitch(font))
        return font;
    QFont fallback = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fallback.setPointSizeF(points);
    fallback.setWeight(QFont::Normal);
    fallback.setItalic(false);
    if (isFixedPitch(fallback))
        return fallback;
    for (const QString& other : QFontDatabase::families()) {
        if (!QFontDatabase::isFixedPitch(other))
            continue;
        font.setFamily(other);
        if (isFixedPitch(font))
            return font;
    }
    return font;
}

} // namespace

void useFixedPitchFont(QWidget& control, const QString& family, double points)
{
    control.setFont(fixedPitchFont(family, points));
}

} // namespace ui
