#include "notebook/article_statements.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <optional>
#include <vector>

#include "platform/database.h"
#include "platform/runtime_error.h"
#include "platform/schema.h"

namespace {

// A fresh data.mdb in a folder whose path holds a blank and Chinese characters.
class StatementsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    const QString path = dir_.filePath(QStringLiteral("数据 目录 data.mdb"));
    ASSERT_TRUE(create_empty_database(path));
    ASSERT_NE(db_open_mdb(db_, path, database_password), 0);
  }

  void category(const QString& name, const QString& position) {
    ASSERT_EQ(db_execute(db_, QStringLiteral("insert into 目录管理(目录位置,目录名称) values('") +
                                  sql_value(position) + QStringLiteral("','") + sql_value(name) +
                                  QStringLiteral("')")),
              1);
  }

  // position and title are SQL literals, so tests can store numbers and blobs.
  void article(const QString& owner, const QString& position_literal,
               const QString& title_literal) {
    ASSERT_EQ(db_execute(
                  db_, QStringLiteral("insert into 文章管理(文章所属,文章位置,文章标题) values('") +
                           sql_value(owner) + QStringLiteral("',") + position_literal +
                           QStringLiteral(",") + title_literal + QStringLiteral(")")),
              1);
  }
  void article(const QString& owner, int position, const QString& title) {
    article(owner, QStringLiteral("'%1'").arg(position),
            QStringLiteral("'") + sql_value(title) + QStringLiteral("'"));
  }

  std::vector<QString> positions_of(const QString& owner) {
    std::vector<QString> positions;
    RecordSet records = db_query(
        db_, QStringLiteral("select 文章标题 || '@' || 文章位置 from 文章管理 where 文章所属 = '") +
                 sql_value(owner) + QStringLiteral("' order by 文章标题"));
    for (; !db_at_end(records); db_move_next(records))
      positions.push_back(db_read_text(records, 1));
    db_close_recordset(records);
    return positions;
  }

  QTemporaryDir dir_;
  ExternalDatabase db_;
};

struct CategoryCase {
  const char* name;
  std::vector<const char*> positions;  // one category per entry, named 分类0, 分类1, ...
  QStringList expected;
};

TEST_F(StatementsTest, CategoriesListInPositionOrderWithinTheTableCount) {
  const std::vector<CategoryCase> cases = {
      {"empty table", {}, {}},
      {"equal positions keep table order", {"2", "1", "2"}, {"分类1", "分类0", "分类2"}},
      {"a position above the count is left out", {"1", "3"}, {"分类0"}},
      {"positions below 1 are left out", {"0", "-1", "1"}, {"分类2"}},
      {"positions are read as integers", {" 2", "01", "3abc"}, {"分类1", "分类0", "分类2"}},
  };
  for (const CategoryCase& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(db_execute(db_, QStringLiteral("delete from 目录管理")), 1);
    for (size_t i = 0; i < c.positions.size(); ++i) {
      category(QStringLiteral("分类%1").arg(i), QString::fromUtf8(c.positions[i]));
    }
    EXPECT_EQ(category_names_in_order(db_), c.expected);
  }
}

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
  article(QStringLiteral("日记"), 4, QStringLiteral("丁"));
  article(QStringLiteral("日记"), 3, QStringLiteral("丙"));
  article(QStringLiteral("日记"), 2, QStringLiteral("乙"));
  article(QStringLiteral("杂项"), 5, QStringLiteral("别的"));
  ASSERT_TRUE(close_position_gap(db_, QStringLiteral("日记"), 1));
  EXPECT_EQ(positions_of(QStringLiteral("日记")), (std::vector<QString>{"丁@3", "丙@2", "乙@1"}));
  EXPECT_EQ(positions_of(QStringLiteral("杂项")), std::vector<QString>{"别的@5"});
}

}  // namespace
