#include "support/archives.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <QFile>

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

namespace {

// Appends value in little-endian order, as every ZIP field is.
template <class Number>
void put(QByteArray& bytes, Number value) {
  for (std::size_t i = 0; i < sizeof(Number); ++i)
    bytes.append(static_cast<char>((static_cast<quint64>(value) >> (8 * i)) & 0xff));
}

// The fields that the local and the central header of the stored ZIP64 entry share, from the
// version needed to the extra field's length; the sizes stand in the extra field instead.
void put_entry_fields(QByteArray& bytes, quint16 name_size) {
  put<quint16>(bytes, 45);  // version needed: ZIP64
  put<quint16>(bytes, 0);   // flags
  put<quint16>(bytes, 0);   // stored
  put<quint32>(bytes, 0);   // time and date
  put<quint32>(bytes, 0);   // checksum, never reached
  put<quint32>(bytes, 0xffffffff);
  put<quint32>(bytes, 0xffffffff);
  put<quint16>(bytes, name_size);
  put<quint16>(bytes, 20);
}

// The entry's name and the ZIP64 extra field holding both sizes, which end either header.
void put_name_and_sizes(QByteArray& bytes, const std::string& name, quint64 size) {
  bytes.append(name.data(), static_cast<qsizetype>(name.size()));
  put<quint16>(bytes, 0x0001);
  put<quint16>(bytes, 16);
  put<quint64>(bytes, size);
  put<quint64>(bytes, size);
}

}  // namespace

void write_sparse_archive(const QString& path, const std::string& name, quint64 size) {
  const auto name_size = static_cast<quint16>(name.size());
  QByteArray local;
  put<quint32>(local, 0x04034b50);
  put_entry_fields(local, name_size);
  put_name_and_sizes(local, name, size);

  QByteArray central;
  put<quint32>(central, 0x02014b50);
  put<quint16>(central, (3 << 8) | 45);  // made on Unix
  put_entry_fields(central, name_size);
  put<quint16>(central, 0);  // comment
  put<quint16>(central, 0);  // disk
  put<quint16>(central, 0);  // internal attributes
  put<quint32>(central, (S_IFREG | 0644u) << 16);
  put<quint32>(central, 0);  // the local header's offset
  put_name_and_sizes(central, name, size);

  const quint64 central_at = static_cast<quint64>(local.size()) + size;
  const quint64 end64_at = central_at + static_cast<quint64>(central.size());
  QByteArray end;
  put<quint32>(end, 0x06064b50);
  put<quint64>(end, 44);
  put<quint16>(end, (3 << 8) | 45);
  put<quint16>(end, 45);
  put<quint32>(end, 0);
  put<quint32>(end, 0);
  put<quint64>(end, 1);
  put<quint64>(end, 1);
  put<quint64>(end, static_cast<quint64>(central.size()));
  put<quint64>(end, central_at);
  put<quint32>(end, 0x07064b50);
  put<quint32>(end, 0);
  put<quint64>(end, end64_at);
  put<quint32>(end, 1);
  put<quint32>(end, 0x06054b50);
  put<quint16>(end, 0);
  put<quint16>(end, 0);
  put<quint16>(end, 1);
  put<quint16>(end, 1);
  put<quint32>(end, static_cast<quint32>(central.size()));
  put<quint32>(end, 0xffffffff);
  put<quint16>(end, 0);

  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ASSERT_EQ(file.write(local), local.size());
  ASSERT_TRUE(file.seek(static_cast<qint64>(central_at)));
  ASSERT_EQ(file.write(central), central.size());
  ASSERT_EQ(file.write(end), end.size());
}
