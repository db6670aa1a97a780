#include "platform/atomic_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
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

bool write_file_atomically(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly))
    return false;
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
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
