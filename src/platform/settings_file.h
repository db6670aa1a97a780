#pragma once

#include <QString>

// The settings file: UTF-8 INI text, [SECTION] / KEY=value, names case-insensitive. Nothing is
// cached: every read loads the file, every write loads it, changes one key and replaces the
// file atomically, so a crash mid-write leaves the old file whole. A file over 16 MB, or one that
// is no regular file, counts as unreadable: reads give their fallbacks and the next write
// replaces it (a link itself, not what it points to). A damaged line (a NUL byte, a block that
// never ends) is skipped and every other line read; the next write leaves it out and says so on
// standard error, as it reports every write it cannot make.

// The stored value, or the fallback when the file, the section or the key is missing.
QString read_ini_value(const QString& file, const QString& section, const QString& key,
                       const QString& fallback);
// Without a fallback a missing key reads as the empty text.
QString read_ini_value(const QString& file, const QString& section, const QString& key);

void write_ini_value(const QString& file, const QString& section, const QString& key,
                     const QString& value);

// get_program_dir() + "/config/config.ini", built afresh at every call.
QString settings_file_path();

// A switch is on only when its text's integer value is 1.
bool is_switch_on(const QString& value);
