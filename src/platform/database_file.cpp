#include "platform/database_file.h"

#include <sqlcipher/sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <memory>

namespace {

struct HandleCloser {
  void operator()(sqlite3* handle) const noexcept { sqlite3_close(handle); }
};
using Handle = std::unique_ptr<sqlite3, HandleCloser>;

struct StatementFinalizer {
  void operator()(sqlite3_stmt* statement) const noexcept { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

bool run(sqlite3* handle, const QString& sql) {
  return sqlite3_exec(handle, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

Statement prepare(sqlite3* handle, const QString& sql) {
  sqlite3_stmt* raw = nullptr;
  sqlite3_prepare_v2(handle, sql.toUtf8().constData(), -1, &raw, nullptr);
  return Statement(raw);
}

QString column_text(sqlite3_stmt* statement, int column) {
  return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)));
}

bool has_columns(sqlite3* handle, const TableColumns& wanted) {
  QString table = wanted.table;
  const Statement info =
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
  const Statement check = prepare(handle, QStringLiteral("PRAGMA quick_check"));
  // A sound file answers with the one row "ok"; damage is listed row by row instead.
  return check && sqlite3_step(check.get()) == SQLITE_ROW && column_text(check.get(), 0) == u"ok" &&
         sqlite3_step(check.get()) == SQLITE_DONE;
}

bool write_database(const QString& path, const QString& password, const QStringList& statements) {
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw,
                                 SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  Handle handle(raw);
  if (rc != SQLITE_OK)
    return false;
  const QByteArray key = password.toUtf8();
  if (sqlite3_key(handle.get(), key.constData(), static_cast<int>(key.size())) != SQLITE_OK)
    return false;
  if (!run(handle.get(), QStringLiteral("PRAGMA cipher_compatibility = 3")) ||
      !run(handle.get(), QStringLiteral("PRAGMA journal_mode = DELETE")) ||
      !run(handle.get(), QStringLiteral("BEGIN"))) {
    return false;
  }
  for (const QString& sql : statements) {
    if (!run(handle.get(), sql))
      return false;
  }
  return run(handle.get(), QStringLiteral("COMMIT")) &&
         sqlite3_close(handle.release()) == SQLITE_OK;
}

}  // namespace

bool db_file_is_whole(const QString& path, const QString& password,
                      const QList<TableColumns>& tables) {
  sqlite3* raw = nullptr;
  const int rc =
      sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, SQLITE_OPEN_READONLY, nullptr);
  Handle handle(raw);
  if (rc != SQLITE_OK)
    return false;
  const QByteArray key = password.toUtf8();
  if (sqlite3_key(handle.get(), key.constData(), static_cast<int>(key.size())) != SQLITE_OK ||
      !run(handle.get(), QStringLiteral("PRAGMA cipher_compatibility = 3"))) {
    return false;
  }
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
