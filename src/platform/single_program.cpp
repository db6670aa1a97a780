#include "platform/single_program.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

namespace {

constexpr int knock_wait_ms = 3000;

// The same directory reached by another spelling (a link, "..") names the same socket.
QString server_name_of(const QString& program_dir) {
  const QFileInfo dir(program_dir);
  const QString canonical = dir.canonicalFilePath();
  const QByteArray key = (canonical.isEmpty() ? dir.absoluteFilePath() : canonical).toUtf8();
  return QStringLiteral("wrenfold-") +
         QString::fromLatin1(
             QCryptographicHash::hash(key, QCryptographicHash::Sha256).toHex().left(32));
}

}  // namespace

SingleProgram::SingleProgram(const QString& program_dir)
    : server_name_(server_name_of(program_dir)),
      lock_(std::make_unique<QLockFile>(program_dir + QStringLiteral("/wrenfold.lock"))) {
  // A running program holds its lock however long it runs; only a lock whose program is gone
  // is stale.
  lock_->setStaleLockTime(0);
}

SingleProgram::~SingleProgram() = default;

bool SingleProgram::claim() {
  if (!lock_->tryLock(0))
    return lock_->error() != QLockFile::LockFailedError;
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
  server_->listen(server_name_);
  return true;
}

bool SingleProgram::call_running_program_forward() const {
  QLocalSocket socket;
  socket.connectToServer(server_name_);
  if (!socket.waitForConnected(knock_wait_ms))
    return false;
  socket.disconnectFromServer();
  return true;
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
