#include "handlers/notebook/article_create.h"

#include "handlers/notebook/article_load_save.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/report_list.h"
#include "platform/conversions.h"
#include "platform/ui_seam.h"
#include "platform/windows.h"
#include "storage/article_table.h"
#include "windows/current_article.h"
#include "windows/main_window.h"

int create_article() {
  MainWindow& window = main_window();
  ReportList& list = *window.超级列表框1;
  if (window.组合框1->selected_index() == -1) {
    show_message_box(QStringLiteral("请选择一个分类之后再进行新建"), buttons_ok, QString());
    return 0;
  }
  // A failed save has reported itself and does not stop the creation; the flag is cleared only
  // once the article exists, by loading it.
  offer_to_save_modified_article();

  const QString category = current_category();
  const QString position = to_text(list.listview_row_count() + 1.0);
  const QString title = category + position;
  if (article_title_exists(database(), category, title)) {
    show_message_box(
        QStringLiteral("要建立的名称重复 ") + title + QStringLiteral(" 请修改现有记录名称 在重试"),
        buttons_ok, QString());
    return 0;
  }
  // A row that no article backs would take the text typed into it, and no save could store it.
  if (!insert_article(database(), category, position, title, to_text(now()))) {
    show_message_box(QStringLiteral("新建失败请检查数据库"), buttons_ok, QString());
    return 0;
  }

  list.listview_insert_row(title, 0);
  // Loads the new article through the row-changed event.
  list.set_current_row(list.listview_row_count() - 1);
  list.listview_ensure_visible(list.current_row());
  return 1;
}

void on_menu_new() {
  create_article();
}

void on_menu_new_record() {
  create_article();
}
