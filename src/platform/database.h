#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>
#include <optional>
#include <variant>

struct sqlite3;
struct sqlite3_stmt;

class ExternalDatabase;

// A typed value of one field, as the engine holds it.
class DbValue {
 public:
  enum class Type { null, integer, real, text, blob };

  DbValue() = default;
  static DbValue from_integer(qint64 value);
  static DbValue from_real(double value);
  static DbValue from_text(QString value);
  static DbValue from_blob();

  Type type() const { return type_; }
  bool is_null() const { return type_ == Type::null; }
  qint64 integer() const { return integer_; }
  double real() const { return real_; }
  const QString& text() const { return text_; }

 private:
  Type type_ = Type::null;
  qint64 integer_ = 0;
  double real_ = 0;
  QString text_;
};

// Any value to an integer: texts as to_integer(QString) reads them, doubles truncated, null 0.
int to_integer(const DbValue& value);

// A streaming record set over one statement. A new record set stands on its first record;
// it never loads the table into memory. Without a current record (empty, past the end, or from
// a closed connection) every field reads as null.
class RecordSet {
 public:
  RecordSet();
  RecordSet(RecordSet&&) noexcept;
  RecordSet& operator=(RecordSet&&) noexcept;
  RecordSet(const RecordSet&) = delete;
  RecordSet& operator=(const RecordSet&) = delete;
  ~RecordSet();

 private:
  friend class ExternalDatabase;
  friend RecordSet db_query(ExternalDatabase&, const QString&);
  friend void db_move_first(RecordSet&);
  friend void db_move_next(RecordSet&);
  friend bool db_at_end(const RecordSet&);
  friend DbValue db_read_field(const RecordSet&, int);
  friend DbValue db_read_field(const RecordSet&, const QString&);
  friend QByteArray db_read_bytes(const RecordSet&, const QString&);
  friend QByteArrayView db_read_text_utf8(const RecordSet&, int);
  friend void db_close_recordset(RecordSet&);
  struct Statement;
  std::unique_ptr<Statement> statement_;
};

// The one connection to the database file.
class ExternalDatabase {
 public:
  ExternalDatabase();
  ExternalDatabase(const ExternalDatabase&) = delete;
  ExternalDatabase& operator=(const ExternalDatabase&) = delete;
  ~ExternalDatabase();

  bool is_open() const;
  sqlite3* handle() const;

 private:
  friend int db_open_mdb(ExternalDatabase&, const QString&, const QString&);
  friend void db_close(ExternalDatabase&);
  friend RecordSet db_query(ExternalDatabase&, const QString&);
  struct Connection;
  std::unique_ptr<Connection> connection_;
};

// Non-zero when open. A wrong password or a file that is no database gives 0. The open and every
// later statement wait a few seconds for a lock that another connection holds before they fail.
int db_open_mdb(ExternalDatabase& db, const QString& path, const QString& password);
void db_close(ExternalDatabase& db);

// A closed connection or a rejected statement gives an empty record set.
RecordSet db_query(ExternalDatabase& db, const QString& sql);
void db_move_first(RecordSet& records);
void db_move_next(RecordSet& records);
bool db_at_end(const RecordSet& records);
// column: 1-based number, or a column name or alias.
DbValue db_read_field(const RecordSet& records, int column);
DbValue db_read_field(const RecordSet& records, const QString& name);
// The field's bytes as the engine stores them, whatever its type: a text's bytes also where they
// are not UTF-8, a blob's bytes, a number in its text form. Null, an unknown name or no current
// record give none.
QByteArray db_read_bytes(const RecordSet& records, const QString& name);
void db_close_recordset(RecordSet& records);

// Reads where a text must stand: null reads as "", another type raises error_not_text.
QString db_value_text(const DbValue& value);
QString db_read_text(const RecordSet& records, int column);
// The same text as its UTF-8 bytes, read in place: valid until the record set moves or closes.
// For long results, where a QString per field would cost more than the engine's own work.
QByteArrayView db_read_text_utf8(const RecordSet& records, int column);
QString db_read_text(const RecordSet& records, const QString& name);
// Reads a count such as the alias "a": integers (low 32 bits) and doubles (truncated) are taken,
// null reads as 0, anything else raises error_not_numeric.
int db_read_number(const RecordSet& records, const QString& name);

// 1 done, 0 failed (also on a closed connection). The parameter, when given, is bound as text to
// the statement's one "?".
int db_execute(ExternalDatabase& db, const QString& sql,
               const std::optional<QString>& parameter = std::nullopt);

// Rows that the last successful db_execute on this connection inserted, changed or deleted;
// 0 on a closed connection.
int db_changed_rows(const ExternalDatabase& db);

// The file the connection has open; "" when it is closed.
QString db_file_path(const ExternalDatabase& db);

// The one quoting helper: a value joined between single quotes of a statement, with every
// single quote doubled so it cannot end the quotes.
QString sql_value(const QString& value);

// Begins in its constructor and rolls back in its destructor unless committed.
class Transaction {
 public:
  explicit Transaction(ExternalDatabase& db);
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  ~Transaction();
  // Whether the transaction began and is not yet over; the statements of one that did not begin
  // would each stand alone.
  bool open() const { return active_; }
  // true when the changes were committed.
  bool commit();

 private:
  ExternalDatabase& db_;
  bool active_ = false;
};
