#pragma once

#include <QString>

// The registry as the program uses it: one text value for start at logon. Key path and value
// name come as one text, the value name after the last backslash. Of all keys only the Run key
// exists here, under the root numbered 4: its value NAME is the desktop's autostart entry
// $XDG_CONFIG_HOME/autostart/NAME.desktop (~/.config when the variable is unset), which starts
// the program whose full path the value holds. Any other key is refused.

inline constexpr int registry_root_local_machine = 4;

// false when the key is refused or the entry could not be written (the reason goes to standard
// error); an entry is replaced whole or not at all.
bool write_registry_value(int root, const QString& key_and_name, const QString& text);
// false when the key is refused or the entry stays (the reason goes to standard error); a
// missing entry counts as deleted.
bool delete_registry_value(int root, const QString& key_and_name);

// Whether the value is there now: its autostart entry exists.
bool registry_value_exists(int root, const QString& key_and_name);

// The autostart entry that stands for the value of this key, or "" for a refused key.
QString autostart_entry_path(int root, const QString& key_and_name);
