#pragma once

#include <sqlcipher/sqlite3.h>

#include <QString>

#include <memory>

// The engine's connection and statement handles as owners, and the one way a notebook file is
// opened: the connection and the file checks share them.

struct SqliteCloser {
  // close_v2 keeps the connection alive as a zombie until the last statement is finalized, so
  // a record set that outlives its connection never dangles.
  void operator()(sqlite3* handle) const noexcept { sqlite3_close_v2(handle); }
};
using SqliteHandle = std::unique_ptr<sqlite3, SqliteCloser>;

struct SqliteFinalizer {
  void operator()(sqlite3_stmt* statement) const noexcept { sqlite3_finalize(statement); }
};
using SqliteStatement = std::unique_ptr<sqlite3_stmt, SqliteFinalizer>;

// Runs the statements of sql; true when all of them succeeded.
bool run_sql(sqlite3* handle, const char* sql);

// The engine's own text for the last failure on the connection.
QString engine_reason(sqlite3* handle);

// Opens the file with the engine's open flags and the key (none when the password is empty), in
// the cipher settings every notebook file is written with. Null when a step fails, and then the
// engine's reason is in reason, when given; whether the key fits shows only when a page is read.
SqliteHandle open_keyed(const QString& path, int flags, const QString& password,
                        QString* reason = nullptr);
