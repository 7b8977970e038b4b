#include "Placement.h"

#include "Window.h"

namespace ui {

void centreOnOwner(Window& window, const QWidget& owner)
{
    // The frame counts as part of the window; it is known once the window has been shown.
    window.move(owner.frameGeometry().center() - window.frameGeometry().center() + window.pos());
}

} // namespace ui
