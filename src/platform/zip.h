#pragma once

#include <QString>

// The ZIP control of a window. It holds no state: each operation stands on its own.
class ZipComponent {};

// Packs the one file into a new archive whose single entry is the file's name. An existing
// archive is replaced only once the new one is whole. 1 done, 0 failed.
int zip_compress_file(ZipComponent& component, const QString& source_file, const QString& archive);

// Unpacks every entry into target_dir, replacing files of the same names. Entries with absolute
// paths, "..", links or other special files make the whole archive refused; nothing in target_dir
// changes unless every entry came out whole. An archive without a file fails. 1 done, 0 failed.
int zip_extract(ZipComponent& component, const QString& archive, const QString& target_dir);
