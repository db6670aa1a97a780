#pragma once

#include <QString>

// The database file's key and schema, shared by tools/make-database and the tests.
inline const QString database_password = QStringLiteral("marvek1986..");

// Writes a new database file at path with the three tables, their indexes and the one login
// row. Returns false (and writes nothing usable) when the file cannot be made.
bool create_empty_database(const QString& path);
