#include "handlers/editor/count_edit_chars.h"

#include <gtest/gtest.h>

namespace {

TEST(CountEditChars, CountsTheEditorsPositions) {
  const struct {
    QString text;
    int expected;
  } cases[] = {
      {QString(), 0},
      {QStringLiteral("ab"), 2},
      {QStringLiteral("中"), 1},
      {QStringLiteral("a中"), 2},
      {QStringLiteral("\r\n"), 1},
      {QStringLiteral("\rab"), 3},
      {QStringLiteral("😀"), 2},
      {QStringLiteral("a😀b"), 4},
      // GBK gives the euro sign one byte of 0x80 and above, which once took the a along.
      {QStringLiteral("€a"), 2},
  };
  for (const auto& c : cases)
    EXPECT_EQ(count_edit_chars(c.text), c.expected) << c.text.toStdString();
}

}  // namespace
