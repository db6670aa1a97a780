#include "handlers/access/closing.h"

#include "handlers/notebook/article_load_save.h"
#include "platform/controls/report_list.h"
#include "platform/conversions.h"
#include "platform/database.h"
#include "platform/rich_editor.h"
#include "platform/window_frame.h"
#include "storage/settings_keys.h"
#include "windows/current_article.h"
#include "windows/globals.h"
#include "windows/main_window.h"

bool query_close_main_window() {
  MainWindow& window = main_window();
  // A title still being typed is stored now, while the database is open, as Enter would store it;
  // the last position and the save then find the article under it.
  window.超级列表框1->end_label_edit();
  if (globals().float_icon_shown == 1) {
    window.setVisible(false);
    return false;
  }
  if (setting_is_on(setting::remember_size)) {
    const QSize outer = outer_size(&window);
    write_setting(setting::window_width, to_text(outer.width()));
    write_setting(setting::window_height, to_text(outer.height()));
  }
  write_setting(setting::last_category, current_category());
  write_setting(setting::last_article, current_title());
  write_setting(setting::last_caret, to_text(window.超级编辑框1->selection_start()));
  // A Yes whose save failed keeps the window open, so the text is not lost with it.
  if (offer_to_save_modified_article() == 0)
    return false;
  window.超级编辑框1->set_modified(false);
  db_close(database());
  return true;
}
