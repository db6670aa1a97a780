#include "app/database_connection.h"

#include "app/main_window.h"
#include "platform/database.h"
#include "platform/program_dir.h"
#include "platform/ui_seam.h"
#include "platform/windows.h"

ExternalDatabase& database() {
  return main_window().外部数据库1;
}

void open_database() {
  const QString path = program_path(QStringLiteral("data/data.mdb"));
  if (db_open_mdb(database(), path, QStringLiteral("marvek1986..")) == 0)
    show_message_box(QStringLiteral("数据库打开失败 请检查数据库"), buttons_ok, QString());
}

int count_rows(ExternalDatabase& db, const QString& table) {
  RecordSet records = db_query(db, QStringLiteral("select count(*) as a from ") + table);
  const int count = db_read_number(records, QStringLiteral("a"));
  db_close_recordset(records);
  return count;
}

int count_rows(const QString& table) {
  return count_rows(database(), table);
}
