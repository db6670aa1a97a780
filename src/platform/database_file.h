#pragma once

#include <QString>
#include <QStringList>

// Writes a new database file at path, encrypted with password, holding what the statements make
// (run in one transaction). An existing file is never replaced: it may be someone's notebook.
// false when the file could not be made; nothing is left at path then.
bool db_create_file(const QString& path, const QString& password, const QStringList& statements);
