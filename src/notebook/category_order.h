#pragma once

// The category manager's moves and delete, and the main window's refresh after every change.
void move_category_up();
void move_category_down();
void delete_category();
// Rebuilds the main window's category selector and puts back the category, article and caret
// that were current there, or empties the editor when that category is gone under its name.
void refresh_after_category_change();
