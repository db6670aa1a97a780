#pragma once

// The main window has no automatic layout: these handlers place its controls by fixed formulas.

// Handler of the main window's on_resized: places the notebook area and the status bar from the
// client size.
void main_window_resized();
// Handler of 分隔条1's on_moved; positions are the splitter's left edge in the tab frame.
void main_splitter_moved(int old_position, int new_position);
// Item 调整位置: opens or closes the move-button panel under the article list.
void toggle_list_panel();

// A splitter drag leaves the editor and the category/article column at least this wide, so
// neither side becomes unusable.
inline constexpr int splitter_min_side = 100;
