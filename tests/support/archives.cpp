#include "support/archives.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

void write_archive(const QString& path, const std::vector<ArchiveEntry>& entries) {
  int error = 0;
  zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  ASSERT_NE(archive, nullptr);
  for (const ArchiveEntry& entry : entries) {
    zip_source_t* source = zip_source_buffer(archive, entry.content.constData(),
                                             static_cast<zip_uint64_t>(entry.content.size()), 0);
    const zip_int64_t index = zip_file_add(archive, entry.name.c_str(), source, ZIP_FL_ENC_UTF_8);
    ASSERT_GE(index, 0) << entry.name;
    const auto at = static_cast<zip_uint64_t>(index);
    ASSERT_EQ(zip_file_set_external_attributes(archive, at, 0, ZIP_OPSYS_UNIX,
                                               (entry.type | 0644u) << 16),
              0);
    ASSERT_EQ(zip_set_file_compression(archive, at, entry.deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE,
                                       entry.deflate ? 9 : 0),
              0);
  }
  ASSERT_EQ(zip_close(archive), 0);
}

QByteArray read_file(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void write_file(const QString& path, const QByteArray& bytes) {
  ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(bytes), bytes.size());
}
