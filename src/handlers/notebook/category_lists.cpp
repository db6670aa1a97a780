#include "handlers/notebook/category_lists.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

#include "handlers/notebook/article_load_save.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/report_list.h"
#include "platform/rich_editor.h"
#include "storage/article_table.h"
#include "storage/category_table.h"
#include "windows/current_article.h"
#include "windows/globals.h"
#include "windows/main_window.h"
#include "windows/status_text.h"

void fill_category_combo() {
  for (const QString& name : category_names_in_order(database()))
    main_window().组合框1->combo_add_item(name);
  fill_article_list();
}

void fill_article_list() {
  MainWindow& window = main_window();
  window.超级列表框1->listview_clear();
  QList<QStringList> rows;
  for (const QString& title : article_titles_in_order(database(), current_category()))
    rows.append({title});
  window.超级列表框1->listview_append_rows(rows, 0);
  // No article is loaded after a fill, so edits could no longer be saved into one, and the
  // status bar names none.
  window.超级编辑框1->set_modified(false);
  globals().loaded_article_row = -1;
  show_in_status_bar(StatusPart::position, QString());
}

void on_category_changed() {
  fill_article_list();
  main_window().超级编辑框1->set_content(QString());
}

void main_combo_dropdown() {
  MainWindow& window = main_window();
  // A title being typed belongs to an article of the category still selected.
  window.超级列表框1->end_label_edit();
  if (window.组合框1->combo_item_count() == 0) {
    window.超级编辑框1->set_modified(false);
    return;
  }
  if (offer_to_save_modified_article() == 0) {
    // Yes, and the save failed: no other category can be chosen, so the edits are not lost.
    window.组合框1->refuse_dropdown();
    return;
  }
  // Edits declined here stay marked: choosing another category empties the editor and clears
  // the flag, while choosing the same one again leaves them in the editor, still unsaved.
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
