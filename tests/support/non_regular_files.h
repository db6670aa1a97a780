#pragma once

#include <QString>

// Files that are no regular files, at path (its folder must exist): reading them would wait for
// a writer, never end, or fail. Each returns path, so it can stand where a file name is wanted.
QString make_fifo(const QString& path);
QString make_link(const QString& path, const QString& target);
