#include "Placement.h"

#include "Window.h"

namespace ui {

void centreOnOwner(Window& window, const QWidget& owner)
{
    // The frame counts as part of the window. Until the window has been shown
    // its frame is not known yet: it is taken to be as wide as the owner's,
    // which the same window manager draws.
    const QWidget& framed = window.frameGeometry() != window.geometry() ? static_cast<const QWidget&>(window) : owner;
    const QMargins frame(framed.geometry().left() - framed.frameGeometry().left(),
                         framed.geometry().top() - framed.frameGeometry().top(),
                         framed.frameGeometry().right() - framed.geometry().right(),
                         framed.frameGeometry().bottom() - framed.geometry().bottom());
    QRect outer(QPoint(), window.size().grownBy(frame));
    outer.moveCenter(owner.frameGeometry().center());
    // A window's position is that of its frame.
    window.move(outer.topLeft());
}

} // namespace ui
