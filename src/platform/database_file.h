#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

// The page size of every notebook file: the cipher settings the files are written with give it.
inline constexpr qint64 db_page_size = 1024;

// Writes a new database file at path, encrypted with password, holding what the statements make
// (run in one transaction). An existing file is never replaced: it may be someone's notebook.
// false when the file could not be made; nothing is left at path then.
bool db_create_file(const QString& path, const QString& password, const QStringList& statements);

// One object of a database's schema, as the engine lists it: its type ("table", "index"), its
// name and the text of the statement that made it.
struct SchemaObject {
  QString type;
  QString name;
  QString sql;
  // An object that files made by earlier builds may lack.
  bool optional = false;
};

// Whether the file at path is a whole database of ours: it opens with password, its schema is
// exactly the objects listed (every one that is not optional, nothing else: no trigger, view or
// object of another making, each made by its own statement text), every check query answers a
// first row whose first value is true, and the engine's quick check passes on every page. The
// file is only read, never changed. When it is not, one line on standard error says why.
bool db_file_is_whole(const QString& path, const QString& password,
                      const QList<SchemaObject>& schema, const QStringList& checks);

// For a file still being written that already has its whole length but only its first bytes:
// the reason it cannot be a database of ours, or the empty text when it can. It must not start
// with the plain engine's header (ours are encrypted), its first page must open with password,
// and that page must not claim more pages than the file has.
QString db_file_start_fits(QByteArrayView first_bytes, const QString& path,
                           const QString& password);

// Removes a rollback journal that a run cut off mid-change left beside the file. Done before
// another file is moved into the file's place: the engine would play the old file's journal into
// the new one. false when a journal is still there.
bool db_remove_leftover_journal(const QString& path);
