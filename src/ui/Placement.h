#pragma once

class QWidget;

namespace ui {

class Window;

// Places the window so that the middle of its frame is the middle of its
// owner's frame. Before the window is first shown its frame is not known yet,
// and is taken to be like the owner's.
void centreOnOwner(Window& window, const QWidget& owner);

} // namespace ui
