#include "handlers/notebook/category_order.h"

#include "handlers/notebook/category_manager_list.h"
#include "handlers/notebook/category_refresh.h"
#include "platform/controls/report_list.h"
#include "storage/category_table.h"
#include "windows/category_manager_window.h"
#include "windows/main_window.h"

namespace {

// Swaps the categories in rows `upper` and `upper` + 1 of the manager's list, then shows the
// moved one at its new row.
void swap_rows(ReportList& list, int upper, int moved_to) {
  swap_category_positions(database(), upper + 1, list.listview_get_cell_text(upper, 1),
                          list.listview_get_cell_text(upper + 1, 1));
  fill_category_list();
  list.set_current_row(moved_to);
  refresh_after_category_change();
}

}  // namespace

void move_category_up() {
  ReportList& list = *category_manager_window().超级列表框1;
  const int row = list.current_row();
  if (row == -1 || row == 0)
    return;
  swap_rows(list, row - 1, row - 1);
}

void move_category_down() {
  ReportList& list = *category_manager_window().超级列表框1;
  const int row = list.current_row();
  if (row == -1 || row == list.listview_row_count() - 1)
    return;
  swap_rows(list, row, row + 1);
}
