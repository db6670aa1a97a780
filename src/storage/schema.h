#pragma once

#include <QString>

#include "platform/zip.h"

// The database file's key, the one place it is written; the program, tools/make-database and the
// tests open the file with it.
inline const QString database_password = QStringLiteral("marvek1986..");

// Writes a new database file at path with the three tables, their indexes and the one login
// row. Returns false (and writes nothing usable) when the file cannot be made.
bool create_empty_database(const QString& path);

// Whether the file at path is a notebook the program can work on: it opens with the key, its
// schema is exactly the one create_empty_database makes (the search index may be missing, as in
// notebooks of earlier builds), 用户管理 has its first row with text in it, and no page is
// damaged. One line on standard error says why not.
bool is_whole_notebook(const QString& path);

// What an archive's entry must look like to be unpacked as a notebook: whole pages that do not
// compress, encrypted with the key, as long as their first page says.
EntryExpectation notebook_entry_expectation();
