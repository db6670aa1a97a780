#pragma once

#include <Qt>

// The key code that key events report: the Windows virtual-key number of the key (13 Enter,
// 27 Esc, 65 to 90 the letters, 48 to 57 the digits); 0 for a key without one here.
int key_code(int qt_key);

inline constexpr int key_code_enter = 13;
inline constexpr int key_code_escape = 27;
