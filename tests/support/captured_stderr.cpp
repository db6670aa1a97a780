#include "support/captured_stderr.h"

#include <unistd.h>

#include <QByteArray>

#include <cstdio>
#include <cstdlib>

CapturedStderr::CapturedStderr() {
  char name[] = "/tmp/wrenfold-stderr-XXXXXX";
  file_ = ::mkstemp(name);
  ::unlink(name);
  std::fflush(stderr);
  saved_ = ::dup(STDERR_FILENO);
  ::dup2(file_, STDERR_FILENO);
}

CapturedStderr::~CapturedStderr() {
  std::fflush(stderr);
  ::dup2(saved_, STDERR_FILENO);
  ::close(saved_);
  ::close(file_);
}

QStringList CapturedStderr::lines() const {
  std::fflush(stderr);
  QByteArray bytes;
  char buffer[4096];
  for (off_t offset = 0;;) {
    const ssize_t got = ::pread(file_, buffer, sizeof buffer, offset);
    if (got <= 0)
      break;
    bytes.append(buffer, got);
    offset += got;
  }
  QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.last().isEmpty())
    lines.removeLast();
  return lines;
}
