#include "platform/database.h"

#include <sqlcipher/sqlite3.h>

#include <algorithm>
#include <limits>
#include <vector>

#include "platform/conversions.h"
#include "platform/failure_log.h"
#include "platform/files.h"
#include "platform/runtime_error.h"
#include "platform/sqlite_connection.h"

namespace {

constexpr int lock_wait_ms = 5000;

// A statement as a failure line names it: its start, on one line.
QString statement_action(const char* verb, const QString& sql) {
  constexpr int shown = 100;
  const QString simplified = sql.simplified();
  const QString start =
      simplified.size() > shown ? simplified.left(shown) + QStringLiteral("…") : simplified;
  return QStringLiteral("%1 \"%2\" on").arg(QString::fromUtf8(verb), start);
}

// Prepares exactly one statement. Text after it that holds another statement is refused, so a
// value that escaped its quotes can never run a second statement. A refusal says why in reason.
SqliteStatement prepare_one(sqlite3* handle, const QString& sql, QString& reason) {
  const auto* text = reinterpret_cast<const char16_t*>(sql.utf16());
  const int bytes = static_cast<int>(sql.size() * sizeof(char16_t));
  sqlite3_stmt* raw = nullptr;
  const void* tail = nullptr;
  if (sqlite3_prepare16_v2(handle, text, bytes, &raw, &tail) != SQLITE_OK) {
    sqlite3_finalize(raw);
    reason = engine_reason(handle);
    return nullptr;
  }
  SqliteStatement statement(raw);
  if (!statement) {
    reason = QStringLiteral("the text holds no statement");
    return nullptr;
  }
  const auto* rest = static_cast<const char16_t*>(tail);
  const int rest_bytes = bytes - static_cast<int>((rest - text) * sizeof(char16_t));
  if (rest_bytes > 0) {
    sqlite3_stmt* second = nullptr;
    const int rc = sqlite3_prepare16_v2(handle, rest, rest_bytes, &second, nullptr);
    sqlite3_finalize(second);
    if (rc != SQLITE_OK || second != nullptr) {
      reason = QStringLiteral("the text holds more than one statement");
      return nullptr;
    }
  }
  return statement;
}

}  // namespace

DbValue DbValue::from_integer(qint64 value) {
  DbValue v;
  v.type_ = Type::integer;
  v.integer_ = value;
  return v;
}

DbValue DbValue::from_real(double value) {
  DbValue v;
  v.type_ = Type::real;
  v.real_ = value;
  return v;
}

DbValue DbValue::from_text(QString value) {
  DbValue v;
  v.type_ = Type::text;
  v.text_ = std::move(value);
  return v;
}

DbValue DbValue::from_blob() {
  DbValue v;
  v.type_ = Type::blob;
  return v;
}

int to_integer(const DbValue& value) {
  switch (value.type()) {
    case DbValue::Type::integer:
      return static_cast<int>(std::clamp<qint64>(value.integer(), std::numeric_limits<int>::min(),
                                                 std::numeric_limits<int>::max()));
    case DbValue::Type::real:
      return to_integer(value.real());
    case DbValue::Type::text:
      return to_integer(value.text());
    case DbValue::Type::null:
    case DbValue::Type::blob:
      break;
  }
  return 0;
}

struct ExternalDatabase::Connection {
  SqliteHandle handle;
  // Record sets watch this token: once it is gone their connection is closed and they answer
  // as having no current record.
  std::shared_ptr<int> alive = std::make_shared<int>(0);
};

struct RecordSet::Statement {
  SqliteStatement statement;
  std::weak_ptr<int> alive;
  bool on_record = false;
  // Column names for lookups by name, read from the statement on the first such lookup.
  mutable std::vector<QString> names;

  bool usable() const { return statement && !alive.expired(); }

  void step() {
    on_record = false;
    if (!usable())
      return;
    const int rc = sqlite3_step(statement.get());
    on_record = rc == SQLITE_ROW;
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
      sqlite3* handle = sqlite3_db_handle(statement.get());
      log_failure(
          statement_action("read the rows of", QString::fromUtf8(sqlite3_sql(statement.get()))),
          QString::fromUtf8(sqlite3_db_filename(handle, "main")), engine_reason(handle));
    }
  }

  sqlite3_stmt* current() const { return on_record && usable() ? statement.get() : nullptr; }

  int column_of(const QString& name) const {
    if (names.empty()) {
      const int count = sqlite3_column_count(statement.get());
      names.reserve(count);
      for (int i = 0; i < count; ++i) {
        names.push_back(QString::fromUtf8(sqlite3_column_name(statement.get(), i)));
      }
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
      if (names[i].compare(name, Qt::CaseInsensitive) == 0)
        return static_cast<int>(i);
    }
    return -1;
  }
};

RecordSet::RecordSet() = default;
RecordSet::RecordSet(RecordSet&&) noexcept = default;
RecordSet& RecordSet::operator=(RecordSet&&) noexcept = default;
RecordSet::~RecordSet() = default;

