#include "notebook/article_delete.h"

#include "app/main_window.h"
#include "notebook/article_load_save.h"
#include "notebook/article_statements.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/report_list.h"
#include "platform/database.h"
#include "platform/rich_editor.h"
#include "platform/ui_seam.h"
#include "platform/windows.h"

void delete_article() {
  MainWindow& window = main_window();
  ReportList& list = *window.超级列表框1;
  RichEditor& editor = *window.超级编辑框1;
  if (show_message_box(QStringLiteral("如果删除本数据将不可恢复 是否继续删除"), buttons_yes_no,
                       QString()) != answer_yes) {
    return;
  }
  const QString category = window.组合框1->combo_item_text(window.组合框1->selected_index());
  const QString title = list.listview_get_cell_text(list.current_row());
  const int position = list.current_row() + 1;
  list.listview_delete_row(list.current_row());
  editor.set_content(QString());

  // The delete and the renumbering are stored together or not at all.
  {
    ExternalDatabase& db = window.外部数据库1;
    Transaction transaction(db);
    if (db_execute(db, QStringLiteral("delete from 文章管理 where 文章所属='") +
                           sql_value(category) + QStringLiteral("' and 文章标题='") +
                           sql_value(title) + QStringLiteral("'")) != 0 &&
        close_position_gap(db, category, position)) {
      transaction.commit();
    }
  }

  editor.set_modified(false);
  const int rows = list.listview_row_count();
  list.set_current_row(rows < position ? rows - 1 : position - 1);
  load_selected_article();
  editor.set_modified(false);
}

void show_article_properties() {
  MainWindow& window = main_window();
  const QString category = window.组合框1->combo_item_text(window.组合框1->selected_index());
  const QString title =
      window.超级列表框1->listview_get_cell_text(window.超级列表框1->current_row());
  RecordSet records =
      db_query(window.外部数据库1, QStringLiteral("select * from 文章管理 where 文章所属='") +
                                       sql_value(category) + QStringLiteral("'and 文章标题= '") +
                                       sql_value(title) + QStringLiteral("'"));
  db_move_first(records);
  const QString owner = db_read_text(records, 2);
  const QString position = db_read_text(records, 3);
  const QString stored_title = db_read_text(records, 5);
  const QString created = db_read_text(records, 6);
  const QString changed = db_read_text(records, 7);
  db_close_recordset(records);

  const QString gap = QStringLiteral("\r\n\r\n");
  show_message_box(gap + QStringLiteral("记录位置：") + position + gap +
                       QStringLiteral("记录名称：") + stored_title + gap +
                       QStringLiteral("文章所属：") + owner + gap + QStringLiteral("建立时间：") +
                       created + gap + QStringLiteral("修改时间：") + changed,
                   buttons_ok, QString());
}
