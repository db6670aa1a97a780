#include "platform/atomic_file.h"

#include <QSaveFile>

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
