#include "notebook/article_rename.h"

#include "app/main_window.h"
#include "notebook/article_statements.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/report_list.h"
#include "platform/conversions.h"
#include "platform/database.h"
#include "platform/ui_seam.h"
#include "platform/windows.h"

void on_menu_rename_record() {
  ReportList& list = *main_window().超级列表框1;
  list.listview_edit_label(list.current_row());
}

bool rename_article_in_place() {
  MainWindow& window = main_window();
  ReportList& list = *window.超级列表框1;
  ExternalDatabase& db = window.外部数据库1;
  const QString old_title = list.listview_get_cell_text(list.current_row());
  const QString typed = list.edited_label();
  if (typed == old_title)
    return true;
  const QString category = window.组合框1->combo_item_text(window.组合框1->selected_index());
  if (typed.isEmpty())
    return false;
  if (article_title_exists(db, category, typed)) {
    show_message_box(QStringLiteral("要修改的名称与其他记录标题重复"), buttons_ok, QString());
    return false;
  }
  db_execute(db, QStringLiteral("update 文章管理 set 修改时间 = '") + sql_value(to_text(now())) +
                     QStringLiteral("'  where 文章所属 = '") + sql_value(category) +
                     QStringLiteral("' and 文章标题 ='") + sql_value(old_title) +
                     QStringLiteral("'"));
  // Found by its title, as the stamp is: a position could name another article, or several,
  // when the stored positions have gaps or repeats.
  if (db_execute(db, QStringLiteral("update 文章管理 set 文章标题 ='") + sql_value(typed) +
                         QStringLiteral("' where 文章所属 ='") + sql_value(category) +
                         QStringLiteral("' and 文章标题 ='") + sql_value(old_title) +
                         QStringLiteral("'")) == 0) {
    show_message_box(QStringLiteral("修改记录名称失败"), buttons_ok, QString());
    return false;
  }
  return true;
}
