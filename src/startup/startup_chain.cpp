#include "startup/startup_chain.h"

#include <QCoreApplication>

#include "handlers/access/abandoned_work.h"
#include "handlers/access/backup_bindings.h"
#include "handlers/access/closing.h"
#include "handlers/access/database_connection.h"
#include "handlers/access/frame_bindings.h"
#include "handlers/access/last_position.h"
#include "handlers/access/layout.h"
#include "handlers/access/login_gate.h"
#include "handlers/access/remembered_size.h"
#include "handlers/desktop/floating_icon_loading.h"
#include "handlers/desktop/presence_bindings.h"
#include "handlers/desktop/saved_appearance.h"
#include "handlers/desktop/skin_bindings.h"
#include "handlers/editor/editor_bindings.h"
#include "handlers/editor/saved_text_format.h"
#include "handlers/notebook/category_lists.h"
#include "handlers/notebook/notebook_bindings.h"
#include "platform/controls/combo_box.h"
#include "platform/conversions.h"
#include "platform/event_boundary.h"
#include "platform/rich_editor.h"
#include "windows/command_binding.h"
#include "windows/globals.h"
#include "windows/main_window.h"
#include "windows/status_text.h"

void wire_main_window(MainWindow& window) {
  bind_frame_commands(window);
  bind_backup_commands(window);
  bind_notebook_commands(window);
  bind_editor_commands(window);
  bind_presence_commands(window);
  bind_skin_commands(window);
  bind_event(&window, &MainWindow::on_resized, &window, main_window_resized);
  window.set_query_close_handler(guarded_answer(query_close_main_window));
  window.set_first_shown_handler(guarded(main_window_shown));
}

void init_main_window() {
  MainWindow& window = main_window();
  Globals& global = globals();
  global.loaded_article_row = -1;
  global.move_repeat_active = 1;
  global.logged_in = 1;

  window.组合框1->set_selection_field_height(16);
  show_in_status_bar(StatusPart::date, to_text(date_part(now())));
  apply_saved_appearance();
  apply_remembered_size();
  restore_floating_icon();
}

void run_startup_sequence() {
  // No step is skipped: a run-time error is reported by its step and the chain goes on.
  remove_abandoned_backup_and_restore_work();
  guarded(init_main_window)();
  guarded(open_database)();
  guarded(login_gate)();
  guarded(apply_saved_text_format)();
  guarded(fill_category_combo)();
  guarded(restore_last_position)();
  main_window().超级编辑框1->set_modified(false);
}

MainWindow* load_start_window() {
  auto* window = new MainWindow;
  window->setAttribute(Qt::WA_DeleteOnClose);
  // The program ends with its start window, also one closed before it was ever shown.
  QObject::connect(window, &QObject::destroyed, &QCoreApplication::quit);
  wire_main_window(*window);
  run_startup_sequence();
  return window;
}
