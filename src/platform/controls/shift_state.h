#pragma once

#include <Qt>

// The shift state that mouse and key events report: 1 Ctrl, 2 Shift, 4 Alt, added up.
inline int shift_state(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ControlModifier ? 1 : 0) | (modifiers & Qt::ShiftModifier ? 2 : 0) |
         (modifiers & Qt::AltModifier ? 4 : 0);
}
