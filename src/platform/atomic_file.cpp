#include "platform/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
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

void remove_interrupted_writes(const QString& path, const QDateTime& changed_before) {
  const QFileInfo target(path);
  // The names the save file gives its temporary files.
  const QRegularExpression temporary(QRegularExpression::anchoredPattern(
      QRegularExpression::escape(target.fileName()) + QStringLiteral("\\.[A-Za-z]{6}")));
  const QDir folder = target.absoluteDir();
  for (const QFileInfo& file :
       folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks)) {
    if (temporary.match(file.fileName()).hasMatch() && file.lastModified() < changed_before)
      QFile::remove(file.filePath());
  }
}
