#include "FormProgress.h"

#include "game/Rounding.h"

#include <algorithm>

namespace {
// The bar keeps this far from the outline at its left, top and bottom.
constexpr float barMargin = 50;
// A full bar when nobody said what full is.
constexpr std::int32_t defaultMax = 50;
} // namespace

FormProgress::FormProgress(ui::Window* owner)
    : ui::Window(QString(), 4560, 1485, Border::FixedDialog),
      Frame1(this, 0, 0, 4545, 1395),
      Label1(&Frame1, QStringLiteral("Loading picture..."), 240, 240, 3975, 495),
      imgProgress(&Frame1, 240, 840, 3975, 345, true),
      Shape1(&Frame1, QColor(0, 0, 128))
{
    imgProgress.setBorder(true);
    setShowInTaskbar(false);
    if (owner)
        setOwner(owner);
    onLoad = [this] { Form_Load(); };
    load();
}

void FormProgress::Form_Load()
{
    barMaxWidth = game::roundHalfEven(imgProgress.width() - barMargin);
    Shape1.place(imgProgress.left() + barMargin, imgProgress.top() + barMargin, 0,
                 imgProgress.height() - 2 * barMargin);
    // Centred on the screen, where the player looks while the board is built.
    centreOnScreen();
    showModeless();
    repaint();
}

void FormProgress::setMax(std::int32_t val)
{
    progressMax = val;
}

void FormProgress::update(std::int32_t val)
{
    load();
    if (progressMax < 1)
        progressMax = defaultMax;
    // A count below zero is an empty bar.
    const std::int32_t w = std::max(0, game::roundHalfEven(double(barMaxWidth) / progressMax * val));
    if (w <= barMaxWidth)
        Shape1.setWidth(float(w));
}
