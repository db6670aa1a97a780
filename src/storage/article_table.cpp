#include "storage/article_table.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/conversions.h"
#include "platform/database.h"
#include "storage/chosen_row.h"
#include "storage/position_order.h"

namespace {

// The article of the category with this title that the list shows at this position; action
// empty for a read, which then takes the first article of the title, as the table gives it.
std::optional<qint64> find_article(ExternalDatabase& db, const QString& category,
                                   const QString& title, int position, const QString& action) {
  return find_chosen_row(
      db, {QStringLiteral("文章管理"),
           QStringLiteral("文章所属 = '") + sql_value(category) +
               QStringLiteral("' and 文章标题 = '") + sql_value(title) + QStringLiteral("'"),
           QStringLiteral("文章位置"), position,
           action.isEmpty() ? QString()
                            : action + QStringLiteral(" \"") + category + u'/' + title +
                                  QStringLiteral("\" in")});
}

// A read finds the article as the list shows it; when titles and positions cannot tell it from
// another, the first of its title, as the table gives it.
QString where_read_article(ExternalDatabase& db, const QString& category, const QString& title,
                           int position, const QString& title_equals) {
  const std::optional<qint64> id = find_article(db, category, title, position, QString());
  return QStringLiteral("where 文章所属='") + sql_value(category) + title_equals +
         sql_value(title) + QStringLiteral("'") +
         (id ? QStringLiteral(" and ") + where_id(*id) : QString());
}

// Lowers by one every position of the category above the deleted one, each article exactly
// once whatever order the table holds them in. false when a statement failed.
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

bool set_article_position(ExternalDatabase& db, qint64 id, int position) {
  return db_execute(db, QStringLiteral("update 文章管理 set 文章位置='") +
                            sql_value(to_text(position)) + QStringLiteral("' where ") +
                            where_id(id)) != 0 &&
         db_changed_rows(db) == 1;
}

}  // namespace

