#include "platform/failure_log.h"

#include <QByteArray>

#include <cstdio>
#include <cstring>

namespace {

QString one_line(QString text) {
  text.replace(QLatin1Char('\r'), QLatin1Char(' '));
  text.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return text;
}

}  // namespace

void log_failure(const QString& action, const QString& file, const QString& reason) {
  const QString line =
      QStringLiteral("wrenfold: %1 \"%2\": %3\n")
          .arg(one_line(action), one_line(file),
               reason.isEmpty() ? QStringLiteral("no reason given") : one_line(reason));
  // One write per line, so lines of failures on two threads never interleave.
  const QByteArray bytes = line.toUtf8();
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
  std::fflush(stderr);
}

QString errno_reason(int error_number) {
  return QString::fromLocal8Bit(std::strerror(error_number));
}
