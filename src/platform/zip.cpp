#include "platform/zip.h"

#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

namespace {

struct ArchiveDiscarder {
  void operator()(zip_t* archive) const noexcept { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveDiscarder>;

struct EntryCloser {
  void operator()(zip_file_t* entry) const noexcept { zip_fclose(entry); }
};
using Entry = std::unique_ptr<zip_file_t, EntryCloser>;

std::filesystem::path native(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// Atomic on one file system: the target is either the old file or the new one.
bool replace_file(const QString& from, const QString& to) {
  std::error_code error;
  std::filesystem::rename(native(from), native(to), error);
  return !error;
}

bool sync_to_disk(QFile& file) {
  return file.flush() && ::fsync(file.handle()) == 0;
}

// The entry's path below the target, or nothing when it could leave the target.
std::optional<QString> safe_relative_path(QString name) {
  name.replace(u'\\', u'/');
  const bool drive = name.size() >= 2 && name[0].isLetter() && name[1] == u':';
  if (name.startsWith(u'/') || drive)
    return std::nullopt;
  QStringList parts;
  for (const QString& part : name.split(u'/', Qt::SkipEmptyParts)) {
    if (part == QStringLiteral(".."))
      return std::nullopt;
    if (part != QStringLiteral("."))
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

bool extract_entry(zip_t* archive, zip_uint64_t index, const QString& destination) {
  zip_stat_t stat;
  if (zip_stat_index(archive, index, 0, &stat) != 0)
    return false;
  Entry entry(zip_fopen_index(archive, index, 0));
  if (!entry)
    return false;
  if (!QDir().mkpath(QFileInfo(destination).absolutePath()))
    return false;
  QFile out(destination);
  if (!out.open(QIODevice::WriteOnly))
    return false;
  char buffer[64 * 1024];
  zip_uint64_t total = 0;
  zip_int64_t read = 0;
  while ((read = zip_fread(entry.get(), buffer, sizeof buffer)) > 0) {
    if (out.write(buffer, read) != read)
      return false;
    total += static_cast<zip_uint64_t>(read);
  }
  // A short or damaged entry (the checksum is tested at its end) reads as -1.
  if (read < 0)
    return false;
  if ((stat.valid & ZIP_STAT_SIZE) && total != stat.size)
    return false;
  if (zip_fclose(entry.release()) != 0)
    return false;
  return sync_to_disk(out);
}

// Nothing that is moved into place may need a directory where a file stands or the reverse.
bool fits_into(const QDir& target, const QStringList& files, const QStringList& folders) {
  for (const QString& folder : folders) {
    const QFileInfo destination(target.filePath(folder));
    if (destination.exists() && !destination.isDir())
      return false;
  }
  for (const QString& file : files) {
    const QFileInfo destination(target.filePath(file));
    if (destination.exists() && !destination.isFile())
      return false;
    for (QString parent = QFileInfo(file).path(); parent != QStringLiteral(".");
         parent = QFileInfo(parent).path()) {
      const QFileInfo folder(target.filePath(parent));
      if (folder.exists() && !folder.isDir())
        return false;
    }
  }
  return true;
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

  int error = 0;
  Archive zip(
      zip_open(QFile::encodeName(temp.fileName()).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error));
  if (!zip)
    return 0;
  zip_source_t* data =
      zip_source_file_create(QFile::encodeName(source_file).constData(), 0, -1, nullptr);
  if (!data)
    return 0;
  if (zip_file_add(zip.get(), source.fileName().toUtf8().constData(), data,
                   ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
    zip_source_free(data);
    return 0;
  }
  if (zip_close(zip.get()) != 0)
    return 0;
  zip.release();

  QFile written(temp.fileName());
  if (!written.open(QIODevice::ReadWrite) || !sync_to_disk(written))
    return 0;
  written.close();
  if (!replace_file(temp.fileName(), archive))
    return 0;
  temp.setAutoRemove(false);
  return 1;
}

int zip_extract(ZipComponent&, const QString& archive, const QString& target_dir) {
  const QDir target(target_dir);
  if (!QFileInfo(target_dir).isDir())
    return 0;

  int error = 0;
  Archive zip(zip_open(QFile::encodeName(archive).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error));
  if (!zip)
    return 0;

  // Staged inside the target so that moving into place is a rename on one file system.
  QTemporaryDir staging(target.absoluteFilePath(QStringLiteral(".unpack-XXXXXX")));
  if (!staging.isValid())
    return 0;
  const QDir staged(staging.path());

  QStringList files;
  QStringList folders;
  QSet<QString> seen;
  const zip_int64_t count = zip_get_num_entries(zip.get(), 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const auto index = static_cast<zip_uint64_t>(i);
    const char* raw_name = zip_get_name(zip.get(), index, ZIP_FL_ENC_GUESS);
    if (!raw_name)
      return 0;
    const QString name = QString::fromUtf8(raw_name);
    const std::optional<QString> path = safe_relative_path(name);
    if (!path || !is_plain_entry(zip.get(), index))
      return 0;
    if (seen.contains(*path))
      return 0;
    seen.insert(*path);
    if (name.endsWith(u'/') || name.endsWith(u'\\')) {
      if (!staged.mkpath(*path))
        return 0;
      folders << *path;
      continue;
    }
    if (!extract_entry(zip.get(), index, staged.filePath(*path)))
      return 0;
    files << *path;
  }

  // An archive without a single file restores nothing; calling that a success would hide it.
  if (files.isEmpty() || !fits_into(target, files, folders))
    return 0;
  for (const QString& folder : folders) {
    if (!target.mkpath(folder))
      return 0;
  }
  for (const QString& file : files) {
    if (!target.mkpath(QFileInfo(file).path()))
      return 0;
    if (!replace_file(staged.filePath(file), target.filePath(file)))
      return 0;
  }
  return 1;
}
