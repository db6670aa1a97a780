#include "platform/files.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/failure_log.h"

namespace {

QString kind_refusal(mode_t mode) {
  if (S_ISDIR(mode))
    return QStringLiteral("is a directory, not a regular file");
  if (S_ISFIFO(mode))
    return QStringLiteral("is a FIFO, not a regular file");
  if (S_ISCHR(mode) || S_ISBLK(mode))
    return QStringLiteral("is a device, not a regular file");
  if (S_ISSOCK(mode))
    return QStringLiteral("is a socket, not a regular file");
  return QStringLiteral("is not a regular file");
}

QString status_refusal(const struct stat& status, qint64 largest_bytes) {
  if (!S_ISREG(status.st_mode))
    return kind_refusal(status.st_mode);
  if (status.st_size > largest_bytes)
    return QStringLiteral("holds %1 bytes, more than the %2 a file of this kind may hold")
        .arg(status.st_size)
        .arg(largest_bytes);
  return QString();
}

}  // namespace

QByteArray read_resource(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString file_refusal(const QString& path, qint64 largest_bytes) {
  if (path.isEmpty())
    return QStringLiteral("no file named");
  struct stat status {};
  if (::stat(QFile::encodeName(path).constData(), &status) != 0)
    return errno_reason(errno);
  return status_refusal(status, largest_bytes);
}

BoundedRead read_bounded_file(const QString& path, qint64 largest_bytes) {
  if (QString refusal = file_refusal(path, largest_bytes); !refusal.isEmpty())
    return {QByteArray(), refusal};
  const int descriptor =
      ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0)
    return {QByteArray(), errno_reason(errno)};
  QFile file;
  if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(descriptor);
    return {QByteArray(), file.errorString()};
  }
  struct stat status {};
  if (::fstat(descriptor, &status) != 0)
    return {QByteArray(), errno_reason(errno)};
  if (QString refusal = status_refusal(status, largest_bytes); !refusal.isEmpty())
    return {QByteArray(), refusal};
  // The file may grow while it is read; it is read in pieces so that it never takes more than
  // the bound, whatever it had when it was looked at.
  constexpr qint64 piece_bytes = 64 * 1024;
  QByteArray bytes;
  bytes.reserve(static_cast<qsizetype>(status.st_size));
  for (;;) {
    const QByteArray piece = file.read(piece_bytes);
    if (file.error() != QFileDevice::NoError)
      return {QByteArray(), file.errorString()};
    if (piece.isEmpty())
      break;
    bytes += piece;
    if (bytes.size() > largest_bytes)
      return {QByteArray(),
              QStringLiteral("grew beyond %1 bytes while it was read").arg(largest_bytes)};
  }
  return {bytes, QString()};
}
