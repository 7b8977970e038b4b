#pragma once

// Every size and position the game works with is in twips: 1/1440 inch,
// 15 to a device-independent pixel. Only this layer ever sees pixels.
namespace ui {

inline constexpr int twipsPerPixel = 15;

constexpr double toPixels(double twips) { return twips / twipsPerPixel; }
constexpr double toTwips(double pixels) { return pixels * twipsPerPixel; }

} // namespace ui
