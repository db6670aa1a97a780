#include "support/sql_helpers.h"

#include <sqlcipher/sqlite3.h>

#include <memory>

namespace {

struct StatementDeleter {
  void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

Statement prepare(ExternalDatabase& db, const QString& sql) {
  sqlite3* handle = db.handle();
  if (!handle)
    return nullptr;
  const QByteArray text = sql.toUtf8();
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(handle, text.constData(), int(text.size()), &raw, nullptr) != SQLITE_OK)
    return nullptr;
  return Statement(raw);
}

void bind_text(sqlite3_stmt* statement, int index, const std::optional<QString>& value) {
  if (!value) {
    sqlite3_bind_null(statement, index);
    return;
  }
  const QByteArray bytes = value->toUtf8();
  sqlite3_bind_text(statement, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
}

qint64 insert(ExternalDatabase& db, const QString& sql,
              const std::vector<std::optional<QString>>& values) {
  Statement statement = prepare(db, sql);
  if (!statement)
    return 0;
  for (size_t i = 0; i < values.size(); ++i)
    bind_text(statement.get(), int(i) + 1, values[i]);
  if (sqlite3_step(statement.get()) != SQLITE_DONE)
    return 0;
  return sqlite3_last_insert_rowid(db.handle());
}

QString quoted_name(const QString& name) {
  QString escaped = name;
  escaped.replace(u'"', QStringLiteral("\"\""));
  return u'"' + escaped + u'"';
}

}  // namespace

qint64 seed_category(ExternalDatabase& db, const QString& name, const QString& position) {
  return insert(db, QStringLiteral("insert into 目录管理(目录位置,目录名称) values(?,?)"),
                {position, name});
}

qint64 seed_article(ExternalDatabase& db, const QString& category, const QString& position,
                    const QString& title, const std::optional<QString>& content,
                    const QString& stamp) {
  return insert(db,
                QStringLiteral("insert into 文章管理(文章所属,文章位置,文章内容,文章标题,建立时间,"
                               "修改时间) values(?,?,?,?,?,?)"),
                {category, position, content, title, stamp, stamp});
}

bool seed_article_body(ExternalDatabase& db, qint64 id, const QByteArray& bytes, BodyType type) {
  Statement statement =
      prepare(db, QStringLiteral("update 文章管理 set 文章内容 = ? where ID = ?"));
  if (!statement)
    return false;
  const int size = int(bytes.size());
  if (type == BodyType::blob) {
    sqlite3_bind_blob(statement.get(), 1, bytes.constData(), size, SQLITE_TRANSIENT);
  } else {
    sqlite3_bind_text(statement.get(), 1, bytes.constData(), size, SQLITE_TRANSIENT);
  }
  sqlite3_bind_int64(statement.get(), 2, id);
  return sqlite3_step(statement.get()) == SQLITE_DONE && sqlite3_changes(db.handle()) == 1;
}

bool seed_sql(ExternalDatabase& db, const QString& sql) {
  sqlite3* handle = db.handle();
  return handle &&
         sqlite3_exec(handle, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::vector<QStringList> query_rows(ExternalDatabase& db, const QString& sql) {
  std::vector<QStringList> rows;
  Statement statement = prepare(db, sql);
  if (!statement)
    return rows;
  const int columns = sqlite3_column_count(statement.get());
  while (sqlite3_step(statement.get()) == SQLITE_ROW) {
    QStringList row;
    for (int column = 0; column < columns; ++column) {
      if (sqlite3_column_type(statement.get(), column) == SQLITE_NULL) {
        row << QString();
        continue;
      }
      const auto* text =
          reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), column));
      row << QString::fromUtf8(text, sqlite3_column_bytes(statement.get(), column));
    }
    rows.push_back(row);
  }
  return rows;
}

std::vector<QStringList> table_rows(ExternalDatabase& db, const QString& table) {
  return query_rows(
      db, QStringLiteral("select * from ") + quoted_name(table) + QStringLiteral(" order by ID"));
}

int row_count(ExternalDatabase& db, const QString& table) {
  const std::vector<QStringList> rows =
      query_rows(db, QStringLiteral("select count(*) from ") + quoted_name(table));
  return rows.empty() ? -1 : rows.front().value(0).toInt();
}
