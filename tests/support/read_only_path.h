#pragma once

#include <QFileDevice>
#include <QString>

// Makes a file or a folder read-only while it lives, so that writes to it really fail. A process
// running as root writes whatever the file modes say, so while a ReadOnlyPath lives this thread
// also gives up that override (the capability stays permitted and is taken back at the end);
// writes then fail as they fail for every other user. The modes are put back at the end.
class ReadOnlyPath {
 public:
  explicit ReadOnlyPath(const QString& path);
  ReadOnlyPath(const ReadOnlyPath&) = delete;
  ReadOnlyPath& operator=(const ReadOnlyPath&) = delete;
  ~ReadOnlyPath();

  // false when the modes or the override could not be changed.
  bool ok() const { return ok_; }

 private:
  QString path_;
  QFileDevice::Permissions previous_;
  bool ok_ = false;
};
