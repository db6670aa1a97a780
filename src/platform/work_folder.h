#pragma once

#include <QString>
#include <QTemporaryDir>

// A hidden folder in which a backup or a restore builds its file beside the place it goes, so the
// finished file moves there in one rename on one file system. Its name, ".wrenfold-<kind>-"
// and six letters or digits, is one that only this program makes. The folder is locked while
// the object lives and removed with it; a run that was killed leaves it unlocked for
// remove_abandoned_work_folders.
class WorkFolder {
 public:
  WorkFolder(const QString& parent, const QString& kind);
  ~WorkFolder();
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

  bool valid() const { return folder_.isValid() && lock_ >= 0; }
  QString path() const { return folder_.path(); }
  QString file_path(const QString& name) const { return folder_.filePath(name); }

 private:
  QTemporaryDir folder_;
  int lock_ = -1;
};

// Removes the work folders in parent that no running backup or restore holds: what a run cut
// off by a kill or a power cut left behind. Nothing else in parent is touched.
void remove_abandoned_work_folders(const QString& parent);
