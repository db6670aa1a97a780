#pragma once

// The program's five globals and the find's hit-at-start flag. A new main window starts them all
// at 0, as a freshly loaded program has them; init_main_window then sets their start values.
struct Globals {
  // The article list row whose article the editor holds; -1 while none is loaded.
  int loaded_article_row = 0;
  // 1 while a move button's press-and-hold loop may run.
  int move_repeat_active = 0;
  // 0 while the start-up login is pending or was refused.
  int logged_in = 0;
  // The floating icon window (owner of the tray icon) is loaded.
  int float_icon_shown = 0;
  // Editor position of the last find hit; 0 before any search and after a failed first find, -1
  // after a failed find-next.
  int last_find_position = 0;
  // Tells a last hit at the first character apart from "no hit", which last_find_position
  // alone cannot, so that find-next goes on after such a hit.
  bool last_find_hit_at_start = false;
};

Globals& globals();
