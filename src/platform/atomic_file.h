#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at path with bytes through a temporary file beside it that is flushed to disk
// and then renamed over the target, so a crash or a full disk leaves either the old file or the
// new one, never a truncated one. Every file the user keeps is written through here.
// false when nothing was replaced; failure_reason, when given, then tells the user why.
bool write_file_atomically(const QString& path, const QByteArray& bytes,
                           QString* failure_reason = nullptr);
