#include "handlers/notebook/category_delete.h"

#include <QLineEdit>

#include "handlers/notebook/category_manager_list.h"
#include "handlers/notebook/category_refresh.h"
#include "platform/controls/report_list.h"
#include "platform/ui_seam.h"
#include "platform/windows.h"
#include "storage/category_table.h"
#include "windows/category_manager_window.h"
#include "windows/main_window.h"

void delete_category() {
  CategoryManagerWindow& window = category_manager_window();
  ReportList& list = *window.超级列表框1;
  if (list.current_row() == -1)
    return;
  if (show_message_box(QStringLiteral("如果继续删除 本目录下的 数据将全部删除 是否继续"),
                       buttons_yes_no, QString()) != answer_yes) {
    return;
  }
  const QString name = list.listview_get_cell_text(list.current_row(), 1);
  const int position = list.current_row() + 1;
  delete_category_with_articles(database(), name, position);

  fill_category_list();
  const int rows = list.listview_row_count();
  list.set_current_row(rows >= position ? position - 1 : rows - 1);
  if (rows == 0)
    window.编辑框1->setText(QString());
  refresh_after_category_change();
}
