#pragma once

#include <QString>

class ExternalDatabase;

// Every statement on 用户管理, the login table. Only its first row is read; every update has no
// WHERE clause and changes all rows.

// The first row's 开启登陆: "真" switches the login on, any other text leaves it off. A value that
// is no text raises error_not_text; an empty table reads as "".
QString read_login_switch(ExternalDatabase& db);
bool login_switch_on(ExternalDatabase& db);
// Whether the first row's 开启登陆 can be read as a text at all (null reads as ""); an empty table
// reads as "".
bool login_switch_readable(ExternalDatabase& db);
// Whether the first row holds a password: anything but null or the empty text, also a value that
// reads as no text.
bool login_password_stored(ExternalDatabase& db);

// The first row's 用户密码, as stored; the same rules as above.
QString read_login_password(ExternalDatabase& db);

// Stores the password in every row. false when the statement failed or found no row to change,
// so a table without its row never reports a password as stored.
bool store_login_password(ExternalDatabase& db, const QString& password);

// Writes 开启登陆 = "真" (on) or "假" (off) into every row; false as above.
bool store_login_switch(ExternalDatabase& db, bool on);
