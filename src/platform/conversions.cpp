#include "platform/conversions.h"

#include <iconv.h>

#include <bitset>
#include <cmath>
#include <limits>
#include <memory>

namespace {

int saturate(long double value) {
  if (value >= std::numeric_limits<int>::max())
    return std::numeric_limits<int>::max();
  if (value <= std::numeric_limits<int>::min())
    return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

std::function<QDateTime()>& clock_override() {
  static std::function<QDateTime()> clock;
  return clock;
}

// One bit per BMP code unit: does GBK have a two-byte form for it? Built once through iconv.
const std::bitset<0x10000>& gbk_double_byte_table() {
  static const std::unique_ptr<std::bitset<0x10000>> table = [] {
    auto bits = std::make_unique<std::bitset<0x10000>>();
    iconv_t cd = iconv_open("GBK", "UTF-16LE");
    if (cd == reinterpret_cast<iconv_t>(-1))
      return bits;
    for (char32_t unit = 0x80; unit < 0x10000; ++unit) {
      if (unit >= 0xD800 && unit < 0xE000)
        continue;
      char in[2] = {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
      char out[8];
      char* in_ptr = in;
      char* out_ptr = out;
      size_t in_left = sizeof in;
      size_t out_left = sizeof out;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      if (iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left) != static_cast<size_t>(-1) &&
          sizeof out - out_left == 2) {
        bits->set(unit);
      }
    }
    iconv_close(cd);
    return bits;
  }();
  return *table;
}

}  // namespace

QString to_text(int value) {
  return QString::number(value);
}

QString to_text(qint64 value) {
  return QString::number(value);
}

QString to_text(double value) {
  if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e18) {
    return QString::number(static_cast<qint64>(value));
  }
  return QString::number(value, 'g', 15);
}

QString to_text(const QDateTime& value) {
  return value.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString to_text(const QDate& value) {
  return value.toString(QStringLiteral("yyyy-MM-dd"));
}

int to_integer(const QString& text) {
  qsizetype i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
    negative = text[i] == u'-';
    ++i;
  }
  long double value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    if (value < 1e12L)
      value = value * 10 + (text[i].unicode() - u'0');
  }
  return saturate(negative ? -value : value);
}

int to_integer(double value) {
  if (std::isnan(value))
    return 0;
  return saturate(std::trunc(static_cast<long double>(value)));
}

int integer_part(double value) {
  return to_integer(value);
}

QDateTime now() {
  const auto& clock = clock_override();
  return clock ? clock() : QDateTime::currentDateTime();
}

QDate date_part(const QDateTime& value) {
  return value.date();
}

void set_clock(std::function<QDateTime()> clock) {
  clock_override() = std::move(clock);
}

int gbk_byte_count(QStringView text) {
  const auto& double_byte = gbk_double_byte_table();
  int bytes = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i].unicode();
    if (unit == u'\r') {
      bytes += 2;
      if (i + 1 < text.size() && text[i + 1] == u'\n')
        ++i;
    } else if (unit == u'\n' || unit == 0x2029) {
      bytes += 2;
    } else if (unit < 0x80) {
      bytes += 1;
    } else if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
               QChar::isLowSurrogate(text[i + 1].unicode())) {
      bytes += 1;  // GBK has no form for characters beyond the BMP.
      ++i;
    } else {
      bytes += double_byte.test(unit) ? 2 : 1;
    }
  }
  return bytes;
}
