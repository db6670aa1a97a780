#include "storage/schema.h"

#include <QStringList>

#include "platform/database_file.h"

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

const QList<TableColumns> notebook_tables = {
    {QStringLiteral("文章管理"),
     {QStringLiteral("ID"), QStringLiteral("文章所属"), QStringLiteral("文章位置"),
      QStringLiteral("文章内容"), QStringLiteral("文章标题"), QStringLiteral("建立时间"),
      QStringLiteral("修改时间")}},
    {QStringLiteral("目录管理"),
     {QStringLiteral("ID"), QStringLiteral("目录位置"), QStringLiteral("目录名称")}},
    {QStringLiteral("用户管理"),
     {QStringLiteral("ID"), QStringLiteral("开启登陆"), QStringLiteral("用户密码")}},
};

}  // namespace

bool create_empty_database(const QString& path) {
  return db_create_file(path, database_password,
                        {articles_table_sql, categories_table_sql, users_table_sql, login_row_sql,
                         title_index_sql, list_index_sql, search_index_sql});
}

bool is_whole_notebook(const QString& path) {
  return db_file_is_whole(path, database_password, notebook_tables);
}
