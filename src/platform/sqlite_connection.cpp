#include "platform/sqlite_connection.h"

#include <QFile>

bool run_sql(sqlite3* handle, const char* sql) {
  return sqlite3_exec(handle, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

SqliteHandle open_keyed(const QString& path, int flags, const QString& password) {
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, flags, nullptr);
  SqliteHandle handle(raw);
  if (rc != SQLITE_OK)
    return nullptr;
  if (!password.isEmpty()) {
    const QByteArray key = password.toUtf8();
    if (sqlite3_key(handle.get(), key.constData(), static_cast<int>(key.size())) != SQLITE_OK)
      return nullptr;
  }
  if (!run_sql(handle.get(), "PRAGMA cipher_compatibility = 3"))
    return nullptr;
  return handle;
}
