#pragma once

#include <initializer_list>

class QWidget;

namespace ui {

// Sets the order in which the Tab key moves through a window's controls: each
// control follows the one before it in the list. Controls that take no focus
// (labels) keep their place in the order but are passed over.
void setTabOrder(std::initializer_list<QWidget*> controls);

} // namespace ui
