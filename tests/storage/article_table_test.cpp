#include "storage/article_table.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/database.h"
#include "platform/runtime_error.h"
#include "storage/table_fixture.h"

namespace {

TEST_F(StatementsTest, ArticlesCountPositionsAgainstTheWholeTable) {
  // Positions 1 and 3 in 日记; the third article, in another category, makes 3 reachable.
  article(QStringLiteral("日记"), 3, QStringLiteral("第三"));
  article(QStringLiteral("日记"), 1, QStringLiteral("第一"));
  EXPECT_EQ(article_titles_in_order(db_, QStringLiteral("日记")), QStringList{"第一"});
  article(QStringLiteral("杂项"), 1, QStringLiteral("别的"));
  EXPECT_EQ(article_titles_in_order(db_, QStringLiteral("日记")), (QStringList{"第一", "第三"}));
}

TEST_F(StatementsTest, ArticlesListEqualPositionsInTableOrderAndSkipOthers) {
  const QString diary = QStringLiteral("Tom's \"日记\"");
  article(diary, 2, QStringLiteral("乙"));
  article(diary, 1, QStringLiteral("甲"));
  article(diary, 2, QStringLiteral("丙"));
  article(diary, 0, QStringLiteral("零"));
  article(diary, QStringLiteral("'02'"), QStringLiteral("'丁'"));
  article(diary + QStringLiteral(" "), 1, QStringLiteral("尾随空格"));
  article(QStringLiteral("tom's \"日记\""), 1, QStringLiteral("小写"));
  EXPECT_EQ(article_titles_in_order(db_, diary), (QStringList{"甲", "乙", "丙", "丁"}));
  EXPECT_TRUE(article_titles_in_order(db_, QString()).isEmpty());
}

TEST_F(StatementsTest, ANonTextTitleOfAListedArticleIsARuntimeError) {
  article(QStringLiteral("日记"), 5, QStringLiteral("'超出'"));
  article(QStringLiteral("日记"), QStringLiteral("'9'"), QStringLiteral("x'41'"));
  EXPECT_NO_THROW(article_titles_in_order(db_, QStringLiteral("日记")));  // 9 is out of range
  article(QStringLiteral("日记"), QStringLiteral("'1'"), QStringLiteral("x'42'"));
  try {
    article_titles_in_order(db_, QStringLiteral("日记"));
    FAIL() << "no run-time error";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.code(), error_not_text);
  }
}

TEST_F(StatementsTest, TitleLookupIsExactPerCategoryAndSafeWithQuotes) {
  const QString hostile = QStringLiteral("'); delete from 文章管理; --");
  article(QStringLiteral("日记"), 1, hostile);
  article(QStringLiteral("日记"), 2, QStringLiteral("it's"));
  EXPECT_TRUE(article_title_exists(db_, QStringLiteral("日记"), hostile));
  EXPECT_TRUE(article_title_exists(db_, QStringLiteral("日记"), QStringLiteral("it's")));
  EXPECT_FALSE(article_title_exists(db_, QStringLiteral("日记"), QStringLiteral("It's")));
  EXPECT_FALSE(article_title_exists(db_, QStringLiteral("杂项"), QStringLiteral("it's")));
  EXPECT_EQ(article_titles_in_order(db_, QStringLiteral("日记")).size(), 2);
}

TEST_F(StatementsTest, GapClosingLowersEachLaterPositionOnce) {
  // Table order 1, 4, 3, 2 with the article at 1 deleted: each later one must move down by one.
  article(QStringLiteral("日记"), 1, QStringLiteral("甲"));
  article(QStringLiteral("日记"), 4, QStringLiteral("丁"));
  article(QStringLiteral("日记"), 3, QStringLiteral("丙"));
  article(QStringLiteral("日记"), 2, QStringLiteral("乙"));
  article(QStringLiteral("杂项"), 5, QStringLiteral("别的"));
  ASSERT_TRUE(remove_article_closing_gap(db_, QStringLiteral("日记"), QStringLiteral("甲"), 1));
  EXPECT_EQ(positions_of(QStringLiteral("日记")), (std::vector<QString>{"丁@3", "丙@2", "乙@1"}));
  EXPECT_EQ(positions_of(QStringLiteral("杂项")), std::vector<QString>{"别的@5"});
}

}  // namespace
