#pragma once

#include <QByteArray>
#include <QString>

// Whole files as the tests make and check them.

// The file's bytes, or "<missing>".
QByteArray read_file(const QString& path);
// Writes the file, making its folder.
void write_file(const QString& path, const QByteArray& bytes);
