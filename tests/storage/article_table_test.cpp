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

TEST_F(StatementsTest, TwoPositionsChangeTogetherOrNotAtAll) {
  const QString diary = QStringLiteral("Tom's 日记");
  article(diary, 1, QStringLiteral("it's"));
  article(diary, 2, QStringLiteral("乙"));
  article(diary, 3, QStringLiteral("丙"));
  ASSERT_TRUE(
      set_two_article_positions(db_, diary, QStringLiteral("乙"), 1, QStringLiteral("it's"), 2));
  EXPECT_EQ(positions_of(diary), (std::vector<QString>{"it's@2", "丙@3", "乙@1"}));

  // A second article that is not there, or a second statement that fails, undoes the first.
  EXPECT_FALSE(
      set_two_article_positions(db_, diary, QStringLiteral("丙"), 2, QStringLiteral("没有"), 3));
  ASSERT_EQ(db_execute(db_, QStringLiteral("create trigger 写入失败 before update of 文章位置 on "
                                           "文章管理 when new.文章标题 = 'it''s' begin select "
                                           "raise(abort, 'disk full'); end")),
            1);
  EXPECT_FALSE(
      set_two_article_positions(db_, diary, QStringLiteral("丙"), 2, QStringLiteral("it's"), 3));
  EXPECT_EQ(positions_of(diary), (std::vector<QString>{"it's@2", "丙@3", "乙@1"}));
}

struct TitleSearchCase {
  const char* label;
  QString text;
  QStringList hits;
};

// Test names show the case by its name, not its bytes.
void PrintTo(const TitleSearchCase& c, std::ostream* out) {
  *out << c.label;
}

class TitleSearchTest : public StatementsTest,
                        public ::testing::WithParamInterface<TitleSearchCase> {};

TEST_P(TitleSearchTest, ListsMatchesInTableOrder) {
  // Table order is neither title nor category order.
  article(QStringLiteral("乙类"), 1, QStringLiteral("it's 周记"));
  article(QStringLiteral("甲类"), 1, QStringLiteral("50% 完成"));
  article(QStringLiteral("乙类"), 2, QStringLiteral("a_b"));
  article(QStringLiteral("甲类"), 2, QStringLiteral("axb 周记"));
  article(QStringLiteral("甲类"), 3, QStringLiteral("'); delete from 文章管理; --"));
  ASSERT_EQ(db_execute(db_, QStringLiteral("update 文章管理 set 建立时间 = '创' || ID, 修改时间 = "
                                           "'改' || ID, 文章内容 = x'00ff'")),
            1);
  QStringList hits;
  // Written into the room of a former, larger result, as the search window refills its list.
  const TextRows rows =
      articles_titled_like(db_, GetParam().text, articles_titled_like(db_, QString()));
  ASSERT_EQ(rows.columns(), hit_columns);
  for (int row = 0; row < rows.row_count(); ++row) {
    hits << rows.text(row, hit_title) + u'|' + rows.text(row, hit_category) + u'|' +
                rows.text(row, hit_created) + u'|' + rows.text(row, hit_changed);
  }
  EXPECT_EQ(hits, GetParam().hits);
  EXPECT_EQ(count_articles(db_), 5);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TitleSearchTest,
    ::testing::Values(
        TitleSearchCase{"empty_lists_all",
                        QString(),
                        {"it's 周记|乙类|创1|改1", "50% 完成|甲类|创2|改2", "a_b|乙类|创3|改3",
                         "axb 周记|甲类|创4|改4", "'); delete from 文章管理; --|甲类|创5|改5"}},
        TitleSearchCase{"part_of_title",
                        QStringLiteral("周记"),
                        {"it's 周记|乙类|创1|改1", "axb 周记|甲类|创4|改4"}},
        TitleSearchCase{"quote", QStringLiteral("it's"), {"it's 周记|乙类|创1|改1"}},
        TitleSearchCase{"hostile",
                        QStringLiteral("'); delete from 文章管理; --"),
                        {"'); delete from 文章管理; --|甲类|创5|改5"}},
        TitleSearchCase{"percent_matches_any", QStringLiteral("0%完"), {"50% 完成|甲类|创2|改2"}},
        TitleSearchCase{"underscore_matches_one",
                        QStringLiteral("a_b"),
                        {"a_b|乙类|创3|改3", "axb 周记|甲类|创4|改4"}},
        TitleSearchCase{"no_hit", QStringLiteral("没有"), {}}),
    [](const auto& test_case) { return std::string(test_case.param.label); });

TEST_F(StatementsTest, ANonTextTitleFoundBySearchIsARuntimeError) {
  article(QStringLiteral("日记"), QStringLiteral("'1'"), QStringLiteral("x'3132'"));
  try {
    articles_titled_like(db_, QStringLiteral("1"));
    FAIL() << "no run-time error";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.code(), error_not_text);
  }
}

}  // namespace
