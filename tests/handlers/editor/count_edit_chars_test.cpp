#include "handlers/editor/count_edit_chars.h"

#include <gtest/gtest.h>

namespace {

struct CountCase {
  const char* name;
  QByteArray gbk;
  int expected;
};

class CountEditCharsTest : public ::testing::TestWithParam<CountCase> {};

TEST_P(CountEditCharsTest, CountsGbkBytesAsEditorCharacters) {
  EXPECT_EQ(count_edit_chars(GetParam().gbk), GetParam().expected);
}

// "中" is D6 D0 in GBK; "文" is CE C4.
INSTANTIATE_TEST_SUITE_P(
    Cases, CountEditCharsTest,
    ::testing::Values(CountCase{"empty", QByteArray(), 0}, CountCase{"ab", "ab", 2},
                      CountCase{"one_gbk", "\xD6\xD0", 1}, CountCase{"a_then_gbk", "a\xD6\xD0", 2},
                      CountCase{"cr_lf", "\r\n", 1}, CountCase{"cr_swallows_a", "\rab", 2},
                      CountCase{"lead_byte_last", "a\xD6", 2}, CountCase{"cr_last", "ab\r", 3},
                      CountCase{"gbk_trail_below_0x80", "\x81\x40x", 2}),
    [](const auto& test_case) { return std::string(test_case.param.name); });

TEST(CountEditCharsText, CountsTheGbkFormOfAText) {
  EXPECT_EQ(count_edit_chars(QStringLiteral("中文")), 2);
  EXPECT_EQ(count_edit_chars(QStringLiteral("x中文y")), 4);
  EXPECT_EQ(count_edit_chars(QString()), 0);
}

}  // namespace
