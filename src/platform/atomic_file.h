#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// Replaces the file at path with bytes through a temporary file beside it that is flushed to disk
// and then renamed over the target, so a crash or a full disk leaves either the old file or the
// new one, never a truncated one. Every file the user keeps is written through here.
// false when nothing was replaced; failure_reason, when given, then tells the user why.
bool write_file_atomically(const QString& path, const QByteArray& bytes,
                           QString* failure_reason = nullptr);

// Removes the temporary files that writes of path cut short by a kill left beside it (path, a dot,
// eight hex digits and ".wrenfold-write"), when last changed before the given time: a write under
// way now is newer. Every other file beside path is the user's and stays.
void remove_interrupted_writes(const QString& path, const QDateTime& changed_before);

// Moves a finished file over the target in one rename on one file system: the file's bytes reach
// the disk first and the folder's new entry after, so a crash at any moment leaves either the old
// target or the new one, whole. false when the target was not replaced; the finished file stays.
bool replace_file_durably(const QString& finished, const QString& target);
