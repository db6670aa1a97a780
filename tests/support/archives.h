#pragma once

#include <sys/stat.h>

#include <QByteArray>
#include <QString>

#include <string>
#include <vector>

// One entry of an archive made by hand, so that it can hold what the program's own packer never
// writes: any name, links, pipes, packed or stored data.
struct ArchiveEntry {
  std::string name;
  QByteArray content;
  mode_t type = S_IFREG;
  bool deflate = false;
};

void write_archive(const QString& path, const std::vector<ArchiveEntry>& entries);

// The file's bytes, or "<missing>".
QByteArray read_file(const QString& path);
// Writes the file, making its folder.
void write_file(const QString& path, const QByteArray& bytes);
