#include "support/non_regular_files.h"

#include <gtest/gtest.h>

#include <QFile>

#include <sys/stat.h>

QString make_fifo(const QString& path) {
  EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0) << path.toStdString();
  return path;
}

QString make_link(const QString& path, const QString& target) {
  EXPECT_TRUE(QFile::link(target, path)) << path.toStdString();
  return path;
}
