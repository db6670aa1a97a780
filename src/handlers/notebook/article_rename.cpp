#include "handlers/notebook/article_rename.h"

#include "platform/controls/report_list.h"
#include "platform/conversions.h"
#include "platform/ui_seam.h"
#include "platform/windows.h"
#include "storage/article_table.h"
#include "windows/current_article.h"
#include "windows/main_window.h"

void on_menu_rename_record() {
  ReportList& list = *main_window().超级列表框1;
  list.listview_edit_label(list.current_row());
}

bool rename_article_in_place() {
  const ReportList& list = *main_window().超级列表框1;
  const QString old_title = list.listview_get_cell_text(list.edited_row());
  const QString typed = list.edited_label();
  if (typed == old_title)
    return true;
  const QString category = current_category();
  if (typed.isEmpty())
    return false;
  if (article_title_exists(database(), category, typed)) {
    show_message_box(QStringLiteral("要修改的名称与其他记录标题重复"), buttons_ok, QString());
    return false;
  }
  if (!rename_article(database(), category, old_title, list.edited_row() + 1, typed,
                      to_text(now()))) {
    show_message_box(QStringLiteral("修改记录名称失败"), buttons_ok, QString());
    return false;
  }
  return true;
}
