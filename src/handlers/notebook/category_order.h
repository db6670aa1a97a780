#pragma once

// The category manager's 上移 and 下移: the chosen category swaps places with its neighbour.
void move_category_up();
void move_category_down();
