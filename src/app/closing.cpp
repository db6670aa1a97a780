#include "app/closing.h"

#include "app/globals.h"
#include "app/main_window.h"
#include "notebook/article_load_save.h"
#include "notebook/article_statements.h"
#include "notebook/category_lists.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/report_list.h"
#include "platform/controls/status_bar.h"
#include "platform/conversions.h"
#include "platform/database.h"
#include "platform/rich_editor.h"
#include "platform/settings_file.h"

bool query_close_main_window() {
  MainWindow& window = main_window();
  if (globals().float_icon_shown == 1) {
    window.setVisible(false);
    return false;
  }
  if (is_switch_on(read_ini_value(settings_file_path(), QStringLiteral("KNSZ"),
                                  QStringLiteral("BKBC"), QStringLiteral("0")))) {
    write_ini_value(settings_file_path(), QStringLiteral("BKKG"), QStringLiteral("KD"),
                    to_text(window.width()));
    write_ini_value(settings_file_path(), QStringLiteral("BKKG"), QStringLiteral("GD"),
                    to_text(window.height()));
  }
  write_ini_value(settings_file_path(), QStringLiteral("FWJL"), QStringLiteral("FL"),
                  window.组合框1->combo_item_text(window.组合框1->selected_index()));
  write_ini_value(settings_file_path(), QStringLiteral("FWJL"), QStringLiteral("WZ"),
                  window.超级列表框1->listview_get_cell_text(window.超级列表框1->current_row()));
  write_ini_value(settings_file_path(), QStringLiteral("FWJL"), QStringLiteral("ZB"),
                  to_text(window.超级编辑框1->selection_start()));
  // A Yes whose save failed keeps the window open, so the text is not lost with it.
  if (offer_to_save_modified_article() == 0)
    return false;
  window.超级编辑框1->set_modified(false);
  db_close(window.外部数据库1);
  return true;
}

void restore_last_position() {
  MainWindow& window = main_window();
  ComboBox& combo = *window.组合框1;
  ReportList& list = *window.超级列表框1;
  RichEditor& editor = *window.超级编辑框1;
  const QString category_name =
      read_ini_value(settings_file_path(), QStringLiteral("FWJL"), QStringLiteral("FL"));
  const QString article_title =
      read_ini_value(settings_file_path(), QStringLiteral("FWJL"), QStringLiteral("WZ"));
  const QString caret =
      read_ini_value(settings_file_path(), QStringLiteral("FWJL"), QStringLiteral("ZB"));
  editor.set_modified(false);

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
    editor.set_modified(false);
    list.set_current_row(i);
    editor.set_modified(false);
    // Making the row current normally loaded it already; read the article only when it did not.
    if (globals().loaded_article_row != list.current_row())
      editor.set_content(read_article_content(window.外部数据库1,
                                              combo.combo_item_text(combo.selected_index()),
                                              list.listview_get_cell_text(list.current_row())));
    list.listview_ensure_visible(list.current_row());
  }

  editor.set_focus();
  editor.set_selection_start(to_integer(caret));
  editor.set_modified(false);
  globals().loaded_article_row = list.current_row();
  window.状态条1->statusbar_set_part_text(
      0, QStringLiteral("当前位置：  ") + list.listview_get_cell_text(list.current_row()));
}
