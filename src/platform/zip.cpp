#include "platform/zip.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>

#include <cerrno>
#include <optional>
#include <utility>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/failure_log.h"
#include "platform/files.h"

namespace {

struct ArchiveDiscarder {
  void operator()(zip_t* archive) const noexcept { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveDiscarder>;

struct EntryCloser {
  void operator()(zip_file_t* entry) const noexcept { zip_fclose(entry); }
};
using Entry = std::unique_ptr<zip_file_t, EntryCloser>;

// A packed entry may expand this many times; deflate itself stays below 1032, a ZIP bomb above.
constexpr zip_uint64_t max_expansion = 1000;

// What an unpacking leaves free on the disk, so that a restore never fills it for the rest of
// the system.
constexpr qint64 free_space_margin = qint64{64} << 20;

constexpr std::size_t copy_chunk = 1 << 20;

QString zip_reason(int code) {
  zip_error_t error;
  zip_error_init_with_code(&error, code);
  const QString reason = QString::fromUtf8(zip_error_strerror(&error));
  zip_error_fini(&error);
  return reason;
}

QString zip_reason(zip_t* archive) {
  return QString::fromUtf8(zip_error_strerror(zip_get_error(archive)));
}

Archive open_archive(const QString& path, QString& reason) {
  int error = 0;
  Archive archive(
      zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &error));
  if (!archive)
    reason = zip_reason(error);
  return archive;
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

// Checks every entry and finds the top-level file `wanted`; otherwise says why not.
std::optional<zip_uint64_t> find_checked_entry(zip_t* archive, const QString& wanted,
                                               QString& reason) {
  std::optional<zip_uint64_t> found;
  QSet<QString> seen;
  const zip_int64_t count = zip_get_num_entries(archive, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const auto index = static_cast<zip_uint64_t>(i);
    const char* raw_name = zip_get_name(archive, index, ZIP_FL_ENC_GUESS);
    zip_stat_t stat;
    if (!raw_name || zip_stat_index(archive, index, 0, &stat) != 0) {
      reason = zip_reason(archive);
      return std::nullopt;
    }
    const QString name = QString::fromUtf8(raw_name);
    const std::optional<QString> path = safe_relative_path(name);
    if (!path || !is_plain_entry(archive, index) || seen.contains(*path)) {
      reason = QStringLiteral("entry \"%1\" is no plain file under a safe, unique name").arg(name);
      return std::nullopt;
    }
    if (!expands_sanely(stat)) {
      reason = QStringLiteral("entry \"%1\" would expand more than %2 times")
                   .arg(name)
                   .arg(max_expansion);
      return std::nullopt;
    }
    seen.insert(*path);
    const bool folder = name.endsWith(u'/') || name.endsWith(u'\\');
    if (!folder && *path == wanted)
      found = index;
  }
  if (!found)
    reason = QStringLiteral("no entry \"%1\" at the top").arg(wanted);
  return found;
}

// Reads the whole entry through libzip, which tests the checksum at its end; every chunk goes to
// sink, which answers the reason it stops, or the empty text. The empty text when the entry came
// out whole, neither short nor longer than it says.
template <class Sink>
QString read_entry(zip_t* archive, zip_uint64_t index, zip_uint64_t size, Sink&& sink) {
  Entry entry(zip_fopen_index(archive, index, 0));
  if (!entry)
    return zip_reason(archive);
  std::vector<char> buffer(copy_chunk);
  zip_uint64_t total = 0;
  zip_int64_t read = 0;
  while ((read = zip_fread(entry.get(), buffer.data(), buffer.size())) > 0) {
    total += static_cast<zip_uint64_t>(read);
    // Never more than the entry declared, whatever its data would expand to.
    if (total > size)
      return QStringLiteral("the entry holds more than the %1 bytes it declares").arg(size);
    const QString stopped = sink(buffer.data(), read);
    if (!stopped.isEmpty())
      return stopped;
  }
  if (read < 0)
    return QString::fromUtf8(zip_error_strerror(zip_file_get_error(entry.get())));
  if (total != size)
    return QStringLiteral("the entry holds %1 of the %2 bytes it declares").arg(total).arg(size);
  if (const int closed = zip_fclose(entry.release()); closed != 0)
    return zip_reason(closed);
  return QString();
}

// The mode the umask gives a new file, read from one made in the folder.
std::optional<mode_t> new_file_mode(const QString& path) {
  const int file =
      ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (file < 0)
    return std::nullopt;
  struct stat made {};
  const bool known = ::fstat(file, &made) == 0;
  ::close(file);
  return known ? std::optional<mode_t>(made.st_mode & 07777) : std::nullopt;
}

// Packs source into the new file at packed; the empty text when done, else the reason.
QString pack_into(const QString& source_file, const QString& entry_name, const QString& packed) {
  int error = 0;
  Archive zip(zip_open(QFile::encodeName(packed).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error));
  if (!zip)
    return zip_reason(error);
  zip_source_t* data = zip_source_file_create(QFile::encodeName(source_file).constData(), 0, -1,
                                              zip_get_error(zip.get()));
  if (!data)
    return zip_reason(zip.get());
  const zip_int64_t index =
      zip_file_add(zip.get(), entry_name.toUtf8().constData(), data, ZIP_FL_ENC_UTF_8);
  if (index < 0) {
    zip_source_free(data);
    return zip_reason(zip.get());
  }
  if (zip_set_file_compression(zip.get(), static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0) != 0 ||
      zip_close(zip.get()) != 0) {
    return zip_reason(zip.get());
  }
  zip.release();
  return QString();
}

}  // namespace

int zip_compress_file(ZipComponent&, const QString& source_file, const QString& archive) {
  const QString action = QStringLiteral("pack \"%1\" into").arg(source_file);
  struct stat source {};
  if (::stat(QFile::encodeName(source_file).constData(), &source) != 0) {
    log_failure(action, archive, errno_reason(errno));
    return 0;
  }
  if (!S_ISREG(source.st_mode)) {
    log_failure(action, archive, QStringLiteral("the source is no plain file"));
    return 0;
  }
  const QFileInfo target(archive);
  if (target.exists() && target.canonicalFilePath() == QFileInfo(source_file).canonicalFilePath()) {
    log_failure(action, archive, QStringLiteral("the archive would replace the file it packs"));
    return 0;
  }
  const QString folder = target.absolutePath();
  remove_abandoned_work_folders(folder);
  const WorkFolder work(folder, QStringLiteral("backup"));
  if (!work.valid())
    return 0;

  const QString packed = work.file_path(QStringLiteral("archive"));
  std::optional<mode_t> mode = new_file_mode(packed);
  if (!mode) {
    log_failure(action, packed, errno_reason(errno));
    return 0;
  }
  struct stat replaced {};
  if (::stat(QFile::encodeName(archive).constData(), &replaced) == 0)
    mode = replaced.st_mode & 07777;

  if (const QString reason = pack_into(source_file, QFileInfo(source_file).fileName(), packed);
      !reason.isEmpty()) {
    log_failure(action, archive, reason);
    return 0;
  }
  errno = 0;
  if (::chmod(QFile::encodeName(packed).constData(), *mode) != 0 ||
      !replace_file_durably(packed, archive)) {
    log_failure(action, archive, errno_reason(errno));
    return 0;
  }
  return 1;
}

UnpackedFile::UnpackedFile(const QString& parent_folder, const QString& file_name)
    : folder_(parent_folder, QStringLiteral("restore")), path_(folder_.file_path(file_name)) {}

std::unique_ptr<UnpackedFile> zip_extract_file(ZipComponent&, const QString& archive,
                                               const QString& name, const QString& folder,
                                               const EntryExpectation& expected) {
  const QString action = QStringLiteral("unpack \"%1\" from").arg(name);
  const auto refuse = [&](const QString& reason) {
    log_failure(action, archive, reason);
    return nullptr;
  };
  if (!QFileInfo(folder).isDir())
    return refuse(QStringLiteral("the folder \"%1\" does not exist").arg(folder));
  // Looked at before libzip opens it: a pipe given as the archive would block the open.
  QString reason = file_refusal(archive);
  if (!reason.isEmpty())
    return refuse(reason);
  const Archive zip = open_archive(archive, reason);
  if (!zip)
    return refuse(reason);
  const std::optional<zip_uint64_t> index = find_checked_entry(zip.get(), name, reason);
  if (!index)
    return refuse(reason);
  zip_stat_t stat;
  if (zip_stat_index(zip.get(), *index, 0, &stat) != 0)
    return refuse(zip_reason(zip.get()));
  const qint64 free_space = QStorageInfo(folder).bytesAvailable();
  if (free_space >= 0 && stat.size + free_space_margin > static_cast<zip_uint64_t>(free_space)) {
    return refuse(QStringLiteral("%1 bytes would leave less than %2 of the %3 bytes free")
                      .arg(stat.size)
                      .arg(free_space_margin)
                      .arg(free_space));
  }
  if (expected.sizes_fit) {
    if (reason = expected.sizes_fit(stat.size, stat.comp_size); !reason.isEmpty())
      return refuse(reason);
  }

  remove_abandoned_work_folders(folder);
  auto unpacked = std::make_unique<UnpackedFile>(folder, name);
  if (!unpacked->valid())
    return nullptr;
  QFile out(unpacked->path());
  if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
    return refuse(out.errorString());
  bool first = true;
  reason = read_entry(zip.get(), *index, stat.size, [&](const char* bytes, zip_int64_t size) {
    if (out.write(bytes, size) != size)
      return out.errorString();
    if (!std::exchange(first, false) || !expected.start_fits)
      return QString();
    // Given its whole length at once, the file can show what it claims to hold.
    if (!out.flush() || !out.resize(static_cast<qint64>(stat.size)))
      return out.errorString();
    return expected.start_fits(QByteArrayView(bytes, size), out.fileName());
  });
  if (reason.isEmpty() && !out.flush())
    reason = out.errorString();
  if (!reason.isEmpty())
    return refuse(reason);
  return unpacked;
}
