#include "platform/database_file.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <memory>

#include "platform/failure_log.h"
#include "platform/sqlite_connection.h"

namespace {

const QString check_action = QStringLiteral("check the notebook");

SqliteStatement prepare(sqlite3* handle, const QString& sql) {
  sqlite3_stmt* raw = nullptr;
  sqlite3_prepare_v2(handle, sql.toUtf8().constData(), -1, &raw, nullptr);
  return SqliteStatement(raw);
}

QString column_text(sqlite3_stmt* statement, int column) {
  return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)));
}

// The reason the schema is not exactly the listed one, or the empty text.
QString schema_mismatch(sqlite3* handle, const QList<SchemaObject>& schema) {
  const SqliteStatement objects =
      prepare(handle, QStringLiteral("SELECT type, name, sql FROM sqlite_master"));
  if (!objects)
    return engine_reason(handle);
  QList<const SchemaObject*> missing;
  for (const SchemaObject& object : schema) {
    if (!object.optional)
      missing << &object;
  }
  int stepped = SQLITE_ROW;
  while ((stepped = sqlite3_step(objects.get())) == SQLITE_ROW) {
    const QString type = column_text(objects.get(), 0);
    const QString name = column_text(objects.get(), 1);
    const QString sql = column_text(objects.get(), 2);
    const auto listed = std::find_if(schema.begin(), schema.end(), [&](const SchemaObject& o) {
      return o.type == type && o.name == name;
    });
    if (listed == schema.end())
      return QStringLiteral("it holds the %1 \"%2\", which no notebook has").arg(type, name);
    if (listed->sql != sql)
      return QStringLiteral("its %1 \"%2\" is made as \"%3\"").arg(type, name, sql);
    missing.removeOne(&*listed);
  }
  if (stepped != SQLITE_DONE)
    return engine_reason(handle);
  if (!missing.isEmpty())
    return QStringLiteral("it lacks the %1 \"%2\"")
        .arg(missing.front()->type, missing.front()->name);
  return QString();
}

// The reason a check query does not answer true, or the empty text.
QString check_fails(sqlite3* handle, const QString& sql) {
  const SqliteStatement check = prepare(handle, sql);
  if (!check)
    return engine_reason(handle);
  const int stepped = sqlite3_step(check.get());
  if (stepped == SQLITE_ROW && sqlite3_column_int64(check.get(), 0) != 0)
    return QString();
  return stepped == SQLITE_ROW || stepped == SQLITE_DONE
             ? QStringLiteral("it fails the check \"%1\"").arg(sql)
             : engine_reason(handle);
}

QString quick_check_fails(sqlite3* handle) {
  const SqliteStatement check = prepare(handle, QStringLiteral("PRAGMA quick_check"));
  if (!check)
    return engine_reason(handle);
  // A sound file answers with the one row "ok"; damage is listed row by row instead.
  if (sqlite3_step(check.get()) != SQLITE_ROW)
    return engine_reason(handle);
  const QString first = column_text(check.get(), 0);
  if (first != u"ok")
    return first;
  return sqlite3_step(check.get()) == SQLITE_DONE ? QString() : engine_reason(handle);
}

// The reason the database could not be written, or the empty text.
QString write_database(const QString& path, const QString& password,
                       const QStringList& statements) {
  QString reason;
  SqliteHandle handle =
      open_keyed(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, password, &reason);
  if (!handle)
    return reason;
  if (!run_sql(handle.get(), "PRAGMA journal_mode = DELETE") || !run_sql(handle.get(), "BEGIN"))
    return engine_reason(handle.get());
  for (const QString& sql : statements) {
    if (!run_sql(handle.get(), sql.toUtf8().constData()))
      return engine_reason(handle.get());
  }
  if (!run_sql(handle.get(), "COMMIT"))
    return engine_reason(handle.get());
  sqlite3* closing = handle.release();
  if (sqlite3_close(closing) != SQLITE_OK) {
    reason = engine_reason(closing);
    sqlite3_close_v2(closing);
  }
  return reason;
}

}  // namespace

bool db_file_is_whole(const QString& path, const QString& password,
                      const QList<SchemaObject>& schema, const QStringList& checks) {
  QString reason;
  const SqliteHandle handle = open_keyed(path, SQLITE_OPEN_READONLY, password, &reason);
  if (!handle) {
    log_failure(check_action, path, reason);
    return false;
  }
  reason = schema_mismatch(handle.get(), schema);
  for (const QString& check : checks) {
    if (reason.isEmpty())
      reason = check_fails(handle.get(), check);
  }
  if (reason.isEmpty())
    reason = quick_check_fails(handle.get());
  if (!reason.isEmpty())
    log_failure(check_action, path, reason);
  return reason.isEmpty();
}

QString db_file_start_fits(QByteArrayView first_bytes, const QString& path,
                           const QString& password) {
  if (first_bytes.startsWith(QByteArrayView("SQLite format 3\0", 16)))
    return QStringLiteral("it is a database without a key, and every notebook has one");
  QString reason;
  const SqliteHandle handle = open_keyed(path, SQLITE_OPEN_READONLY, password, &reason);
  if (!handle)
    return reason;
  // Reads the first page only: the engine decrypts it with the key and compares the number of
  // pages it claims with the file's length, without reading the schema on the pages to come.
  if (!run_sql(handle.get(), "PRAGMA user_version"))
    return engine_reason(handle.get());
  return QString();
}

bool db_create_file(const QString& path, const QString& password, const QStringList& statements) {
  const QString action = QStringLiteral("make the notebook");
  if (QFileInfo::exists(path)) {
    log_failure(action, path, QStringLiteral("a file of that name is already there"));
    return false;
  }
  const QFileInfo target(path);
  QTemporaryFile temp(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                      QStringLiteral(".XXXXXX"));
  if (!temp.open()) {
    log_failure(action, path, temp.errorString());
    return false;
  }
  temp.close();
  if (const QString reason = write_database(temp.fileName(), password, statements);
      !reason.isEmpty()) {
    log_failure(action, temp.fileName(), reason);
    return false;
  }
  temp.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
  QFile made(temp.fileName());
  if (!made.rename(path)) {
    log_failure(action, path, made.errorString());
    return false;
  }
  temp.setAutoRemove(false);
  return true;
}

bool db_remove_leftover_journal(const QString& path) {
  QFile journal(path + QStringLiteral("-journal"));
  if (!journal.exists() || journal.remove())
    return true;
  log_failure(QStringLiteral("remove the left-over journal"), journal.fileName(),
              journal.errorString());
  return false;
}
