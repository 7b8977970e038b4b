#include "Keys.h"

namespace ui {

int virtualKeyCode(int qtKey)
{
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return key::f1 + (qtKey - Qt::Key_F1);
    // Letters and digits are their own codes.
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey;
    switch (qtKey) {
    case Qt::Key_Backspace: return key::backspace;
    case Qt::Key_Tab: return key::tab;
    case Qt::Key_Return: return key::enter;
    case Qt::Key_Enter: return key::enter;
    case Qt::Key_Shift: return key::shift;
    case Qt::Key_Control: return key::control;
    case Qt::Key_Alt: return key::alt;
    case Qt::Key_Escape: return key::escape;
    case Qt::Key_Space: return key::space;
    case Qt::Key_End: return key::end;
    case Qt::Key_Home: return key::home;
    case Qt::Key_Left: return key::left;
    case Qt::Key_Up: return key::up;
    case Qt::Key_Right: return key::right;
    case Qt::Key_Down: return key::down;
    case Qt::Key_Delete: return key::del;
    default: return 0;
    }
}

int shiftState(Qt::KeyboardModifiers modifiers)
{
    int shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= held::shift;
    if (modifiers & Qt::ControlModifier)
        shift |= held::ctrl;
    if (modifiers & Qt::AltModifier)
        shift |= held::alt;
    return shift;
}

} // namespace ui
