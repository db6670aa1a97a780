#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <functional>

// Number and date texts as the program stores and shows them.
QString to_text(int value);
QString to_text(qint64 value);
// A whole double gives its digits only ("3"), as an integer would.
QString to_text(double value);
// "yyyy-MM-dd HH:mm:ss".
QString to_text(const QDateTime& value);
// "yyyy-MM-dd": usable inside a file name.
QString to_text(const QDate& value);

// Leading blanks, an optional sign, then leading digits; no digits give 0. Saturates at the
// int32 range.
int to_integer(const QString& text);
// Truncates toward zero and saturates at the int32 range.
int to_integer(double value);

// The integer part of a double: truncation toward zero.
int integer_part(double value);

QDateTime now();
QDate date_part(const QDateTime& value);
// Tests fix the clock; an empty function restores the system clock.
void set_clock(std::function<QDateTime()> clock);

// Bytes of the text's GBK form: ASCII 1, other characters 2 (1 when GBK has no form for them),
// a paragraph break 2 (CR LF).
int gbk_byte_count(QStringView text);
inline int gbk_byte_count(const QString& text) {
  return gbk_byte_count(QStringView(text));
}
