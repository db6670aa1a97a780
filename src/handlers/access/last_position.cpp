#include "handlers/access/last_position.h"

#include "handlers/notebook/category_lists.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/report_list.h"
#include "platform/conversions.h"
#include "platform/rich_editor.h"
#include "storage/settings_keys.h"
#include "windows/current_article.h"
#include "windows/globals.h"
#include "windows/main_window.h"
#include "windows/status_text.h"

void restore_last_position() {
  MainWindow& window = main_window();
  ComboBox& combo = *window.组合框1;
  ReportList& list = *window.超级列表框1;
  RichEditor& editor = *window.超级编辑框1;
  const QString category_name = read_setting(setting::last_category);
  const QString article_title = read_setting(setting::last_article);
  const QString caret = read_setting(setting::last_caret);

  const int categories = combo.combo_item_count();
  for (int i = 0; i < categories; ++i) {
    if (combo.combo_item_text(i) == category_name) {
      combo.set_selected_index(i);
      fill_article_list();
    }
  }
  const int rows = list.listview_row_count();
  for (int i = 0; i < rows; ++i) {
    if (list.listview_get_cell_text(i) != article_title)
      continue;
    // Making the row current loads its article. A load that failed has reported itself; the row
    // is then given up, so that nothing typed later is saved over what the article holds.
    list.set_current_row(i);
    if (globals().loaded_article_row != list.current_row()) {
      list.set_current_row(-1);
      continue;
    }
    list.listview_ensure_visible(list.current_row());
  }

  editor.set_focus();
  editor.set_selection_start(to_integer(caret));
  globals().loaded_article_row = list.current_row();
  show_in_status_bar(StatusPart::position, current_title());
}
