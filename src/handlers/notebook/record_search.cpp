#include "handlers/notebook/record_search.h"

#include <utility>

#include "handlers/notebook/article_load_save.h"
#include "handlers/notebook/category_lists.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/edit_box.h"
#include "platform/controls/key_code.h"
#include "platform/controls/picture_button.h"
#include "platform/controls/report_list.h"
#include "platform/controls/result_list.h"
#include "platform/event_boundary.h"
#include "platform/rich_editor.h"
#include "platform/ui_seam.h"
#include "platform/windows.h"
#include "storage/article_table.h"
#include "windows/command_binding.h"
#include "windows/globals.h"
#include "windows/main_window.h"
#include "windows/record_search_window.h"
#include "windows/status_text.h"

namespace {

// Result list columns read by the go-to; column 0 only carries the row's picture.
constexpr int title_column = 1;
constexpr int category_column = 2;

}  // namespace

void open_record_search() {
  MainWindow& window = main_window();
  // A save from the question goes to the selected article when none was loaded yet.
  if (globals().loaded_article_row == -1)
    globals().loaded_article_row = window.超级列表框1->current_row();
  offer_to_save_modified_article();
  window.超级编辑框1->set_modified(false);
  RecordSearchWindow search;
  prepare_record_search(search);
  load_window(&search, true);
}

void prepare_record_search(RecordSearchWindow& window) {
  bind_event(window.图形按钮1, &PictureButton::on_clicked, &window, search_articles_by_title);
  bind_event(window.图形按钮3, &PictureButton::on_clicked, &window, record_search_go_to_clicked);
  bind_event(window.图形按钮2, &PictureButton::on_clicked, &window, record_search_close_clicked);
  QObject::connect(window.编辑框1, &EditBox::on_key_down, &window,
                   guarded(record_search_title_box_key_down));
  QObject::connect(&window, &RecordSearchWindow::on_key_down, &window,
                   guarded(record_search_key_down));
}

void search_articles_by_title() {
  RecordSearchWindow& window = record_search_window();
  ResultList& results = *window.超级列表框1;
  // The list is emptied first; its former rows lend their memory to the new hits. Column 0 stays
  // empty; the hits go in whole, as the engine gave them.
  TextRows room = results.listview_take_rows();
  results.listview_set_rows(
      articles_titled_like(database(), window.编辑框1->text(), std::move(room)), title_column);
  if (results.listview_row_count() > 0)
    return;
  set_window_topmost(&window, false);
  show_message_box(QStringLiteral("未搜到您要搜索的内容"), buttons_ok, QString());
  set_window_topmost(&window, true);
}

void record_search_title_box_key_down(int key_code, int) {
  if (key_code == key_code_enter)
    search_articles_by_title();
}

void record_search_go_to_clicked() {
  const ResultList& results = *record_search_window().超级列表框1;
  const int hit = results.current_row();
  if (hit == -1)
    return;
  const QString category = results.listview_get_cell_text(hit, category_column);
  const QString title = results.listview_get_cell_text(hit, title_column);
  MainWindow& window = main_window();
  const int index = window.组合框1->findText(category, Qt::MatchExactly | Qt::MatchCaseSensitive);
  if (index == -1) {
    window.超级编辑框1->set_content(QString());
    // The emptied editor holds no article: a save must not write it over the row still current,
    // and the status bar names none.
    globals().loaded_article_row = -1;
    show_in_status_bar(StatusPart::position, QString());
    return;
  }
  // Refilled even when the category is the selected one, so the editor starts empty.
  window.组合框1->set_selected_index(index);
  on_category_changed();
  ReportList& list = *window.超级列表框1;
  const QList<QTreeWidgetItem*> rows =
      list.findItems(title, Qt::MatchExactly | Qt::MatchCaseSensitive);
  // The row change loads the article.
  if (!rows.isEmpty())
    list.set_current_row(list.indexOfTopLevelItem(rows.first()));
}

void record_search_close_clicked() {
  close_window(&record_search_window());
}

void record_search_key_down(int key_code, int) {
  if (key_code == key_code_escape)
    close_window(&record_search_window());
}
