#pragma once

#include <QByteArray>
#include <QString>

#include <limits>

// The whole of one of the program's own built-in resources (":/..."); an empty byte set when there
// is none of that name. Files on disk go through read_bounded_file.
QByteArray read_resource(const QString& path);

// Why the file at path cannot be read as a regular file of at most largest_bytes, or the empty
// text when it can. Links are followed. The file is only looked at, never opened: a FIFO, a
// device or a directory gets a reason here instead of a read that waits or never ends.
QString file_refusal(const QString& path,
                     qint64 largest_bytes = std::numeric_limits<qint64>::max());

// What read_bounded_file found: the whole file, or why not.
struct BoundedRead {
  QByteArray bytes;
  // Empty when bytes holds the whole file.
  QString failure;

  bool whole() const { return failure.isEmpty(); }
};

// The whole file when file_refusal has nothing against it and it still holds at most
// largest_bytes when it is read; the file is opened without waiting for a writer, and what is
// opened is checked again, so a file swapped for a FIFO after the first look cannot block.
BoundedRead read_bounded_file(const QString& path, qint64 largest_bytes);
