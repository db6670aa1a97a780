#include "platform/database_file.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <memory>

#include "platform/sqlite_connection.h"

namespace {

SqliteStatement prepare(sqlite3* handle, const QString& sql) {
  sqlite3_stmt* raw = nullptr;
  sqlite3_prepare_v2(handle, sql.toUtf8().constData(), -1, &raw, nullptr);
  return SqliteStatement(raw);
}

QString column_text(sqlite3_stmt* statement, int column) {
  return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)));
}

bool has_columns(sqlite3* handle, const TableColumns& wanted) {
  QString table = wanted.table;
  const SqliteStatement info =
      prepare(handle, QStringLiteral("PRAGMA table_info(\"") +
                          table.replace(u'"', QStringLiteral("\"\"")) + QStringLiteral("\")"));
  if (!info)
    return false;
  QStringList found;
  while (sqlite3_step(info.get()) == SQLITE_ROW)
    found << column_text(info.get(), 1);
  for (const QString& column : wanted.columns) {
    if (!found.contains(column, Qt::CaseInsensitive))
      return false;
  }
  return true;
}

bool passes_quick_check(sqlite3* handle) {
  const SqliteStatement check = prepare(handle, QStringLiteral("PRAGMA quick_check"));
  // A sound file answers with the one row "ok"; damage is listed row by row instead.
  return check && sqlite3_step(check.get()) == SQLITE_ROW && column_text(check.get(), 0) == u"ok" &&
         sqlite3_step(check.get()) == SQLITE_DONE;
}

bool write_database(const QString& path, const QString& password, const QStringList& statements) {
  SqliteHandle handle = open_keyed(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, password);
  if (!handle || !run_sql(handle.get(), "PRAGMA journal_mode = DELETE") ||
      !run_sql(handle.get(), "BEGIN")) {
    return false;
  }
  for (const QString& sql : statements) {
    if (!run_sql(handle.get(), sql.toUtf8().constData()))
      return false;
  }
  return run_sql(handle.get(), "COMMIT") && sqlite3_close(handle.release()) == SQLITE_OK;
}

}  // namespace

bool db_file_is_whole(const QString& path, const QString& password,
                      const QList<TableColumns>& tables) {
  const SqliteHandle handle = open_keyed(path, SQLITE_OPEN_READONLY, password);
  if (!handle)
    return false;
  for (const TableColumns& table : tables) {
    if (!has_columns(handle.get(), table))
      return false;
  }
  return passes_quick_check(handle.get());
}

bool db_create_file(const QString& path, const QString& password, const QStringList& statements) {
  if (QFileInfo::exists(path))
    return false;
  const QFileInfo target(path);
  QTemporaryFile temp(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                      QStringLiteral(".XXXXXX"));
  if (!temp.open())
    return false;
  temp.close();
  if (!write_database(temp.fileName(), password, statements))
    return false;
  temp.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
  if (!QFile::rename(temp.fileName(), path))
    return false;
  temp.setAutoRemove(false);
  return true;
}

bool db_remove_leftover_journal(const QString& path) {
  const QString journal = path + QStringLiteral("-journal");
  return !QFileInfo::exists(journal) || QFile::remove(journal);
}
