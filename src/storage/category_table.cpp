#include "storage/category_table.h"

#include <map>

#include "platform/conversions.h"
#include "platform/database.h"
#include "storage/article_table.h"
#include "storage/chosen_row.h"
#include "storage/position_order.h"

namespace {

// The category of this name that the manager's list shows at this position.
std::optional<qint64> find_category(ExternalDatabase& db, const QString& name, int position,
                                    const QString& action) {
  QString named = QStringLiteral("目录名称='") + sql_value(name) + QStringLiteral("'");
  if (name.isEmpty())
    named = QStringLiteral("(") + named + QStringLiteral(" or 目录名称 is null)");
  return find_chosen_row(db,
                         {QStringLiteral("目录管理"), named, QStringLiteral("目录位置"), position,
                          action + QStringLiteral(" \"") + name + QStringLiteral("\" in")});
}

bool set_position_of(ExternalDatabase& db, qint64 id, int position) {
  return db_execute(db, QStringLiteral("update 目录管理 set 目录位置='") + to_text(position) +
                            QStringLiteral("'where ") + where_id(id)) != 0 &&
         db_changed_rows(db) == 1;
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
    if (position > deleted)
      lowered.emplace(text, position - 1);
  }
  db_close_recordset(records);
  if (lowered.empty())
    return true;

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

QStringList category_names_in_order(ExternalDatabase& db) {
  // The whole table is read, so its row count is the count.
  std::vector<PlacedValue> rows = read_placed_values(
      db, QStringLiteral("select 目录位置, 目录名称 from 目录管理 order by rowid"));
  const int count = static_cast<int>(rows.size());
  return texts_in_position_order(std::move(rows), [count] { return count; });
}

bool category_name_exists(ExternalDatabase& db, const QString& name) {
  QString sql = QStringLiteral("select 目录名称 from 目录管理 where 目录名称='") + sql_value(name) +
                QStringLiteral("'");
  if (name.isEmpty())
    sql += QStringLiteral(" or 目录名称 is null");
  RecordSet records = db_query(db, sql + QStringLiteral(" limit 1"));
  const bool exists = !db_at_end(records);
  db_close_recordset(records);
  return exists;
}

int count_categories(ExternalDatabase& db) {
  return count_rows(db, QStringLiteral("目录管理"));
}

bool insert_category(ExternalDatabase& db, int position, const QString& name) {
  return db_execute(db, QStringLiteral("insert into 目录管理(目录位置,目录名称) values('") +
                            to_text(position) + QStringLiteral("','") + sql_value(name) +
                            QStringLiteral("')")) != 0;
}

bool rename_category_with_articles(ExternalDatabase& db, const QString& old_name, int position,
                                   const QString& new_name) {
  const std::optional<qint64> id =
      find_category(db, old_name, position, QStringLiteral("rename the category"));
  if (!id)
    return false;
  Transaction transaction(db);
  if (!transaction.open() ||
      db_execute(db, QStringLiteral("update 目录管理 set 目录名称='") + sql_value(new_name) +
                         QStringLiteral("'where ") + where_id(*id)) == 0 ||
      db_changed_rows(db) != 1) {
    return false;
  }
  // Articles name their category only by its name: while another category keeps the old name
  // they are that one's too, and stay where they are shown.
  return (category_name_exists(db, old_name) ||
          move_articles_to_category(db, old_name, new_name)) &&
         transaction.commit();
}

bool swap_category_positions(ExternalDatabase& db, int upper_position, const QString& upper_name,
                             const QString& lower_name) {
  // Both are found before either moves: each stands at the position the other is given.
  const QString action = QStringLiteral("move the category");
  const std::optional<qint64> upper = find_category(db, upper_name, upper_position, action);
  const std::optional<qint64> lower =
      upper ? find_category(db, lower_name, upper_position + 1, action) : std::nullopt;
  if (!lower || *upper == *lower)
    return false;
  Transaction transaction(db);
  return transaction.open() && set_position_of(db, *lower, upper_position) &&
         set_position_of(db, *upper, upper_position + 1) && transaction.commit();
}

bool delete_category_with_articles(ExternalDatabase& db, const QString& name, int position) {
  const std::optional<qint64> id =
      find_category(db, name, position, QStringLiteral("delete the category"));
  if (!id)
    return false;
  Transaction transaction(db);
  if (!transaction.open() ||
      db_execute(db, QStringLiteral("delete from 目录管理 where ") + where_id(*id)) == 0 ||
      db_changed_rows(db) != 1) {
    return false;
  }
  // Articles of a name that another category still has are shown there, and stay.
  return (category_name_exists(db, name) || delete_articles_of_category(db, name)) &&
         close_category_gap(db, position) && transaction.commit();
}
