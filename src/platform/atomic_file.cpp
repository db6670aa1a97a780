#include "platform/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <cstdio>

namespace {

bool sync_path(const QString& path, int flags) {
  const int descriptor = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
  if (descriptor < 0)
    return false;
  const bool synced = ::fsync(descriptor) == 0;
  return ::close(descriptor) == 0 && synced;
}

}  // namespace

bool write_file_atomically(const QString& path, const QByteArray& bytes, QString* failure_reason) {
  QSaveFile file(path);
  const bool written =
      file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
  if (!written) {
    if (failure_reason != nullptr)
      *failure_reason = file.errorString();
    file.cancelWriting();
  }
  return written;
}

void remove_interrupted_writes(const QString& path, const QDateTime& changed_before) {
  const QFileInfo target(path);
  // The names the save file gives its temporary files: six random letters of either case. Six
  // lower-case ones read as a word, such as a user's own config.ini.backup, and stay.
  const QRegularExpression temporary(
      QRegularExpression::anchoredPattern(QRegularExpression::escape(target.fileName()) +
                                          QStringLiteral("\\.(?![a-z]{6}$)[A-Za-z]{6}")));
  const QDir folder = target.absoluteDir();
  for (const QFileInfo& file :
       folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks)) {
    if (temporary.match(file.fileName()).hasMatch() && file.lastModified() < changed_before)
      QFile::remove(file.filePath());
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
