#pragma once

// The buttons 向上 and 向下 under the article list: a press moves the article at once and, while
// the button is held, again 80 ms after each move; a release of either button ends every repeat.
void main_move_up_left_button_down();
void main_move_up_left_button_up();
void main_move_down_left_button_down();
void main_move_down_left_button_up();
