#pragma once

#include <QString>

class ExternalDatabase;

// The one connection, 外部数据库1 of the main window.
ExternalDatabase& database();

// Opens data/data.mdb of the program directory; a failure is reported in a message box and the
// connection stays closed.
void open_database();

// select count(*) of a whole table (目录管理 or 文章管理), read as a number.
int count_rows(ExternalDatabase& db, const QString& table);
// The same on the one connection.
int count_rows(const QString& table);
