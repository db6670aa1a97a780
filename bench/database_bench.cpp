// Reading 100 000 rows of three text columns through a record set, against the same loop on the
// raw SQLCipher API. Prints the best of several runs of each and their ratio (target: at most 1.5).
#include <sqlcipher/sqlite3.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>

#include "platform/database.h"
#include "storage/schema.h"

namespace {

constexpr int row_count = 100000;
constexpr int runs = 7;
const QString select_sql = QStringLiteral("select 文章所属, 文章位置, 文章标题 from 文章管理");

bool fill(ExternalDatabase& db) {
  Transaction transaction(db);
  for (int i = 0; i < row_count; ++i) {
    const QString sql =
        QStringLiteral(
            "insert into 文章管理 (文章所属, 文章位置, 文章标题) values ('%1', '%2', '%3')")
            .arg(sql_value(QStringLiteral("“日常”分类 %1").arg(i % 20)), QString::number(i + 1),
                 sql_value(QStringLiteral("O'Brien 的第 %1 篇文章").arg(i)));
    if (db_execute(db, sql) != 1)
      return false;
  }
  return transaction.commit();
}

qint64 through_record_set_by_number(ExternalDatabase& db) {
  qint64 characters = 0;
  RecordSet records = db_query(db, select_sql);
  db_move_first(records);
  while (!db_at_end(records)) {
    characters += db_read_text(records, 1).size();
    characters += db_read_text(records, 2).size();
    characters += db_read_text(records, 3).size();
    db_move_next(records);
  }
  db_close_recordset(records);
  return characters;
}

qint64 through_record_set_by_name(ExternalDatabase& db) {
  qint64 characters = 0;
  const QString owner = QStringLiteral("文章所属");
  const QString position = QStringLiteral("文章位置");
  const QString title = QStringLiteral("文章标题");
  RecordSet records = db_query(db, select_sql);
  db_move_first(records);
  while (!db_at_end(records)) {
    characters += db_read_text(records, owner).size();
    characters += db_read_text(records, position).size();
    characters += db_read_text(records, title).size();
    db_move_next(records);
  }
  db_close_recordset(records);
  return characters;
}

qint64 through_raw_api(ExternalDatabase& db) {
  qint64 characters = 0;
  sqlite3_stmt* statement = nullptr;
  const QByteArray sql = select_sql.toUtf8();
  sqlite3_prepare_v2(db.handle(), sql.constData(), static_cast<int>(sql.size()), &statement,
                     nullptr);
  while (sqlite3_step(statement) == SQLITE_ROW) {
    for (int column = 0; column < 3; ++column) {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
      characters += QString::fromUtf8(text, sqlite3_column_bytes(statement, column)).size();
    }
  }
  sqlite3_finalize(statement);
  return characters;
}

double best_ms(const std::function<qint64()>& loop, qint64& characters) {
  double best = 1e300;
  for (int run = 0; run < runs; ++run) {
    QElapsedTimer timer;
    timer.start();
    characters = loop();
    best = std::min(best, timer.nsecsElapsed() / 1e6);
  }
  return best;
}

}  // namespace

int main() {
  QTextStream out(stdout);
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("基准 测试/data.mdb"));
  ExternalDatabase db;
  if (!dir.isValid() || !QDir().mkpath(QFileInfo(path).path()) || !create_empty_database(path) ||
      db_open_mdb(db, path, database_password) == 0 || !fill(db)) {
    out << "could not prepare the database\n";
    return 1;
  }

  qint64 raw_characters = 0;
  qint64 number_characters = 0;
  qint64 name_characters = 0;
  const double raw = best_ms([&] { return through_raw_api(db); }, raw_characters);
  const double by_number =
      best_ms([&] { return through_record_set_by_number(db); }, number_characters);
  const double by_name = best_ms([&] { return through_record_set_by_name(db); }, name_characters);
  if (raw_characters != number_characters || raw_characters != name_characters) {
    out << "the loops read different texts\n";
    return 1;
  }

  out << "rows: " << row_count << ", three text columns, best of " << runs << " runs\n";
  out << QStringLiteral("raw sqlite3 API:          %1 ms\n").arg(raw, 0, 'f', 2);
  out << QStringLiteral("record set, by number:    %1 ms  ratio %2\n")
             .arg(by_number, 0, 'f', 2)
             .arg(by_number / raw, 0, 'f', 2);
  out << QStringLiteral("record set, by name:      %1 ms  ratio %2\n")
             .arg(by_name, 0, 'f', 2)
             .arg(by_name / raw, 0, 'f', 2);
  return by_name / raw <= 1.5 && by_number / raw <= 1.5 ? 0 : 1;
}
