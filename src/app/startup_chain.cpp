#include "app/startup_chain.h"

#include "app/closing.h"
#include "app/database_connection.h"
#include "app/globals.h"
#include "app/main_window.h"
#include "notebook/category_lists.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/status_bar.h"
#include "platform/conversions.h"
#include "platform/event_boundary.h"
#include "platform/rich_editor.h"
#include "platform/settings_file.h"

void init_main_window() {
  MainWindow& window = main_window();
  Globals& global = globals();
  global.loaded_article_row = -1;
  global.move_repeat_active = 1;
  global.logged_in = 1;

  window.组合框1->set_selection_field_height(16);
  window.状态条1->statusbar_set_part_text(
      3, QStringLiteral("当前日期：   ") + to_text(date_part(now())));

  if (is_switch_on(read_ini_value(settings_file_path(), QStringLiteral("KNSZ"),
                                  QStringLiteral("BKBC"), QStringLiteral("0")))) {
    const int width = to_integer(read_ini_value(settings_file_path(), QStringLiteral("BKKG"),
                                                QStringLiteral("KD"), QStringLiteral("760")));
    const int height = to_integer(read_ini_value(settings_file_path(), QStringLiteral("BKKG"),
                                                 QStringLiteral("GD"), QStringLiteral("569")));
    window.resize(width, height);
  }
}

void run_startup_sequence() {
  // No step is skipped: a run-time error is reported by its step and the chain goes on.
  guarded(init_main_window)();
  guarded(open_database)();
  guarded(fill_category_combo)();
  guarded(restore_last_position)();
  main_window().超级编辑框1->set_modified(false);
}

MainWindow* load_start_window() {
  auto* window = new MainWindow;
  window->setAttribute(Qt::WA_DeleteOnClose);
  run_startup_sequence();
  return window;
}
