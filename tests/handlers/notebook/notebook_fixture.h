#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStringList>

#include "handlers/notebook/category_lists.h"
#include "platform/controls/combo_box.h"
#include "platform/controls/report_list.h"
#include "platform/controls/status_bar.h"
#include "platform/rich_editor.h"
#include "support/main_window_fixture.h"
#include "windows/globals.h"
#include "windows/main_window.h"

// The main window over a seeded data.mdb, with readers of what the file holds afterwards.
class NotebookTest : public MainWindowFixture {
 protected:
  static inline const QString question = QStringLiteral("当前内容已被修改 是否进行保存");
  static inline const QString refused = QStringLiteral("保存失败 请选择一条记录 用来存储");
  static inline const QString failed = QStringLiteral("保存失败请检查数据库");

  ComboBox& combo() { return *window().组合框1; }
  ReportList& list() { return *window().超级列表框1; }
  RichEditor& editor() { return *window().超级编辑框1; }
  QString status() { return window().状态条1->statusbar_part_text(0); }

  QStringList rows() {
    QStringList texts;
    for (int row = 0; row < list().listview_row_count(); ++row) {
      texts << list().listview_get_cell_text(row);
    }
    return texts;
  }

  // One stored column of the article, or a null text when there is no such article.
  QString stored(const QString& column, const QString& category, const QString& title) {
    const auto found =
        query_rows(QStringLiteral("select ") + column +
                   QStringLiteral(" from 文章管理 where 文章所属 = '") + sql_value(category) +
                   QStringLiteral("' and 文章标题 = '") + sql_value(title) + QStringLiteral("'"));
    return found.empty() ? QString() : found.front().value(0);
  }

  // "title@position" of every article of the category, in position and then table order.
  QStringList placed(const QString& category) {
    QStringList texts;
    for (const QStringList& row : query_rows(
             QStringLiteral("select 文章标题 || '@' || 文章位置 from 文章管理 where 文章所属 = '") +
             sql_value(category) + QStringLiteral("' order by cast(文章位置 as integer), ID"))) {
      texts << row.value(0);
    }
    return texts;
  }

  // "name@position" of every category in table order.
  QStringList stored_categories() {
    QStringList texts;
    for (const QStringList& row : query_rows(
             QStringLiteral("select 目录名称 || '@' || 目录位置 from 目录管理 order by ID"))) {
      texts << row.value(0);
    }
    return texts;
  }

  // From now on every update that sets the column fails, as a full disk would fail it.
  void fail_updates_of(const QString& column) {
    ASSERT_TRUE(seed_sql(db(), QStringLiteral("create trigger 写入失败 before update of ") +
                                   column +
                                   QStringLiteral(" on 文章管理 begin select raise(abort, "
                                                  "'disk full'); end")));
  }

  // Opens the list's in-place editor on the row, as 重新命名 does, and types over its title.
  QLineEdit* type_title(int row, const QString& text) {
    list().set_current_row(row);
    list().listview_edit_label(row);
    QApplication::processEvents();
    auto* line = list().viewport()->findChild<QLineEdit*>();
    if (line != nullptr)
      line->setText(text);
    return line;
  }

  // Types over the row's title in the in-place editor and ends the edit with Return.
  void rename_row(int row, const QString& text) {
    QLineEdit* line = type_title(row, text);
    ASSERT_NE(line, nullptr) << "no in-place editor";
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(line, &enter);
    QApplication::processEvents();
  }
};
