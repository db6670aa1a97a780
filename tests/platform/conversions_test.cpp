#include <gtest/gtest.h>

#include "platform/conversions.h"

TEST(ToInteger, ReadsLeadingDigitsOfAText) {
  const struct {
    const char16_t* text;
    int expected;
  } cases[] = {
      {u"42", 42},
      {u"  -7x", -7},
      {u"+3", 3},
      {u"", 0},
      {u"abc", 0},
      {u"1.9", 1},
      {u"99999999999", 2147483647},
      {u"-99999999999", -2147483647 - 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(to_integer(QString::fromUtf16(c.text)), c.expected)
        << QString::fromUtf16(c.text).toStdString();
  }
}

TEST(ToInteger, TruncatesDoublesTowardZero) {
  EXPECT_EQ(to_integer(2.9), 2);
  EXPECT_EQ(to_integer(-2.9), -2);
  EXPECT_EQ(to_integer(1e20), 2147483647);
  EXPECT_EQ(integer_part(3.5), 3);
}

TEST(ToText, GivesPlainDigitsForWholeNumbersAndSafeDates) {
  EXPECT_EQ(to_text(3), "3");
  EXPECT_EQ(to_text(3.0), "3");
  EXPECT_EQ(to_text(qint64{-12}), "-12");
  const QDateTime stamp(QDate(2026, 12, 10), QTime(8, 5, 9));
  EXPECT_EQ(to_text(stamp), "2026-12-10 08:05:09");
  EXPECT_EQ(to_text(date_part(stamp)), "2026-12-10");
}

TEST(GbkByteCount, CountsTheGbkForm) {
  EXPECT_EQ(gbk_byte_count(""), 0);
  EXPECT_EQ(gbk_byte_count("abcdefg"), 7);
  EXPECT_EQ(gbk_byte_count(QStringLiteral("新功能加入")), 10);
  EXPECT_EQ(gbk_byte_count(QStringLiteral("a\nb")), 4);
  EXPECT_EQ(gbk_byte_count(QStringLiteral("a\r\nb")), 4);
  EXPECT_EQ(gbk_byte_count(QString::fromUtf8("\xF0\x9F\x92\xA9")), 1);
}
