#include "platform/zip.h"

#include <sys/stat.h>
#include <zip.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>
#include <QTemporaryFile>

#include <memory>
#include <optional>
#include <vector>

#include "platform/atomic_file.h"

namespace {

struct ArchiveDiscarder {
  void operator()(zip_t* archive) const noexcept { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveDiscarder>;

struct EntryCloser {
  void operator()(zip_file_t* entry) const noexcept { zip_fclose(entry); }
};
using Entry = std::unique_ptr<zip_file_t, EntryCloser>;

const QString unpack_folder_prefix = QStringLiteral(".unpack-");

// A packed entry may expand this many times; deflate itself stays below 1032, a ZIP bomb above.
constexpr zip_uint64_t max_expansion = 1000;

constexpr std::size_t copy_chunk = 1 << 20;

Archive open_archive(const QString& path) {
  int error = 0;
  return Archive(zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error));
}

// Names that Windows gives to devices, with or without an extension.
bool is_device_name(const QString& part) {
  const QString stem = part.section(u'.', 0, 0).trimmed().toUpper();
  if (stem == u"CON" || stem == u"PRN" || stem == u"AUX" || stem == u"NUL")
    return true;
  return stem.size() == 4 && (stem.startsWith(u"COM") || stem.startsWith(u"LPT")) &&
         stem[3] >= u'1' && stem[3] <= u'9';
}

// The entry's path below the target, or nothing when it could leave the target or name a drive,
// a stream or a device.
std::optional<QString> safe_relative_path(QString name) {
  name.replace(u'\\', u'/');
  if (name.startsWith(u'/') || name.contains(u':'))
    return std::nullopt;
  QStringList parts;
  for (const QString& part : name.split(u'/', Qt::SkipEmptyParts)) {
    if (part == u".." || is_device_name(part))
      return std::nullopt;
    if (part != u".")
      parts << part;
  }
  if (parts.isEmpty())
    return std::nullopt;
  return parts.join(u'/');
}

// Links, devices and pipes are refused; entries from systems without Unix modes are plain.
bool is_plain_entry(zip_t* archive, zip_uint64_t index) {
  zip_uint8_t opsys = 0;
  zip_uint32_t attributes = 0;
  if (zip_file_get_external_attributes(archive, index, 0, &opsys, &attributes) != 0)
    return false;
  if (opsys != ZIP_OPSYS_UNIX)
    return true;
  const mode_t type = (attributes >> 16) & S_IFMT;
  return type == 0 || type == S_IFREG || type == S_IFDIR;
}

bool expands_sanely(const zip_stat_t& stat) {
  if (!(stat.valid & ZIP_STAT_SIZE) || !(stat.valid & ZIP_STAT_COMP_SIZE))
    return false;
  return stat.size == 0 || stat.size / max_expansion <= stat.comp_size;
}

// Checks every entry and finds the top-level file `wanted`.
std::optional<zip_uint64_t> find_checked_entry(zip_t* archive, const QString& wanted) {
  std::optional<zip_uint64_t> found;
  QSet<QString> seen;
  const zip_int64_t count = zip_get_num_entries(archive, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const auto index = static_cast<zip_uint64_t>(i);
    const char* raw_name = zip_get_name(archive, index, ZIP_FL_ENC_GUESS);
    zip_stat_t stat;
    if (!raw_name || zip_stat_index(archive, index, 0, &stat) != 0)
      return std::nullopt;
    const QString name = QString::fromUtf8(raw_name);
    const std::optional<QString> path = safe_relative_path(name);
    if (!path || !is_plain_entry(archive, index) || !expands_sanely(stat) || seen.contains(*path))
      return std::nullopt;
    seen.insert(*path);
    const bool folder = name.endsWith(u'/') || name.endsWith(u'\\');
    if (!folder && *path == wanted)
      found = index;
  }
  return found;
}

// Reads the whole entry through libzip, which tests the checksum at its end; every chunk goes to
// sink. false when the entry is damaged, short or longer than it says.
template <class Sink>
bool read_entry(zip_t* archive, zip_uint64_t index, Sink&& sink) {
  zip_stat_t stat;
  if (zip_stat_index(archive, index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE))
    return false;
  Entry entry(zip_fopen_index(archive, index, 0));
  if (!entry)
    return false;
  std::vector<char> buffer(copy_chunk);
  zip_uint64_t total = 0;
  zip_int64_t read = 0;
  while ((read = zip_fread(entry.get(), buffer.data(), buffer.size())) > 0) {
    total += static_cast<zip_uint64_t>(read);
    // Never more than the entry declared, whatever its data would expand to.
    if (total > stat.size || !sink(buffer.data(), read))
      return false;
  }
  return read == 0 && total == stat.size && zip_fclose(entry.release()) == 0;
}

bool archive_holds_whole(const QString& archive, const QString& entry_name, qint64 size) {
  const Archive zip = open_archive(archive);
  if (!zip)
    return false;
  const zip_int64_t index = zip_name_locate(zip.get(), entry_name.toUtf8().constData(), 0);
  zip_stat_t stat;
  return index >= 0 && zip_stat_index(zip.get(), static_cast<zip_uint64_t>(index), 0, &stat) == 0 &&
         stat.size == static_cast<zip_uint64_t>(size) &&
         read_entry(zip.get(), static_cast<zip_uint64_t>(index),
                    [](const char*, zip_int64_t) { return true; });
}

void remove_unfinished_unpacking(const QString& folder) {
  const QDir parent(folder);
  for (const QString& left :
       parent.entryList({unpack_folder_prefix + u'*'},
                        QDir::Dirs | QDir::Hidden | QDir::NoSymLinks | QDir::NoDotAndDotDot)) {
    QDir(parent.filePath(left)).removeRecursively();
  }
}

}  // namespace

int zip_compress_file(ZipComponent&, const QString& source_file, const QString& archive) {
  const QFileInfo source(source_file);
  if (!source.isFile())
    return 0;
  const QFileInfo target(archive);
  if (target.exists() && target.canonicalFilePath() == source.canonicalFilePath())
    return 0;

  QTemporaryFile temp(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                      QStringLiteral(".XXXXXX"));
  if (!temp.open())
    return 0;
  temp.close();

  const QString entry_name = source.fileName();
  int error = 0;
  Archive zip(
      zip_open(QFile::encodeName(temp.fileName()).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error));
  if (!zip)
    return 0;
  zip_source_t* data =
      zip_source_file_create(QFile::encodeName(source_file).constData(), 0, -1, nullptr);
  if (!data)
    return 0;
  const zip_int64_t index =
      zip_file_add(zip.get(), entry_name.toUtf8().constData(), data, ZIP_FL_ENC_UTF_8);
  if (index < 0) {
    zip_source_free(data);
    return 0;
  }
  if (zip_set_file_compression(zip.get(), static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0) != 0)
    return 0;
  if (zip_close(zip.get()) != 0)
    return 0;
  zip.release();

  if (!archive_holds_whole(temp.fileName(), entry_name, source.size()))
    return 0;
  if (!replace_file_durably(temp.fileName(), archive))
    return 0;
  temp.setAutoRemove(false);
  return 1;
}

UnpackedFile::UnpackedFile(const QString& parent_folder, const QString& file_name)
    : folder_(QDir(parent_folder).filePath(unpack_folder_prefix + QStringLiteral("XXXXXX"))),
      path_(folder_.filePath(file_name)) {}

std::unique_ptr<UnpackedFile> zip_extract_file(ZipComponent&, const QString& archive,
                                               const QString& name, const QString& folder) {
  if (!QFileInfo(folder).isDir())
    return nullptr;
  const Archive zip = open_archive(archive);
  if (!zip)
    return nullptr;
  const std::optional<zip_uint64_t> index = find_checked_entry(zip.get(), name);
  zip_stat_t stat;
  if (!index || zip_stat_index(zip.get(), *index, 0, &stat) != 0)
    return nullptr;
  const qint64 free_space = QStorageInfo(folder).bytesAvailable();
  if (free_space >= 0 && stat.size > static_cast<zip_uint64_t>(free_space))
    return nullptr;

  remove_unfinished_unpacking(folder);
  auto unpacked = std::make_unique<UnpackedFile>(folder, name);
  if (!unpacked->valid())
    return nullptr;
  QFile out(unpacked->path());
  if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
    return nullptr;
  const bool whole = read_entry(zip.get(), *index, [&out](const char* bytes, zip_int64_t size) {
    return out.write(bytes, size) == size;
  });
  if (!whole || !out.flush())
    return nullptr;
  return unpacked;
}
