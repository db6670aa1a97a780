#pragma once

#include <QByteArrayView>
#include <QString>

#include <functional>
#include <memory>

#include "platform/work_folder.h"

// The ZIP control of a window. It holds no state: each operation stands on its own.
class ZipComponent {};

// Packs the one file into an archive whose single entry is the file's name, stored as it is (an
// encrypted file does not compress), in one pass that computes the checksum as it copies. The
// archive is built in a work folder beside the target, flushed to disk and renamed over an
// archive of that name, so a failure leaves an older archive as it was. A replaced archive keeps
// its mode; a new one gets the mode the umask gives a new file. Work folders that cut-off runs
// left beside the target go first. 1 done, 0 failed (one line on standard error says why).
int zip_compress_file(ZipComponent& component, const QString& source_file, const QString& archive);

// One file taken out of an archive, inside a work folder that is removed with this object
// (unless the file has been moved away, the folder's only content goes with it).
class UnpackedFile {
 public:
  UnpackedFile(const QString& parent_folder, const QString& file_name);
  bool valid() const { return folder_.valid(); }
  QString path() const { return path_; }

 private:
  WorkFolder folder_;
  QString path_;
};

// What the caller knows of the file it wants, so that an entry that cannot be it is refused
// before it is unpacked or as soon as its first bytes show it. Each check gives the reason the
// entry does not fit, or the empty text when it may.
struct EntryExpectation {
  // Before anything is written: the entry's declared size and its packed size.
  std::function<QString(quint64 size, quint64 packed_size)> sizes_fit;
  // Once the first chunk is written to file, which has already been given the declared size.
  std::function<QString(QByteArrayView first_bytes, const QString& file)> start_fits;
};

// An archive is input from anywhere, so the whole of it is checked before anything is written:
// it must be a regular file (looked at without opening it, so a pipe cannot block), every entry
// must be a plain file or folder under a relative path without "..", drive or device names, and
// none may expand more than 1000 times its packed size. Then only the top-level entry `name` is
// unpacked, into a work folder inside `folder` (same file system, so the caller can rename it into
// place), when it fits the expectation and the free space less a margin, checking its size and
// checksum. Other entries are not written anywhere. Work folders that cut-off runs left in `folder`
// go first. nullptr when a check fails (one line on standard error says why); nothing is left
// behind then.
std::unique_ptr<UnpackedFile> zip_extract_file(ZipComponent& component, const QString& archive,
                                               const QString& name, const QString& folder,
                                               const EntryExpectation& expected = {});
