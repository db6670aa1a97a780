#include "notebook/article_create.h"

#include "app/main_window.h"
#include "notebook/article_load_save.h"
#include "notebook/article_statements.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/report_list.h"
#include "platform/conversions.h"
#include "platform/database.h"
#include "platform/rich_editor.h"
#include "platform/ui_seam.h"
#include "platform/windows.h"

int create_article() {
  MainWindow& window = main_window();
  ReportList& list = *window.超级列表框1;
  if (window.组合框1->selected_index() == -1) {
    show_message_box(QStringLiteral("请选择一个分类之后再进行新建"), buttons_ok, QString());
    return 0;
  }
  // A failed save has reported itself and does not stop the creation; the flag is cleared only
  // once the article exists.
  offer_to_save_modified_article();

  const QString category = window.组合框1->combo_item_text(window.组合框1->selected_index());
  const QString position = to_text(list.listview_row_count() + 1.0);
  const QString title = category + position;
  if (article_title_exists(window.外部数据库1, category, title)) {
    show_message_box(
        QStringLiteral("要建立的名称重复 ") + title + QStringLiteral(" 请修改现有记录名称 在重试"),
        buttons_ok, QString());
    return 0;
  }
  db_execute(window.外部数据库1,
             QStringLiteral(
                 "insert into 文章管理(文章所属,文章位置,文章标题,建立时间,修改时间) values('") +
                 sql_value(category) + QStringLiteral("','") + sql_value(position) +
                 QStringLiteral("','") + sql_value(title) + QStringLiteral("','") +
                 sql_value(to_text(now())) + QStringLiteral("','") + sql_value(to_text(now())) +
                 QStringLiteral("')"));

  list.listview_insert_row(title, 0);
  // Loads the new article through the row-changed event.
  list.set_current_row(list.listview_row_count() - 1);
  list.listview_ensure_visible(list.current_row());
  window.超级编辑框1->set_modified(false);
  return 1;
}

void on_menu_new() {
  create_article();
}

void on_menu_new_record() {
  create_article();
}
