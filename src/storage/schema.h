#pragma once

#include <QString>

// The database file's key, the one place it is written; the program, tools/make-database and the
// tests open the file with it.
inline const QString database_password = QStringLiteral("marvek1986..");

// Writes a new database file at path with the three tables, their indexes and the one login
// row. Returns false (and writes nothing usable) when the file cannot be made.
bool create_empty_database(const QString& path);

// Whether the file at path is a notebook the program can work on: it opens with the key, holds
// the three tables with every column the program reads or writes, and no page is damaged.
bool is_whole_notebook(const QString& path);
