#include "handlers/notebook/category_manager_list.h"

#include <QLineEdit>

#include "platform/controls/report_list.h"
#include "storage/category_table.h"
#include "windows/category_manager_window.h"
#include "windows/main_window.h"

void category_manager_created() {
  fill_category_list();
}

void fill_category_list() {
  ReportList& list = *category_manager_window().超级列表框1;
  list.listview_clear();
  QList<QStringList> rows;
  for (const QString& name : category_names_in_order(database()))
    rows.append({QString(), name});
  list.listview_append_rows(rows);
}

void category_manager_list_row_changed() {
  CategoryManagerWindow& window = category_manager_window();
  const ReportList& list = *window.超级列表框1;
  window.编辑框1->setText(list.listview_get_cell_text(list.current_row(), 1));
}
