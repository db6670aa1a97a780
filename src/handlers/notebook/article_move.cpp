#include "handlers/notebook/article_move.h"

#include "handlers/notebook/article_load_save.h"
#include "platform/controls/report_list.h"
#include "platform/rich_editor.h"
#include "storage/article_table.h"
#include "windows/current_article.h"
#include "windows/main_window.h"

namespace {

// The save question before a move: a failed save stops the move with the edits still marked.
bool ready_to_move() {
  if (offer_to_save_modified_article() == 0)
    return false;
  main_window().超级编辑框1->set_modified(false);
  return true;
}

// The article in row `moved` and its neighbour exchange positions, the neighbour's written first,
// then rows and selection follow. Positions come from the row numbers; when the table did not
// take both, the list and the selection stay as they were, still matching the table.
void swap_with_neighbour(int moved, int neighbour) {
  ReportList& list = *main_window().超级列表框1;
  const QString moved_title = list.listview_get_cell_text(moved);
  const QString neighbour_title = list.listview_get_cell_text(neighbour);
  if (!set_two_article_positions(database(), current_category(), neighbour_title, moved + 1,
                                 moved_title, neighbour + 1)) {
    return;
  }
  list.listview_set_cell_text(neighbour, 0, moved_title);
  list.listview_set_cell_text(moved, 0, neighbour_title);
  // The row change loads the moved article again.
  list.set_current_row(neighbour);
  list.listview_ensure_visible(neighbour);
}

}  // namespace

void move_article_down() {
  const ReportList& list = *main_window().超级列表框1;
  const int row = list.current_row();
  if (row == -1 || row + 1 == list.listview_row_count() || !ready_to_move())
    return;
  swap_with_neighbour(row, row + 1);
}

void move_article_up() {
  const int row = main_window().超级列表框1->current_row();
  if (row == -1 || row == 0 || !ready_to_move())
    return;
  swap_with_neighbour(row, row - 1);
}
