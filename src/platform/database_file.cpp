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

bool run(sqlite3* handle, const QString& sql) {
  return sqlite3_exec(handle, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool write_database(const QString& path, const QString& password, const QStringList& statements) {
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw,
                                 SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  std::unique_ptr<sqlite3, HandleCloser> handle(raw);
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
