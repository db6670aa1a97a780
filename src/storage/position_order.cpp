#include "storage/position_order.h"

std::vector<PlacedValue> read_placed_values(ExternalDatabase& db, const QString& sql) {
  RecordSet records = db_query(db, sql);
  std::vector<PlacedValue> rows;
  for (; !db_at_end(records); db_move_next(records))
    rows.push_back({to_integer(db_read_field(records, 1)), db_read_field(records, 2)});
  db_close_recordset(records);
  return rows;
}

int count_rows(ExternalDatabase& db, const QString& table) {
  RecordSet records = db_query(db, QStringLiteral("select count(*) as a from ") + table);
  const int count = db_read_number(records, QStringLiteral("a"));
  db_close_recordset(records);
  return count;
}
