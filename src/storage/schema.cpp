#include "storage/schema.h"

#include <QStringList>

#include "platform/database_file.h"
#include "platform/zip.h"

namespace {

const QString articles_table_sql = QStringLiteral(
    "CREATE TABLE 文章管理 (ID INTEGER PRIMARY KEY AUTOINCREMENT, 文章所属 TEXT, 文章位置 TEXT, "
    "文章内容 TEXT, 文章标题 TEXT, 建立时间 TEXT, 修改时间 TEXT)");

const QString categories_table_sql = QStringLiteral(
    "CREATE TABLE 目录管理 (ID INTEGER PRIMARY KEY AUTOINCREMENT, 目录位置 TEXT, 目录名称 TEXT)");

const QString users_table_sql = QStringLiteral(
    "CREATE TABLE 用户管理 (ID INTEGER PRIMARY KEY AUTOINCREMENT, 开启登陆 TEXT, 用户密码 TEXT)");

const QString login_row_sql =
    QStringLiteral("INSERT INTO 用户管理 (开启登陆, 用户密码) VALUES ('假', '')");

// Lookups by category and title.
const QString title_index_sql =
    QStringLiteral("CREATE INDEX 文章管理_所属_标题 ON 文章管理 (文章所属, 文章标题)");

// Covers the article list fill, which reads only these columns.
const QString list_index_sql = QStringLiteral(
    "CREATE INDEX 文章管理_所属_位置_标题 ON 文章管理 (文章所属, 文章位置, 文章标题)");

// Covers the title search: its rows come in table order with the columns it shows, without
// reading the article bodies that stand before those columns in every row.
const QString search_index_sql = QStringLiteral(
    "CREATE INDEX 文章管理_序号_标题_所属_时间 ON 文章管理 "
    "(ID, 文章标题, 文章所属, 建立时间, 修改时间)");

// Made by the engine for the AUTOINCREMENT keys.
const QString sequence_table_sql = QStringLiteral("CREATE TABLE sqlite_sequence(name,seq)");

// Exactly what create_empty_database makes: a trigger, a view, a constraint or an index of
// anyone else's could change or refuse what the program writes. Notebooks of earlier builds
// lack the search index.
const QList<SchemaObject> notebook_schema = {
    {QStringLiteral("table"), QStringLiteral("文章管理"), articles_table_sql},
    {QStringLiteral("table"), QStringLiteral("目录管理"), categories_table_sql},
    {QStringLiteral("table"), QStringLiteral("用户管理"), users_table_sql},
    {QStringLiteral("table"), QStringLiteral("sqlite_sequence"), sequence_table_sql},
    {QStringLiteral("index"), QStringLiteral("文章管理_所属_标题"), title_index_sql},
    {QStringLiteral("index"), QStringLiteral("文章管理_所属_位置_标题"), list_index_sql},
    {QStringLiteral("index"), QStringLiteral("文章管理_序号_标题_所属_时间"), search_index_sql,
     true},
};

// The login reads the first row of 用户管理 as text: it must be there.
const QStringList notebook_checks = {QStringLiteral(
    "SELECT typeof(开启登陆) IN ('text', 'null') AND typeof(用户密码) IN ('text', 'null') "
    "FROM 用户管理 LIMIT 1")};

// Encrypted pages look random, so a notebook does not compress: deflate makes it a little
// larger. An entry that inflates beyond its packed size by more than this holds something else.
constexpr quint64 max_notebook_growth = 64 * 1024;

QString notebook_sizes_fit(quint64 size, quint64 packed_size) {
  if (size == 0 || size % db_page_size != 0)
    return QStringLiteral("%1 bytes are no whole number of %2-byte pages")
        .arg(size)
        .arg(db_page_size);
  if (size > packed_size + packed_size / 64 + max_notebook_growth) {
    return QStringLiteral("%1 bytes packed into %2 compress as no encrypted notebook does")
        .arg(size)
        .arg(packed_size);
  }
  return QString();
}

}  // namespace

bool create_empty_database(const QString& path) {
  return db_create_file(path, database_password,
                        {articles_table_sql, categories_table_sql, users_table_sql, login_row_sql,
                         title_index_sql, list_index_sql, search_index_sql});
}

bool is_whole_notebook(const QString& path) {
  return db_file_is_whole(path, database_password, notebook_schema, notebook_checks);
}

EntryExpectation notebook_entry_expectation() {
  return {notebook_sizes_fit, [](QByteArrayView first_bytes, const QString& file) {
            return db_file_start_fits(first_bytes, file, database_password);
          }};
}
