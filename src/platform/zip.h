#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

// The ZIP control of a window. It holds no state: each operation stands on its own.
class ZipComponent {};

// Packs the one file into an archive whose single entry is the file's name, stored as it is (an
// encrypted file does not compress). The archive is written to a temporary file beside the target
// and read back (entry present, checksum good) before it is renamed over an archive of that name,
// so a failure leaves an older archive as it was. 1 done, 0 failed, also when the target's folder
// does not exist or cannot be written.
int zip_compress_file(ZipComponent& component, const QString& source_file, const QString& archive);

// One file taken out of an archive, inside a temporary folder that is removed with this object
// (unless the file has been moved away, the folder's only content goes with it).
class UnpackedFile {
 public:
  UnpackedFile(const QString& parent_folder, const QString& file_name);
  bool valid() const { return folder_.isValid(); }
  QString path() const { return path_; }

 private:
  QTemporaryDir folder_;
  QString path_;
};

// An archive is input from anywhere, so the whole of it is checked before anything is written:
// every entry must be a plain file or folder under a relative path without "..", drive or device
// names, and none may expand more than 1000 times its packed size. Then only the top-level entry
// `name` is unpacked, into a temporary folder inside `folder` (same file system, so the caller can
// rename it into place), refusing more than the free space and checking its size and checksum.
// Other entries are not written anywhere. A folder left by an unpacking that was cut off is
// removed first. nullptr when a check fails; nothing is left behind then.
std::unique_ptr<UnpackedFile> zip_extract_file(ZipComponent& component, const QString& archive,
                                               const QString& name, const QString& folder);
