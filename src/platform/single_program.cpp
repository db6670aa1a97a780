#include "platform/single_program.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>

#include <algorithm>
#include <cerrno>

#include "platform/failure_log.h"

namespace {

constexpr int knock_wait_ms = 3000;
constexpr int knock_pause_ms = 100;

// The same file reached by another spelling (a link to it or to a folder above it, "..") has
// one real path. A file not made yet is named in its folder's real path.
QString real_path_of(const QString& file) {
  const QFileInfo info(file);
  const QString real = info.canonicalFilePath();
  if (!real.isEmpty())
    return real;
  const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
  return (folder.isEmpty() ? info.absolutePath() : folder) + u'/' + info.fileName();
}

QString server_name_of(const QString& real_path) {
  return QStringLiteral("wrenfold-") +
         QString::fromLatin1(
             QCryptographicHash::hash(real_path.toUtf8(), QCryptographicHash::Sha256)
                 .toHex()
                 .left(32));
}

QString lock_error_text(QLockFile::LockError error, int error_number) {
  if (error_number != 0)
    return errno_reason(error_number);
  switch (error) {
    case QLockFile::PermissionError:
      return QStringLiteral("the lock file cannot be made here");
    case QLockFile::LockFailedError:
      return QStringLiteral("another program holds the lock");
    default:
      return QStringLiteral("unknown error");
  }
}

}  // namespace

SingleProgram::SingleProgram(const QString& database_file)
    : lock_path_(real_path_of(database_file) + QStringLiteral(".lock")),
      server_name_(server_name_of(real_path_of(database_file))),
      lock_(std::make_unique<QLockFile>(lock_path_)) {
  // A running program holds its lock however long it runs; only a lock whose program is gone
  // is stale.
  lock_->setStaleLockTime(0);
}

SingleProgram::~SingleProgram() = default;

bool SingleProgram::claim() {
  if (server_)
    return true;
  errno = 0;
  if (!lock_->tryLock(0)) {
    if (lock_->error() == QLockFile::LockFailedError)
      return false;
    log_failure(QStringLiteral("lock the notebook (it runs unguarded)"), lock_path_,
                lock_error_text(lock_->error(), errno));
    return true;
  }
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  // Holding the lock, a socket left under this name belongs to a program that was killed.
  QLocalServer::removeServer(server_name_);
  QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this] {
    while (QLocalSocket* knock = server_->nextPendingConnection()) {
      knock->disconnectFromServer();
      knock->deleteLater();
    }
    come_forward();
  });
  if (!server_->listen(server_name_))
    log_failure(QStringLiteral("listen for later starts on"), server_name_, server_->errorString());
  return true;
}

bool SingleProgram::knock(int wait_ms, QString* reason) const {
  QLocalSocket socket;
  socket.connectToServer(server_name_);
  if (!socket.waitForConnected(wait_ms)) {
    // Qt words a socket that is not there as "Invalid name".
    *reason = socket.error() == QLocalSocket::ServerNotFoundError
                  ? QStringLiteral("nothing listens on socket %1 (%2)")
                        .arg(server_name_, socket.errorString())
                  : socket.errorString();
    return false;
  }
  socket.disconnectFromServer();
  return true;
}

bool SingleProgram::call_running_program_forward() const {
  QString reason;
  return knock(knock_wait_ms, &reason);
}

SingleProgram::Start SingleProgram::start(int wait_ms) {
  const QDeadlineTimer deadline(wait_ms);
  QString reason;
  for (;;) {
    if (claim())
      return Start::run;
    if (knock(std::clamp(int(deadline.remainingTime()), 1, knock_wait_ms), &reason))
      return Start::joined;
    if (deadline.hasExpired())
      break;
    QThread::msleep(std::min<qint64>(knock_pause_ms, deadline.remainingTime()));
  }
  log_failure(QStringLiteral("start: the program holding the notebook's lock does not answer,"),
              lock_path_, reason);
  return Start::gave_up;
}

void SingleProgram::set_front_window(QWidget* window) {
  front_window_ = window;
}

void SingleProgram::come_forward() {
  QWidget* window = QApplication::activeModalWidget();
  if (!window)
    window = front_window_;
  if (!window)
    return;
  // A window hidden to the tray or minimized is shown again.
  window->show();
  window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->raise();
  window->activateWindow();
}
