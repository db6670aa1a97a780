#include "handlers/notebook/article_load_save.h"

#include "platform/controls/report_list.h"
#include "platform/conversions.h"
#include "platform/rich_editor.h"
#include "platform/ui_seam.h"
#include "platform/windows.h"
#include "storage/article_table.h"
#include "windows/current_article.h"
#include "windows/globals.h"
#include "windows/main_window.h"
#include "windows/status_text.h"

void load_selected_article() {
  MainWindow& window = main_window();
  RichEditor& editor = *window.超级编辑框1;
  if (offer_to_save_modified_article() == 0) {
    // Yes, and the save failed: the edits stay, with the article they belong to selected again.
    window.超级列表框1->restore_current_row(globals().loaded_article_row);
    return;
  }
  // After No the edits are given up for the article now chosen.
  editor.set_modified(false);
  const int row = window.超级列表框1->current_row();
  const QString title = current_title();
  editor.set_content_bytes(read_article_content(database(), current_category(), title, row + 1));
  globals().loaded_article_row = row;
  show_in_status_bar(StatusPart::position, title);
}

int save_current_article() {
  MainWindow& window = main_window();
  const int loaded_row = globals().loaded_article_row;
  if (window.超级列表框1->current_row() == -1 || loaded_row == -1) {
    show_message_box(QStringLiteral("保存失败 请选择一条记录 用来存储"), buttons_ok, QString());
    return 0;
  }
  // The loaded article, not the current row: when a load asks, the new row is already current.
  const QString title = window.超级列表框1->listview_get_cell_text(loaded_row);
  if (!store_article_content(database(), current_category(), title, loaded_row + 1,
                             window.超级编辑框1->content(), to_text(now()))) {
    show_message_box(QStringLiteral("保存失败请检查数据库"), buttons_ok, QString());
    return 0;
  }
  window.超级编辑框1->set_modified(false);
  return 1;
}

void on_menu_save() {
  save_current_article();
}

void on_menu_save_record() {
  save_current_article();
}

int offer_to_save_modified_article() {
  if (!main_window().超级编辑框1->modified())
    return 1;
  if (show_message_box(QStringLiteral("当前内容已被修改 是否进行保存"), buttons_yes_no,
                       QString()) != answer_yes) {
    return 1;
  }
  return save_current_article();
}
