#include "handlers/access/database_connection.h"

#include "platform/database.h"
#include "platform/program_dir.h"
#include "platform/ui_seam.h"
#include "platform/windows.h"
#include "storage/schema.h"
#include "windows/main_window.h"

QString database_path() {
  return program_path(QStringLiteral("data/data.mdb"));
}

void open_database() {
  if (db_open_mdb(database(), database_path(), database_password) == 0)
    show_message_box(QStringLiteral("数据库打开失败 请检查数据库"), buttons_ok, QString());
}
