#include "handlers/notebook/article_delete.h"

#include "handlers/notebook/article_load_save.h"
#include "platform/controls/report_list.h"
#include "platform/rich_editor.h"
#include "platform/ui_seam.h"
#include "platform/windows.h"
#include "storage/article_table.h"
#include "windows/current_article.h"
#include "windows/main_window.h"

void delete_article() {
  MainWindow& window = main_window();
  ReportList& list = *window.超级列表框1;
  if (show_message_box(QStringLiteral("如果删除本数据将不可恢复 是否继续删除"), buttons_yes_no,
                       QString()) != answer_yes) {
    return;
  }
  const int position = list.current_row() + 1;
  // Stored first: a delete that did not land keeps its row and the editor's text, so the list
  // still matches the table and nothing is lost.
  if (!remove_article_closing_gap(database(), current_category(), current_title(), position)) {
    show_message_box(QStringLiteral("删除失败请检查数据库"), buttons_ok, QString());
    return;
  }
  list.listview_delete_row(list.current_row());
  window.超级编辑框1->set_content(QString());

  const int rows = list.listview_row_count();
  list.set_current_row(rows < position ? rows - 1 : position - 1);
  load_selected_article();
}

void show_article_properties() {
  const ArticleFields fields = read_article_fields(database(), current_category(), current_title(),
                                                   main_window().超级列表框1->current_row() + 1);
  const QString gap = QStringLiteral("\r\n\r\n");
  show_message_box(gap + QStringLiteral("记录位置：") + fields.position + gap +
                       QStringLiteral("记录名称：") + fields.title + gap +
                       QStringLiteral("文章所属：") + fields.category + gap +
                       QStringLiteral("建立时间：") + fields.created + gap +
                       QStringLiteral("修改时间：") + fields.changed,
                   buttons_ok, QString());
}