QStringList article_titles_in_order(ExternalDatabase& db, const QString& category) {
  // Served by the index on (文章所属, 文章位置, 文章标题) alone.
  return texts_in_position_order(
      read_placed_values(db, QStringLiteral("select 文章位置, 文章标题 from 文章管理 where "
                                            "文章所属 = '") +
                                 sql_value(category) + QStringLiteral("' order by rowid")),
      [&db] { return count_articles(db); });
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

QByteArray read_article_content(ExternalDatabase& db, const QString& category, const QString& title,
                                int position) {
  RecordSet records = db_query(
      db, QStringLiteral("select * from 文章管理 ") +
              where_read_article(db, category, title, position, QStringLiteral("'and 文章标题='")));
  // Bytes, not text: binary picture data and legacy GBK bodies are no UTF-8, and an old body may be
  // stored as a blob.
  const QByteArray content = db_read_bytes(records, QStringLiteral("文章内容"));
  db_close_recordset(records);
  return content;
}

ArticleFields read_article_fields(ExternalDatabase& db, const QString& category,
                                  const QString& title, int position) {
  RecordSet records = db_query(db, QStringLiteral("select * from 文章管理 ") +
                                       where_read_article(db, category, title, position,
                                                          QStringLiteral("'and 文章标题= '")));
  db_move_first(records);
  ArticleFields fields;
  fields.category = db_read_text(records, 2);
  fields.position = db_read_text(records, 3);
  fields.title = db_read_text(records, 5);
  fields.created = db_read_text(records, 6);
  fields.changed = db_read_text(records, 7);
  db_close_recordset(records);
  return fields;
}

TextRows articles_titled_like(ExternalDatabase& db, const QString& text, TextRows room) {
  // In rowid order the engine walks the index that starts with ID and holds every listed
  // column; a file without that index is read from the table, in the same order.
  RecordSet records =
      db_query(db, QStringLiteral("select 文章标题, 文章所属, 建立时间, 修改时间 from 文章管理 "
                                  "where 文章标题 like '%") +
                       sql_value(text) + QStringLiteral("%' order by rowid"));
  TextRows hits = std::move(room);
  hits.clear(hit_columns);
  for (; !db_at_end(records); db_move_next(records)) {
    for (int column = 1; column <= hit_columns; ++column)
      hits.append(db_read_text_utf8(records, column));
  }
  db_close_recordset(records);
  return hits;
}

int count_articles(ExternalDatabase& db) {
  return count_rows(db, QStringLiteral("文章管理"));
}

bool insert_article(ExternalDatabase& db, const QString& category, const QString& position,
                    const QString& title, const QString& stamp) {
  return db_execute(db, QStringLiteral(
                            "insert into 文章管理(文章所属,文章位置,文章标题,建立时间,修改时间) "
                            "values('") +
                            sql_value(category) + QStringLiteral("','") + sql_value(position) +
                            QStringLiteral("','") + sql_value(title) + QStringLiteral("','") +
                            sql_value(stamp) + QStringLiteral("','") + sql_value(stamp) +
                            QStringLiteral("')")) != 0;
}

bool store_article_content(ExternalDatabase& db, const QString& category, const QString& title,
                           int position, const QString& content, const QString& stamp) {
  const std::optional<qint64> id =
      find_article(db, category, title, position, QStringLiteral("save the article"));
  if (!id)
    return false;
  // One update: a separate stamp statement would rewrite the whole article once more.
  const QString statement = QStringLiteral("update 文章管理 set 文章内容 = ?, 修改时间 = '") +
                            sql_value(stamp) + QStringLiteral("'  where ") + where_id(*id);
  // An update that finds no article stores nothing: that is a failure, not a save.
  return db_execute(db, statement, content) != 0 && db_changed_rows(db) == 1;
}

bool rename_article(ExternalDatabase& db, const QString& category, const QString& old_title,
                    int position, const QString& new_title, const QString& stamp) {
  const std::optional<qint64> id =
      find_article(db, category, old_title, position, QStringLiteral("rename the article"));
  if (!id)
    return false;
  Transaction transaction(db);
  return transaction.open() &&
         db_execute(db, QStringLiteral("update 文章管理 set 修改时间 = '") + sql_value(stamp) +
                            QStringLiteral("'  where ") + where_id(*id)) != 0 &&
         db_execute(db, QStringLiteral("update 文章管理 set 文章标题 ='") + sql_value(new_title) +
                            QStringLiteral("' where ") + where_id(*id)) != 0 &&
         db_changed_rows(db) == 1 && transaction.commit();
}

bool set_two_article_positions(ExternalDatabase& db, const QString& category,
                               const QString& first_title, int first_position,
                               const QString& second_title, int second_position) {
  // Both are found before either moves: each stands at the position the other is given.
  const QString action = QStringLiteral("move the article");
  const std::optional<qint64> first =
      find_article(db, category, first_title, second_position, action);
  const std::optional<qint64> second =
      first ? find_article(db, category, second_title, first_position, action) : std::nullopt;
  if (!second || *first == *second)
    return false;
  Transaction transaction(db);
  return transaction.open() && set_article_position(db, *first, first_position) &&
         set_article_position(db, *second, second_position) && transaction.commit();
}

bool remove_article_closing_gap(ExternalDatabase& db, const QString& category, const QString& title,
                                int position) {
  const std::optional<qint64> id =
      find_article(db, category, title, position, QStringLiteral("delete the article"));
  if (!id)
    return false;
  Transaction transaction(db);
  return transaction.open() &&
         db_execute(db, QStringLiteral("delete from 文章管理 where ") + where_id(*id)) != 0 &&
         db_changed_rows(db) == 1 && close_position_gap(db, category, position) &&
         transaction.commit();
}

bool move_articles_to_category(ExternalDatabase& db, const QString& old_name,
                               const QString& new_name) {
  return db_execute(db, QStringLiteral("update 文章管理 set 文章所属='") + sql_value(new_name) +
                            QStringLiteral("'where 文章所属='") + sql_value(old_name) +
                            QStringLiteral("'")) != 0;
}

bool delete_articles_of_category(ExternalDatabase& db, const QString& name) {
  return db_execute(db, QStringLiteral("delete from 文章管理 where 文章所属='") + sql_value(name) +
                            QStringLiteral("'")) != 0;
}
