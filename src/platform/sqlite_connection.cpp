#include "platform/sqlite_connection.h"

#include <QFile>

bool run_sql(sqlite3* handle, const char* sql) {
  return sqlite3_exec(handle, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

QString engine_reason(sqlite3* handle) {
  // The engine has a text for a null connection too: the one it could not allocate.
  return QString::fromUtf8(sqlite3_errmsg(handle));
}

SqliteHandle open_keyed(const QString& path, int flags, const QString& password, QString* reason) {
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, flags, nullptr);
  SqliteHandle handle(raw);
  const auto failed = [&] {
    if (reason != nullptr)
      *reason = engine_reason(handle.get());
    return nullptr;
  };
  if (rc != SQLITE_OK)
    return failed();
  if (!password.isEmpty()) {
    const QByteArray key = password.toUtf8();
    if (sqlite3_key(handle.get(), key.constData(), static_cast<int>(key.size())) != SQLITE_OK)
      return failed();
  }
  if (!run_sql(handle.get(), "PRAGMA cipher_compatibility = 3"))
    return failed();
  return handle;
}
