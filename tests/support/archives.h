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

// An archive of one stored entry that declares `size` bytes, written by hand in the ZIP64 form
// with the entry's data as a hole, so it takes next to no room on the disk whatever it declares.
void write_sparse_archive(const QString& path, const std::string& name, quint64 size);
