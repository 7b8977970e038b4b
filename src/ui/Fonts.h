#pragma once

#include <QString>

class QWidget;

namespace ui {

// Gives the control the named font at the given point size, regular weight.
// Where that family is not installed, or is not fixed-pitch, a fixed-pitch
// family takes its place, so text laid out in columns still lines up.
void useFixedPitchFont(QWidget& control, const QString& family, double points);

} // namespace ui
