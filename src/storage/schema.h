#pragma once

#include <QString>

// The database file's key, the one place it is written; the program, tools/make-database and the
// tests open the file with it.
inline const QString database_password = QStringLiteral("marvek1986..");

// Writes a new database file at path with the three tables, their indexes and the one login
// row. Returns false (and writes nothing usable) when the file cannot be made.
bool create_empty_database(const QString& path);
