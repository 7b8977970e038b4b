#include "Control.h"

#include "Twips.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

namespace ui {

void Control::place(float left, float top, float width, float height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    apply();
}

void Control::apply()
{
    const auto px = [](float twips) { return int(std::lround(toPixels(twips))); };
    self_.setGeometry(px(left_), px(top_), std::max(0, px(width_)), std::max(0, px(height_)));
    placed();
}

} // namespace ui
