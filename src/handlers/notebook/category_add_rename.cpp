#include "handlers/notebook/category_add_rename.h"

#include <QLineEdit>

#include "handlers/notebook/category_manager_list.h"
#include "handlers/notebook/category_refresh.h"
#include "platform/controls/report_list.h"
#include "platform/ui_seam.h"
#include "platform/windows.h"
#include "storage/category_table.h"
#include "windows/category_manager_window.h"
#include "windows/main_window.h"

void add_category() {
  CategoryManagerWindow& window = category_manager_window();
  const QString name = window.编辑框1->text();
  if (name.isEmpty())
    return;
  if (category_name_exists(database(), name)) {
    show_message_box(QStringLiteral("输入的目录已存在"), buttons_ok, QString());
    return;
  }
  insert_category(database(), count_categories(database()) + 1, name);

  ReportList& list = *window.超级列表框1;
  fill_category_list();
  list.set_current_row(list.listview_row_count() - 1);
  refresh_after_category_change();
}

void rename_category() {
  CategoryManagerWindow& window = category_manager_window();
  ReportList& list = *window.超级列表框1;
  const int selected = list.current_row();
  if (selected == -1)
    return;
  const QString old_name = list.listview_get_cell_text(selected, 1);
  const QString new_name = window.编辑框1->text();
  if (new_name == old_name)
    return;
  if (category_name_exists(database(), new_name)) {
    show_message_box(QStringLiteral("要修改的名称与其他目录重复"), buttons_ok, QString());
    return;
  }
  rename_category_with_articles(database(), old_name, selected + 1, new_name);

  fill_category_list();
  list.set_current_row(selected);
  refresh_after_category_change();
}
