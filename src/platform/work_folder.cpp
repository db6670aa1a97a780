#include "platform/work_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <cerrno>

#include "platform/failure_log.h"

namespace {

const QString name_prefix = QStringLiteral(".wrenfold-");

int open_folder(const QString& path) {
  return ::open(QFile::encodeName(path).constData(),
                O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

}  // namespace

WorkFolder::WorkFolder(const QString& parent, const QString& kind)
    : folder_(QDir(parent).filePath(name_prefix + kind + QStringLiteral("-XXXXXX"))) {
  if (!folder_.isValid()) {
    log_failure(QStringLiteral("make a work folder in"), parent, folder_.errorString());
    return;
  }
  lock_ = open_folder(folder_.path());
  if (lock_ < 0 || ::flock(lock_, LOCK_EX | LOCK_NB) != 0) {
    log_failure(QStringLiteral("lock the work folder"), folder_.path(), errno_reason(errno));
    if (lock_ >= 0)
      ::close(lock_);
    lock_ = -1;
  }
}

WorkFolder::~WorkFolder() {
  // Removed while still locked, so no other run takes it for abandoned halfway.
  folder_.remove();
  if (lock_ >= 0)
    ::close(lock_);
}

void remove_abandoned_work_folders(const QString& parent) {
  const QRegularExpression ours(QRegularExpression::anchoredPattern(
      QRegularExpression::escape(name_prefix) + QStringLiteral("(backup|restore)-[A-Za-z0-9]{6}")));
  const QDir folder(parent);
  for (const QString& name :
       folder.entryList(QDir::Dirs | QDir::Hidden | QDir::NoSymLinks | QDir::NoDotAndDotDot)) {
    if (!ours.match(name).hasMatch())
      continue;
    const QString path = folder.filePath(name);
    const int lock = open_folder(path);
    if (lock < 0)
      continue;
    // A run under way holds its folder; only a folder nobody holds is abandoned.
    if (::flock(lock, LOCK_EX | LOCK_NB) == 0 && !QDir(path).removeRecursively())
      log_failure(QStringLiteral("remove the abandoned work folder"), path, errno_reason(errno));
    ::close(lock);
  }
}
