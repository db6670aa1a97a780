#include "notebook/category_order.h"

#include <QLineEdit>

#include <map>

#include "app/database_connection.h"
#include "app/main_window.h"
#include "notebook/category_lists.h"
#include "notebook/category_manager.h"
#include "notebook/category_manager_window.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/report_list.h"
#include "platform/conversions.h"
#include "platform/database.h"
#include "platform/rich_editor.h"
#include "platform/ui_seam.h"
#include "platform/windows.h"

namespace {

// Gives the category named `name` the position `position`.
bool set_position_by_name(ExternalDatabase& db, int position, const QString& name) {
  return db_execute(db, QStringLiteral("update 目录管理 set 目录位置='") + to_text(position) +
                            QStringLiteral("'where 目录名称='") + sql_value(name) +
                            QStringLiteral("'")) != 0;
}

// Swaps the positions of the categories in rows `upper` and `upper` + 1 of the manager's list:
// the lower one first takes the upper one's position, then the upper one the lower one's. Both
// happen or neither, so two categories never end at one position.
void swap_with_next(const ReportList& list, int upper) {
  const QString upper_name = list.listview_get_cell_text(upper, 1);
  const QString lower_name = list.listview_get_cell_text(upper + 1, 1);
  const int upper_position = upper + 1;
  ExternalDatabase& db = database();
  Transaction transaction(db);
  if (set_position_by_name(db, upper_position, lower_name) &&
      set_position_by_name(db, upper_position + 1, upper_name)) {
    transaction.commit();
  }
}

// Lowers every position above `deleted` by one, each category exactly once whatever order the
// table holds them in. One statement finds every row by its old position text and gives all of
// them their new positions at once, so no row can be met again after it was lowered; one
// statement per position would scan the table once for each category.
bool close_category_gap(ExternalDatabase& db, int deleted) {
  std::map<QString, int> lowered;
  RecordSet records = db_query(db, QStringLiteral("select 目录位置 from 目录管理"));
  for (; !db_at_end(records); db_move_next(records)) {
    const QString text = db_read_text(records, 1);
    const int position = to_integer(text);
    if (position > deleted) {
      lowered.emplace(text, position - 1);
    }
  }
  db_close_recordset(records);
  if (lowered.empty()) {
    return true;
  }

  QString cases;
  QString old_texts;
  for (const auto& [text, position] : lowered) {
    const QString old_text = QLatin1Char('\'') + sql_value(text) + QLatin1Char('\'');
    cases += QStringLiteral(" when ") + old_text + QStringLiteral(" then '") + to_text(position) +
             QLatin1Char('\'');
    old_texts += (old_texts.isEmpty() ? QString() : QStringLiteral(",")) + old_text;
  }
  return db_execute(db, QStringLiteral("update 目录管理 set 目录位置=case 目录位置") + cases +
                            QStringLiteral(" end where 目录位置 in (") + old_texts +
                            QStringLiteral(")")) != 0;
}

}  // namespace

void move_category_up() {
  ReportList& list = *category_manager_window().超级列表框1;
  const int row = list.current_row();
  if (row == -1 || row == 0) {
    return;
  }
  swap_with_next(list, row - 1);
  fill_category_list();
  list.set_current_row(row - 1);
  refresh_after_category_change();
}

void move_category_down() {
  ReportList& list = *category_manager_window().超级列表框1;
  const int row = list.current_row();
  if (row == -1 || row == list.listview_row_count() - 1) {
    return;
  }
  swap_with_next(list, row);
  fill_category_list();
  list.set_current_row(row + 1);
  refresh_after_category_change();
}

void delete_category() {
  CategoryManagerWindow& window = category_manager_window();
  ReportList& list = *window.超级列表框1;
  if (list.current_row() == -1) {
    return;
  }
  if (show_message_box(QStringLiteral("如果继续删除 本目录下的 数据将全部删除 是否继续"),
                       buttons_yes_no, QString()) != answer_yes) {
    return;
  }
  const QString name = list.listview_get_cell_text(list.current_row(), 1);
  const int position = list.current_row() + 1;

  // The category, its articles and the renumbering go together: a failure keeps neither
  // articles without a category nor a gap that would hide the last category.
  {
    ExternalDatabase& db = database();
    Transaction transaction(db);
    // The chosen category is found by its name: by position, a repeated position would take
    // another category's row (or none) while this category's articles went.
    const bool done = db_execute(db, QStringLiteral("delete from 目录管理 where 目录名称='") +
                                         sql_value(name) + QStringLiteral("'")) != 0 &&
                      db_changed_rows(db) > 0 &&
                      db_execute(db, QStringLiteral("delete from 文章管理 where 文章所属='") +
                                         sql_value(name) + QStringLiteral("'")) != 0 &&
                      close_category_gap(db, position);
    if (done) {
      transaction.commit();
    }
  }

  fill_category_list();
  const int rows = list.listview_row_count();
  list.set_current_row(rows >= position ? position - 1 : rows - 1);
  if (rows == 0) {
    window.编辑框1->setText(QString());
  }
  refresh_after_category_change();
}

void refresh_after_category_change() {
  MainWindow& main = main_window();
  RichEditor& editor = *main.超级编辑框1;
  ComboBox& selector = *main.组合框1;
  ReportList& articles = *main.超级列表框1;

  editor.set_modified(false);
  const QString category = selector.combo_item_text(selector.selected_index());
  const QString article = articles.listview_get_cell_text(articles.current_row());
  const int caret = editor.selection_start();

  selector.combo_clear();
  editor.set_modified(false);
  fill_category_combo();
  editor.set_modified(false);

  // The manager's list and the selector are filled in the same order, row i being item i.
  const ReportList& categories = *category_manager_window().超级列表框1;
  bool found = false;
  for (int row = 0; row < categories.listview_row_count(); ++row) {
    if (categories.listview_get_cell_text(row, 1) == category) {
      selector.set_selected_index(row);
      on_category_changed();
      found = true;
      break;
    }
  }
  editor.set_modified(false);
  if (!found) {
    editor.set_content(QString());
    return;
  }

  for (int row = 0; row < articles.listview_row_count(); ++row) {
    if (articles.listview_get_cell_text(row) == article) {
      // Raises the list's row-changed event, which loads the article.
      articles.set_current_row(row);
      break;
    }
  }
  editor.set_selection_start(caret);
  editor.set_modified(false);
}
