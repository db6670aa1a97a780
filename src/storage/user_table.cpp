#include "storage/user_table.h"

#include "platform/database.h"

namespace {

QString read_first_row_text(ExternalDatabase& db, int column) {
  RecordSet records = db_query(db, QStringLiteral("select * from 用户管理"));
  db_move_first(records);
  const QString text = db_read_text(records, column);
  db_close_recordset(records);
  return text;
}

DbValue read_first_row_field(ExternalDatabase& db, int column) {
  RecordSet records = db_query(db, QStringLiteral("select * from 用户管理"));
  db_move_first(records);
  DbValue value = db_read_field(records, column);
  db_close_recordset(records);
  return value;
}

bool update_every_row(ExternalDatabase& db, const QString& sql) {
  return db_execute(db, sql) == 1 && db_changed_rows(db) > 0;
}

}  // namespace

QString read_login_switch(ExternalDatabase& db) {
  return read_first_row_text(db, 2);
}

bool login_switch_on(ExternalDatabase& db) {
  return read_login_switch(db) == QStringLiteral("真");
}

bool login_switch_readable(ExternalDatabase& db) {
  const DbValue value = read_first_row_field(db, 2);
  return value.is_null() || value.type() == DbValue::Type::text;
}

bool login_password_stored(ExternalDatabase& db) {
  const DbValue value = read_first_row_field(db, 3);
  return !value.is_null() && !(value.type() == DbValue::Type::text && value.text().isEmpty());
}

QString read_login_password(ExternalDatabase& db) {
  return read_first_row_text(db, 3);
}

bool store_login_password(ExternalDatabase& db, const QString& password) {
  return update_every_row(db, QStringLiteral("update 用户管理 set 用户密码='") +
                                  sql_value(password) + QStringLiteral("'"));
}

bool store_login_switch(ExternalDatabase& db, bool on) {
  return update_every_row(db, on ? QStringLiteral("update 用户管理 set 开启登陆='真'")
                                 : QStringLiteral("update 用户管理 set 开启登陆='假'"));
}
