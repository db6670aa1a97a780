#include "notebook/category_lists.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

#include "app/globals.h"
#include "app/main_window.h"
#include "notebook/article_load_save.h"
#include "notebook/article_statements.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/report_list.h"
#include "platform/rich_editor.h"

void fill_category_combo() {
  MainWindow& window = main_window();
  for (const QString& name : category_names_in_order(window.外部数据库1)) {
    window.组合框1->combo_add_item(name);
  }
  fill_article_list();
}

void fill_article_list() {
  MainWindow& window = main_window();
  window.超级列表框1->listview_clear();
  const QString category = window.组合框1->combo_item_text(window.组合框1->selected_index());
  for (const QString& title : article_titles_in_order(window.外部数据库1, category)) {
    window.超级列表框1->listview_insert_row(title, 0);
  }
  window.超级编辑框1->set_modified(false);
  globals().loaded_article_row = -1;
}

void on_category_changed() {
  MainWindow& window = main_window();
  fill_article_list();
  window.超级编辑框1->set_content(QString());
  window.超级编辑框1->set_modified(false);
}

void main_combo_dropdown() {
  MainWindow& window = main_window();
  if (window.组合框1->combo_item_count() > 0)
    offer_to_save_modified_article();
  window.超级编辑框1->set_modified(false);
}

void main_list_right_click() {
  update_record_menu_items();
  main_window().menu_record->popup(QCursor::pos());
}

void update_record_menu_items() {
  MainWindow& window = main_window();
  const bool has_row = window.超级列表框1->current_row() != -1;
  for (MenuCommand command :
       {MenuCommand::record_save, MenuCommand::record_move_up, MenuCommand::record_move_down,
        MenuCommand::record_adjust, MenuCommand::record_rename, MenuCommand::record_delete}) {
    window.action(command)->setEnabled(has_row);
  }
  window.action(MenuCommand::record_new)->setEnabled(true);
}
