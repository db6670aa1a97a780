#include "notebook/category_manager.h"

#include <QLineEdit>

#include "app/database_connection.h"
#include "app/main_window.h"
#include "notebook/article_load_save.h"
#include "notebook/article_statements.h"
#include "notebook/category_manager_window.h"
#include "notebook/category_order.h"
#include "platform/controls/report_list.h"
#include "platform/conversions.h"
#include "platform/database.h"
#include "platform/rich_editor.h"
#include "platform/ui_seam.h"
#include "platform/windows.h"

namespace {

// Asks for the one row that holds the name instead of walking the table. A missing name counts
// as the empty text, as everywhere texts are compared.
bool category_name_exists(const QString& name) {
  QString sql = QStringLiteral("select 目录名称 from 目录管理 where 目录名称='") + sql_value(name) +
                QStringLiteral("'");
  if (name.isEmpty()) {
    sql += QStringLiteral(" or 目录名称 is null");
  }
  RecordSet records = db_query(database(), sql + QStringLiteral(" limit 1"));
  const bool exists = !db_at_end(records);
  db_close_recordset(records);
  return exists;
}

}  // namespace

void on_menu_category_manager() {
  RichEditor& editor = *main_window().超级编辑框1;
  // A failed save keeps the manager closed, so the unsaved text is not lost to a refresh.
  if (offer_to_save_modified_article() == 0) {
    return;
  }
  editor.set_modified(false);
  CategoryManagerWindow window;
  load_window(&window, true);
}

void category_manager_created() {
  fill_category_list();
}

void fill_category_list() {
  ReportList& list = *category_manager_window().超级列表框1;
  list.listview_clear();
  for (const QString& name : category_names_in_order(database())) {
    const int row = list.listview_insert_row();
    list.listview_set_cell_text(row, 1, name);
  }
}

void category_manager_list_row_changed() {
  CategoryManagerWindow& window = category_manager_window();
  const ReportList& list = *window.超级列表框1;
  window.编辑框1->setText(list.listview_get_cell_text(list.current_row(), 1));
}

void add_category() {
  CategoryManagerWindow& window = category_manager_window();
  const QString name = window.编辑框1->text();
  if (name.isEmpty()) {
    return;
  }
  if (category_name_exists(name)) {
    show_message_box(QStringLiteral("输入的目录已存在"), buttons_ok, QString());
    return;
  }
  const int count = count_rows(QStringLiteral("目录管理"));
  db_execute(database(), QStringLiteral("insert into 目录管理(目录位置,目录名称) values('") +
                             to_text(count + 1) + QStringLiteral("','") + sql_value(name) +
                             QStringLiteral("')"));

  ReportList& list = *window.超级列表框1;
  fill_category_list();
  list.set_current_row(list.listview_row_count() - 1);
  refresh_after_category_change();
}

void rename_category() {
  CategoryManagerWindow& window = category_manager_window();
  ReportList& list = *window.超级列表框1;
  const int selected = list.current_row();
  if (selected == -1) {
    return;
  }
  const QString old_name = list.listview_get_cell_text(selected, 1);
  const QString new_name = window.编辑框1->text();
  if (new_name == old_name) {
    return;
  }
  if (category_name_exists(new_name)) {
    show_message_box(QStringLiteral("要修改的名称与其他目录重复"), buttons_ok, QString());
    return;
  }

  // The category and its articles change names together or not at all, so no article is left
  // under a name that no category has.
  {
    ExternalDatabase& db = database();
    Transaction transaction(db);
    const bool done = db_execute(db, QStringLiteral("update 目录管理 set 目录名称='") +
                                         sql_value(new_name) + QStringLiteral("'where 目录名称='") +
                                         sql_value(old_name) + QStringLiteral("'")) != 0 &&
                      db_execute(db, QStringLiteral("update 文章管理 set 文章所属='") +
                                         sql_value(new_name) + QStringLiteral("'where 文章所属='") +
                                         sql_value(old_name) + QStringLiteral("'")) != 0;
    if (done) {
      transaction.commit();
    }
  }

  fill_category_list();
  list.set_current_row(selected);
  refresh_after_category_change();
}
