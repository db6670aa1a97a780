#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

class QLocalServer;
class QLockFile;

// One running program per program directory: two programs on one notebook would overwrite each
// other's saves. The running program holds a lock file in the directory and listens on a local
// socket named after it; a later start finds the lock held, knocks on the socket and ends, and
// the running program comes to the front.
class SingleProgram {
 public:
  explicit SingleProgram(const QString& program_dir);
  SingleProgram(const SingleProgram&) = delete;
  SingleProgram& operator=(const SingleProgram&) = delete;
  ~SingleProgram();

  // true when this process is now the running program. A lock left by a program that no longer
  // runs (it was killed) is taken over. A directory where no lock file can be made at all
  // (read-only) cannot be guarded: the program runs there unguarded.
  bool claim();

  // Asks the running program to come to the front; false when it could not be reached.
  bool call_running_program_forward() const;

  // The window that comes to the front at a knock; a modal window open above it comes instead.
  void set_front_window(QWidget* window);

 private:
  void come_forward();

  QString server_name_;
  std::unique_ptr<QLockFile> lock_;
  std::unique_ptr<QLocalServer> server_;
  QPointer<QWidget> front_window_;
};
