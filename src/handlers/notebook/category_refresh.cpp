#include "handlers/notebook/category_refresh.h"

#include "handlers/notebook/category_lists.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/report_list.h"
#include "platform/rich_editor.h"
#include "windows/category_manager_window.h"
#include "windows/current_article.h"
#include "windows/main_window.h"

void refresh_after_category_change() {
  MainWindow& main = main_window();
  RichEditor& editor = *main.超级编辑框1;
  ComboBox& selector = *main.组合框1;
  ReportList& articles = *main.超级列表框1;

  // The manager opens only with the editor unmodified and holds the focus while open, so the
  // reload below asks no question.
  const QString category = current_category();
  const QString article = current_title();
  const int caret = editor.selection_start();

  selector.combo_clear();
  fill_category_combo();

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
}
