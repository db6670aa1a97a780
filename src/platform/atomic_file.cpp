#include "platform/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>

#include "platform/failure_log.h"

namespace {

QString temporary_suffix() {
  return QStringLiteral(".wrenfold-write");
}

bool sync_path(const QString& path, int flags) {
  const int descriptor = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
  if (descriptor < 0)
    return false;
  const bool synced = ::fsync(descriptor) == 0;
  return ::close(descriptor) == 0 && synced;
}

}  // namespace

bool write_file_atomically(const QString& path, const QByteArray& bytes, QString* failure_reason) {
  // A name of its own, created exclusively: no user gives a file this suffix, so the clean-up at
  // start-up can tell this program's leftovers from the user's files.
  QFile file;
  bool created = false;
  for (int attempt = 0; attempt < 8 && !created; ++attempt) {
    file.setFileName(
        path + u'.' +
        QString::number(QRandomGenerator::global()->generate(), 16).rightJustified(8, u'0') +
        temporary_suffix());
    created = file.open(QIODevice::WriteOnly | QIODevice::NewOnly);
  }
  const QFileInfo target(path);
  const bool written = created &&
                       (!target.isFile() || file.setPermissions(QFile::permissions(path))) &&
                       file.write(bytes) == bytes.size() && file.flush();
  const QString write_reason = file.errorString();
  file.close();
  errno = 0;
  if (written && replace_file_durably(file.fileName(), path))
    return true;
  if (failure_reason != nullptr)
    *failure_reason = written ? errno_reason(errno) : write_reason;
  if (created)
    file.remove();
  return false;
}

void remove_interrupted_writes(const QString& path, const QDateTime& changed_before) {
  const QFileInfo target(path);
  const QRegularExpression temporary(QRegularExpression::anchoredPattern(
      QRegularExpression::escape(target.fileName() + u'.') + QStringLiteral("[0-9a-f]{8}") +
      QRegularExpression::escape(temporary_suffix())));
  const QDir folder = target.absoluteDir();
  for (const QFileInfo& file :
       folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks)) {
    if (!temporary.match(file.fileName()).hasMatch() || file.lastModified() >= changed_before)
      continue;
    QFile leftover(file.filePath());
    if (!leftover.remove())
      log_failure(QStringLiteral("remove an interrupted write"), leftover.fileName(),
                  leftover.errorString());
  }
}

bool replace_file_durably(const QString& finished, const QString& target) {
  if (!sync_path(finished, O_RDONLY))
    return false;
  if (std::rename(QFile::encodeName(finished).constData(), QFile::encodeName(target).constData()) !=
      0) {
    return false;
  }
  // Without this the rename may still be lost in a crash, bringing the old file back. Once
  // renamed the target is replaced whatever the folder answers: there is nothing to undo.
  sync_path(QFileInfo(target).absolutePath(), O_RDONLY | O_DIRECTORY);
  return true;
}
