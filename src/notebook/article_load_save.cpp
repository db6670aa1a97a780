#include "notebook/article_load_save.h"

#include "app/globals.h"
#include "app/main_window.h"
#include "notebook/article_statements.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/report_list.h"
#include "platform/controls/status_bar.h"
#include "platform/conversions.h"
#include "platform/database.h"
#include "platform/rich_editor.h"
#include "platform/ui_seam.h"
#include "platform/windows.h"

void load_selected_article() {
  MainWindow& window = main_window();
  RichEditor& editor = *window.超级编辑框1;
  offer_to_save_modified_article();
  editor.set_modified(false);
  const int row = window.超级列表框1->current_row();
  const QString title = window.超级列表框1->listview_get_cell_text(row);
  const QString category = window.组合框1->combo_item_text(window.组合框1->selected_index());
  editor.set_content(read_article_content(window.外部数据库1, category, title));
  editor.set_modified(false);
  globals().loaded_article_row = row;
  window.状态条1->statusbar_set_part_text(0, QStringLiteral("当前位置：  ") + title);
  editor.set_modified(false);
}

int save_current_article() {
  MainWindow& window = main_window();
  const int loaded_row = globals().loaded_article_row;
  if (window.超级列表框1->current_row() == -1 || loaded_row == -1) {
    show_message_box(QStringLiteral("保存失败 请选择一条记录 用来存储"), buttons_ok, QString());
    return 0;
  }
  const QString title = window.超级列表框1->listview_get_cell_text(loaded_row);
  const QString category = window.组合框1->combo_item_text(window.组合框1->selected_index());
  const QString article = QStringLiteral("where 文章所属 = '") + sql_value(category) +
                          QStringLiteral("' and 文章标题 ='") + sql_value(title) +
                          QStringLiteral("'");
  // Content and stamp are stored together or not at all, in one write of the row: a separate
  // stamp statement would rewrite the whole article once more.
  const QString statement = QStringLiteral("update 文章管理 set 文章内容 = ?, 修改时间 = '") +
                            sql_value(to_text(now())) + QStringLiteral("'  ") + article;
  const QString body = window.超级编辑框1->content();

  ExternalDatabase& db = window.外部数据库1;
  Transaction transaction(db);
  // An update that finds no article stores nothing: report it rather than drop the text.
  if (db_execute(db, statement, body) == 0 || db_changed_rows(db) == 0 || !transaction.commit()) {
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
