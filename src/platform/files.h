#pragma once

#include <QByteArray>
#include <QString>

// The whole file; an empty byte set when it is missing or cannot be read.
QByteArray read_file(const QString& path);
