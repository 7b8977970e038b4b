#pragma once

#include <Qt>

namespace ui {

// Keys by their Windows virtual-key codes, as the windows' key events report
// them (F5 is 116).
namespace key {
inline constexpr int backspace = 8;
inline constexpr int tab = 9;
inline constexpr int enter = 13;
inline constexpr int shift = 16;
inline constexpr int control = 17;
inline constexpr int alt = 18;
inline constexpr int escape = 27;
inline constexpr int space = 32;
inline constexpr int end = 35;
inline constexpr int home = 36;
inline constexpr int left = 37;
inline constexpr int up = 38;
inline constexpr int right = 39;
inline constexpr int down = 40;
inline constexpr int del = 46;
inline constexpr int f1 = 112;
inline constexpr int f5 = 116;
} // namespace key

// The modifier keys held, as key and mouse events report them: bits of a state.
namespace held {
inline constexpr int shift = 1;
inline constexpr int ctrl = 2;
inline constexpr int alt = 4;
} // namespace held

// Maps a Qt key to its virtual-key code; 0 when the game knows no code for it.
int virtualKeyCode(int qtKey);
// The modifier keys held, as bits of `held`.
int shiftState(Qt::KeyboardModifiers modifiers);

} // namespace ui
