#include "Frame.h"

namespace ui {

Frame::Frame(QWidget* parent, float left, float top, float width, float height)
    : QFrame(parent), Control(static_cast<QWidget&>(*this))
{
    setFrameStyle(QFrame::Box | QFrame::Sunken);
    place(left, top, width, height);
}

} // namespace ui
