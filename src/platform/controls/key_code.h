#pragma once

class QKeyEvent;

// The key code that key events report, in the numbering the window descriptions use: 13 Enter
// (either key), 27 Esc, 8 Backspace, 9 Tab, 32 Space, the digits and letters as their upper-case
// character codes; 0 for any other key.
int key_code(const QKeyEvent& event);
