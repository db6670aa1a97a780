#include "platform/program_dir.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
QString& program_dir_override() {
  static QString dir;
  return dir;
}
}  // namespace

QString get_program_dir() {
  const QString& dir = program_dir_override();
  return dir.isEmpty() ? QCoreApplication::applicationDirPath() : dir;
}

QString get_program_file_name() {
  return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

void set_program_dir(const QString& dir) {
  QString cleaned = dir;
  while (cleaned.size() > 1 && cleaned.endsWith(u'/'))
    cleaned.chop(1);
  program_dir_override() = cleaned;
}

QString program_path(const QString& relative) {
  return get_program_dir() + u'/' + relative;
}
