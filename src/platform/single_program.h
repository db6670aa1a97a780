#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

class QLocalServer;
class QLockFile;

// One writing program per notebook: two programs on one database file would overwrite each
// other's saves. The running program holds a lock file beside the database file, on the file's
// real path (links resolved), and listens on a local socket named after that path. A later start
// that reaches the same file, from this program directory or another one, finds the lock held,
// knocks on the socket and ends, and the running program comes to the front.
class SingleProgram {
 public:
  // database_file: the notebook's file; it need not exist yet.
  explicit SingleProgram(const QString& database_file);
  SingleProgram(const SingleProgram&) = delete;
  SingleProgram& operator=(const SingleProgram&) = delete;
  ~SingleProgram();

  // The lock file: the database file's real path with ".lock" behind it.
  const QString& lock_path() const { return lock_path_; }

  // true when this process is now the running program. A lock left by a program that no longer
  // runs (it was killed) is taken over. A folder where no lock file can be made at all
  // (read-only) cannot be guarded: the program runs there unguarded, and says so on standard
  // error.
  bool claim();

  // Asks the running program to come to the front; false when it could not be reached.
  bool call_running_program_forward() const;

  enum class Start {
    // This process holds the notebook now.
    run,
    // The running program was asked to the front.
    joined,
    // The lock stayed held and the program holding it never answered; standard error says why.
    gave_up,
  };
  // Claims the notebook, or knocks on the program that holds it, again and again until one of
  // the two succeeds or wait_ms have passed: the program holding the lock may still be setting
  // up its socket, or may be ending and about to let the lock go.
  Start start(int wait_ms);

  // The window that comes to the front at a knock; a modal window open above it comes instead.
  void set_front_window(QWidget* window);

 private:
  // Connects to the running program's socket; reason tells why not.
  bool knock(int wait_ms, QString* reason) const;
  void come_forward();

  QString lock_path_;
  QString server_name_;
  std::unique_ptr<QLockFile> lock_;
  std::unique_ptr<QLocalServer> server_;
  QPointer<QWidget> front_window_;
};