ExternalDatabase::ExternalDatabase() = default;
ExternalDatabase::~ExternalDatabase() = default;

bool ExternalDatabase::is_open() const {
  return connection_ != nullptr;
}

sqlite3* ExternalDatabase::handle() const {
  return connection_ ? connection_->handle.get() : nullptr;
}

int db_open_mdb(ExternalDatabase& db, const QString& path, const QString& password) {
  db_close(db);
  const QString action = QStringLiteral("open the notebook");
  // Looked at before the engine opens it: on a FIFO its first read would wait for ever.
  if (const QString refusal = file_refusal(path); !refusal.isEmpty()) {
    log_failure(action, path, refusal);
    return 0;
  }
  QString reason;
  // Never SQLITE_OPEN_CREATE: a missing file must fail rather than become an empty database.
  SqliteHandle handle = open_keyed(path, SQLITE_OPEN_READWRITE, password, &reason);
  if (!handle) {
    log_failure(action, path, reason);
    return 0;
  }
  const auto failed = [&](const QString& why) {
    log_failure(action, path, why);
    return 0;
  };
  // Another process reading or writing the file holds its lock for a moment; waiting for it
  // keeps an open or a save from failing when a retry an instant later would work.
  sqlite3_busy_timeout(handle.get(), lock_wait_ms);
  // The key is only checked when a page is read. A file without a single table is no database
  // of ours either: every later statement would fail against it.
  sqlite3_stmt* check = nullptr;
  if (sqlite3_prepare_v2(handle.get(), "SELECT count(*) FROM sqlite_master", -1, &check, nullptr) !=
      SQLITE_OK) {
    sqlite3_finalize(check);
    return failed(engine_reason(handle.get()));
  }
  SqliteStatement counter(check);
  if (sqlite3_step(counter.get()) != SQLITE_ROW)
    return failed(engine_reason(handle.get()));
  if (sqlite3_column_int(counter.get(), 0) == 0)
    return failed(QStringLiteral("it holds no table"));
  counter.reset();
  if (!run_sql(handle.get(), "PRAGMA journal_mode = DELETE") ||
      !run_sql(handle.get(), "PRAGMA synchronous = FULL")) {
    return failed(engine_reason(handle.get()));
  }
  // Saving an article rewrites its whole row, on 1 KB pages. The cache holds both the old and
  // the new form of a large article, so nothing spills to the file before the commit.
  run_sql(handle.get(), "PRAGMA cache_size = -32000");
  // Some builds of the engine zero every freed page, which doubles the pages a save of a large
  // article encrypts and writes. The pages stay encrypted either way.
  run_sql(handle.get(), "PRAGMA secure_delete = 0");
  db.connection_ = std::make_unique<ExternalDatabase::Connection>();
  db.connection_->handle = std::move(handle);
  return 1;
}

void db_close(ExternalDatabase& db) {
  db.connection_.reset();
}

RecordSet db_query(ExternalDatabase& db, const QString& sql) {
  RecordSet records;
  if (!db.connection_)
    return records;
  QString reason;
  SqliteStatement statement = prepare_one(db.connection_->handle.get(), sql, reason);
  if (!statement) {
    log_failure(statement_action("run the query", sql), db_file_path(db), reason);
    return records;
  }
  records.statement_ = std::make_unique<RecordSet::Statement>();
  records.statement_->statement = std::move(statement);
  records.statement_->alive = db.connection_->alive;
  records.statement_->step();
  return records;
}

void db_move_first(RecordSet& records) {
  if (!records.statement_ || !records.statement_->usable())
    return;
  sqlite3_reset(records.statement_->statement.get());
  records.statement_->step();
}

void db_move_next(RecordSet& records) {
  if (records.statement_ && records.statement_->on_record)
    records.statement_->step();
}

bool db_at_end(const RecordSet& records) {
  return !records.statement_ || records.statement_->current() == nullptr;
}

DbValue db_read_field(const RecordSet& records, int column) {
  if (!records.statement_)
    return {};
  sqlite3_stmt* statement = records.statement_->current();
  if (!statement || column < 1 || column > sqlite3_column_count(statement))
    return {};
  const int index = column - 1;
  switch (sqlite3_column_type(statement, index)) {
    case SQLITE_INTEGER:
      return DbValue::from_integer(sqlite3_column_int64(statement, index));
    case SQLITE_FLOAT:
      return DbValue::from_real(sqlite3_column_double(statement, index));
    case SQLITE_TEXT: {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, index));
      return DbValue::from_text(QString::fromUtf8(text, sqlite3_column_bytes(statement, index)));
    }
    case SQLITE_BLOB:
      return DbValue::from_blob();
    default:
      return {};
  }
}

DbValue db_read_field(const RecordSet& records, const QString& name) {
  if (!records.statement_ || !records.statement_->current())
    return {};
  const int index = records.statement_->column_of(name);
  return index < 0 ? DbValue() : db_read_field(records, index + 1);
}

