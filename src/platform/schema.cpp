#include "platform/schema.h"

#include <sqlcipher/sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <memory>

namespace {

constexpr const char* cipher_compatibility_sql = "PRAGMA cipher_compatibility = 3";

constexpr const char* articles_table_sql =
    "CREATE TABLE 文章管理 (ID INTEGER PRIMARY KEY AUTOINCREMENT, 文章所属 TEXT, 文章位置 TEXT, "
    "文章内容 TEXT, 文章标题 TEXT, 建立时间 TEXT, 修改时间 TEXT)";

constexpr const char* categories_table_sql =
    "CREATE TABLE 目录管理 (ID INTEGER PRIMARY KEY AUTOINCREMENT, 目录位置 TEXT, 目录名称 TEXT)";

constexpr const char* users_table_sql =
    "CREATE TABLE 用户管理 (ID INTEGER PRIMARY KEY AUTOINCREMENT, 开启登陆 TEXT, 用户密码 TEXT)";

constexpr const char* login_row_sql = "INSERT INTO 用户管理 (开启登陆, 用户密码) VALUES ('假', '')";

// Lookups by category and title.
constexpr const char* title_index_sql =
    "CREATE INDEX 文章管理_所属_标题 ON 文章管理 (文章所属, 文章标题)";

// Covers the article list fill, which reads only these columns.
constexpr const char* list_index_sql =
    "CREATE INDEX 文章管理_所属_位置_标题 ON 文章管理 (文章所属, 文章位置, 文章标题)";

struct HandleCloser {
  void operator()(sqlite3* handle) const noexcept { sqlite3_close(handle); }
};

bool run(sqlite3* handle, const char* sql) {
  return sqlite3_exec(handle, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool write_schema(const QString& path) {
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw,
                                 SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  std::unique_ptr<sqlite3, HandleCloser> handle(raw);
  if (rc != SQLITE_OK)
    return false;
  const QByteArray key = database_password.toUtf8();
  if (sqlite3_key(handle.get(), key.constData(), static_cast<int>(key.size())) != SQLITE_OK) {
    return false;
  }
  for (const char* sql : {cipher_compatibility_sql, "PRAGMA journal_mode = DELETE", "BEGIN",
                          articles_table_sql, categories_table_sql, users_table_sql, login_row_sql,
                          title_index_sql, list_index_sql, "COMMIT"}) {
    if (!run(handle.get(), sql))
      return false;
  }
  return sqlite3_close(handle.release()) == SQLITE_OK;
}

}  // namespace

bool create_empty_database(const QString& path) {
  // An existing file may be someone's notebook: it is never replaced.
  if (QFileInfo::exists(path))
    return false;
  const QFileInfo target(path);
  QTemporaryFile temp(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                      QStringLiteral(".XXXXXX"));
  if (!temp.open())
    return false;
  temp.close();
  if (!write_schema(temp.fileName()))
    return false;
  temp.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
  if (!QFile::rename(temp.fileName(), path))
    return false;
  temp.setAutoRemove(false);
  return true;
}
