#include "notebook/article_statements.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "app/database_connection.h"
#include "platform/conversions.h"
#include "platform/database.h"
#include "platform/runtime_error.h"

namespace {

struct PlacedValue {
  int position;
  DbValue shown;
};

// Orders rows already in table order by position, keeping table order among equal positions,
// and keeps the rows whose position lies in 1..count. count is asked for only when some
// position lies beyond the rows at hand, since the rows never outnumber it.
template <class Count>
std::vector<PlacedValue> in_position_order(std::vector<PlacedValue> rows, Count count) {
  std::stable_sort(rows.begin(), rows.end(), [](const PlacedValue& a, const PlacedValue& b) {
    return a.position < b.position;
  });
  const int rows_at_hand = static_cast<int>(rows.size());
  std::optional<int> n;
  std::erase_if(rows, [&](const PlacedValue& row) {
    if (row.position < 1)
      return true;
    if (row.position <= rows_at_hand)
      return false;
    if (!n)
      n = count();
    return row.position > *n;
  });
  return rows;
}

QStringList texts_of(const std::vector<PlacedValue>& rows) {
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(rows.size()));
  for (const PlacedValue& row : rows)
    texts.append(field_text(row.shown));
  return texts;
}

}  // namespace

QString field_text(const DbValue& value) {
  switch (value.type()) {
    case DbValue::Type::null:
      return {};
    case DbValue::Type::text:
      return value.text();
    default:
      throw RuntimeError(error_not_text);
  }
}

QStringList category_names_in_order(ExternalDatabase& db) {
  // The whole table is read, so its row count is the count.
  RecordSet records =
      db_query(db, QStringLiteral("select 目录位置, 目录名称 from 目录管理 order by rowid"));
  std::vector<PlacedValue> rows;
  for (; !db_at_end(records); db_move_next(records)) {
    rows.push_back({to_integer(db_read_field(records, 1)), db_read_field(records, 2)});
  }
  db_close_recordset(records);
  const int count = static_cast<int>(rows.size());
  return texts_of(in_position_order(std::move(rows), [count] { return count; }));
}

QStringList article_titles_in_order(ExternalDatabase& db, const QString& category) {
  // Served by the index on (文章所属, 文章位置, 文章标题) alone.
  RecordSet records =
      db_query(db, QStringLiteral("select 文章位置, 文章标题 from 文章管理 where 文章所属 = '") +
                       sql_value(category) + QStringLiteral("' order by rowid"));
  std::vector<PlacedValue> rows;
  for (; !db_at_end(records); db_move_next(records)) {
    rows.push_back({to_integer(db_read_field(records, 1)), db_read_field(records, 2)});
  }
  db_close_recordset(records);
  return texts_of(in_position_order(std::move(rows),
                                    [&db] { return count_rows(db, QStringLiteral("文章管理")); }));
}

bool article_title_exists(ExternalDatabase& db, const QString& category, const QString& title) {
  RecordSet records =
      db_query(db, QStringLiteral("select 文章标题 from 文章管理 where 文章所属 = '") +
                       sql_value(category) + QStringLiteral("' and 文章标题 = '") +
                       sql_value(title) + QStringLiteral("' limit 1"));
  const bool found = !db_at_end(records);
  db_close_recordset(records);
  return found;
}

QString read_article_content(ExternalDatabase& db, const QString& category, const QString& title) {
  RecordSet records =
      db_query(db, QStringLiteral("select * from 文章管理 where 文章所属='") + sql_value(category) +
                       QStringLiteral("'and 文章标题='") + sql_value(title) + QStringLiteral("'"));
  const QString content = db_read_text(records, QStringLiteral("文章内容"));
  db_close_recordset(records);
  return content;
}

bool close_position_gap(ExternalDatabase& db, const QString& category, int deleted_position) {
  struct Later {
    int value;
    QString text;
  };
  std::vector<Later> later;
  RecordSet records =
      db_query(db, QStringLiteral("select 文章位置 from 文章管理 where 文章所属 = '") +
                       sql_value(category) + QStringLiteral("'"));
  for (; !db_at_end(records); db_move_next(records)) {
    const QString text = db_read_text(records, 1);
    const int value = to_integer(text);
    if (value > deleted_position)
      later.push_back({value, text});
  }
  db_close_recordset(records);

  // Each statement lowers every article holding its position text. Going up from the gap, no
  // statement can meet an article that an earlier one lowered: that one now holds a smaller
  // value than every position still to come.
  std::sort(later.begin(), later.end(), [](const Later& a, const Later& b) {
    return a.value != b.value ? a.value < b.value : a.text < b.text;
  });
  later.erase(std::unique(later.begin(), later.end(),
                          [](const Later& a, const Later& b) { return a.text == b.text; }),
              later.end());
  for (const Later& entry : later) {
    const QString statement =
        QStringLiteral("update 文章管理 set 文章位置='") + sql_value(to_text(entry.value - 1.0)) +
        QStringLiteral("'where 文章位置='") + sql_value(entry.text) +
        QStringLiteral("' and 文章所属='") + sql_value(category) + QStringLiteral("'");
    if (db_execute(db, statement) == 0)
      return false;
  }
  return true;
}
