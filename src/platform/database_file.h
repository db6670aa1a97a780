#pragma once

#include <QString>
#include <QStringList>

// Writes a new database file at path, encrypted with password, holding what the statements make
// (run in one transaction). An existing file is never replaced: it may be someone's notebook.
// false when the file could not be made; nothing is left at path then.
bool db_create_file(const QString& path, const QString& password, const QStringList& statements);

// A table and the columns a file must give it.
struct TableColumns {
  QString table;
  QStringList columns;
};

// Whether the file at path is a whole database of ours: it opens with password, holds every table
// with at least its columns, and passes the engine's quick check of every page. The file is only
// read, never changed.
bool db_file_is_whole(const QString& path, const QString& password,
                      const QList<TableColumns>& tables);

// Removes a rollback journal that a run cut off mid-change left beside the file. Done before
// another file is moved into the file's place: the engine would play the old file's journal into
// the new one. false when a journal is still there.
bool db_remove_leftover_journal(const QString& path);