QByteArray db_read_bytes(const RecordSet& records, const QString& name) {
  sqlite3_stmt* statement = records.statement_ ? records.statement_->current() : nullptr;
  if (!statement)
    return {};
  const int index = records.statement_->column_of(name);
  if (index < 0)
    return {};
  // The blob form of a text is its stored bytes, never decoded.
  const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, index));
  return QByteArray(bytes, sqlite3_column_bytes(statement, index));
}

void db_close_recordset(RecordSet& records) {
  records.statement_.reset();
}

QString db_value_text(const DbValue& value) {
  if (value.is_null())
    return {};
  if (value.type() != DbValue::Type::text)
    throw RuntimeError(error_not_text);
  return value.text();
}

QString db_read_text(const RecordSet& records, int column) {
  return db_value_text(db_read_field(records, column));
}

QByteArrayView db_read_text_utf8(const RecordSet& records, int column) {
  sqlite3_stmt* statement = records.statement_ ? records.statement_->current() : nullptr;
  if (!statement || column < 1 || column > sqlite3_column_count(statement))
    return {};
  // One call into the engine per field, not three: each call takes the connection's lock. The
  // value so read is unprotected, which is safe while one thread uses the connection, as here.
  sqlite3_value* value = sqlite3_column_value(statement, column - 1);
  switch (sqlite3_value_type(value)) {
    case SQLITE_NULL:
      return {};
    case SQLITE_TEXT:
      return QByteArrayView(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                            sqlite3_value_bytes(value));
    default:
      throw RuntimeError(error_not_text);
  }
}

QString db_read_text(const RecordSet& records, const QString& name) {
  return db_value_text(db_read_field(records, name));
}

int db_read_number(const RecordSet& records, const QString& name) {
  const DbValue value = db_read_field(records, name);
  switch (value.type()) {
    case DbValue::Type::integer:
      return static_cast<int>(static_cast<quint32>(value.integer()));
    case DbValue::Type::real:
      return to_integer(value.real());
    case DbValue::Type::null:
      return 0;
    case DbValue::Type::text:
    case DbValue::Type::blob:
      break;
  }
  throw RuntimeError(error_not_numeric);
}

int db_execute(ExternalDatabase& db, const QString& sql, const std::optional<QString>& parameter) {
  sqlite3* handle = db.handle();
  if (!handle)
    return 0;
  // Declared before the statement so that it outlives it: the engine reads the bound text in
  // place instead of copying a whole article once more.
  const QByteArray value = parameter ? parameter->toUtf8() : QByteArray();
  const auto failed = [&](const QString& reason) {
    log_failure(statement_action("run the statement", sql), db_file_path(db), reason);
    return 0;
  };
  QString reason;
  SqliteStatement statement = prepare_one(handle, sql, reason);
  if (!statement)
    return failed(reason);
  if (parameter) {
    if (sqlite3_bind_parameter_count(statement.get()) != 1)
      return failed(QStringLiteral("the statement does not have exactly one \"?\""));
    if (sqlite3_bind_text(statement.get(), 1, value.constData(), static_cast<int>(value.size()),
                          SQLITE_STATIC) != SQLITE_OK) {
      return failed(engine_reason(handle));
    }
  }
  int rc = SQLITE_ROW;
  while (rc == SQLITE_ROW)
    rc = sqlite3_step(statement.get());
  return rc == SQLITE_DONE ? 1 : failed(engine_reason(handle));
}

QString db_file_path(const ExternalDatabase& db) {
  sqlite3* handle = db.handle();
  const char* path = handle ? sqlite3_db_filename(handle, "main") : nullptr;
  return path ? QString::fromUtf8(path) : QString();
}

int db_changed_rows(const ExternalDatabase& db) {
  sqlite3* handle = db.handle();
  return handle ? sqlite3_changes(handle) : 0;
}

QString sql_value(const QString& value) {
  QString quoted = value;
  return quoted.replace(u'\'', QStringLiteral("''"));
}

namespace {

// Runs a transaction's own statement; a failure leaves its line.
bool run_transaction_step(const ExternalDatabase& db, const char* sql, const char* action) {
  sqlite3* handle = db.handle();
  if (run_sql(handle, sql))
    return true;
  log_failure(QString::fromUtf8(action), db_file_path(db), engine_reason(handle));
  return false;
}

}  // namespace

Transaction::Transaction(ExternalDatabase& db) : db_(db) {
  active_ = db_.handle() && run_transaction_step(db_, "BEGIN IMMEDIATE", "begin a change of");
}

Transaction::~Transaction() {
  sqlite3* handle = db_.handle();
  // Closing the connection already rolled back whatever was begun.
  if (active_ && handle && !sqlite3_get_autocommit(handle))
    run_transaction_step(db_, "ROLLBACK", "roll back a change of");
}

bool Transaction::commit() {
  if (!active_ || !db_.handle() || !run_transaction_step(db_, "COMMIT", "commit a change of"))
    return false;
  active_ = false;
  return true;
}
