#include "storage/category_table.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "storage/article_table.h"
#include "storage/table_fixture.h"

namespace {

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

// Every row of both tables, to see that nothing changed.
QString all_rows(ExternalDatabase& db) {
  RecordSet records = db_query(
      db,
      QStringLiteral("select (select group_concat(目录位置 || ':' || 目录名称, ';') from 目录管理) "
                     "|| '|' || (select group_concat(文章所属 || ':' || 文章位置 || ':' || "
                     "文章标题, ';') from 文章管理)"));
  const QString rows = db_read_text(records, 1);
  db_close_recordset(records);
  return rows;
}

// Changes that must go together change nothing when their transaction cannot begin (here one is
// already open): their statements would otherwise each stand alone.
TEST_F(StatementsTest, ChangesThatGoTogetherDoNothingWhenTheirTransactionCannotBegin) {
  category(QStringLiteral("甲"), QStringLiteral("1"));
  category(QStringLiteral("乙"), QStringLiteral("2"));
  article(QStringLiteral("甲"), 1, QStringLiteral("一"));
  article(QStringLiteral("甲"), 2, QStringLiteral("二"));
  const QString before = all_rows(db_);
  const std::vector<std::pair<const char*, std::function<bool()>>> changes = {
      {"rename a category", [&] { return rename_category_with_articles(db_, "甲", 1, "丙"); }},
      {"swap categories", [&] { return swap_category_positions(db_, 1, "甲", "乙"); }},
      {"delete a category", [&] { return delete_category_with_articles(db_, "甲", 1); }},
      {"swap articles", [&] { return set_two_article_positions(db_, "甲", "一", 2, "二", 1); }},
      {"delete an article", [&] { return remove_article_closing_gap(db_, "甲", "一", 1); }},
  };
  ASSERT_EQ(db_execute(db_, QStringLiteral("BEGIN")), 1);
  for (const auto& [name, change] : changes) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(change());
    EXPECT_EQ(all_rows(db_), before);
  }
  ASSERT_EQ(db_execute(db_, QStringLiteral("ROLLBACK")), 1);
}

}  // namespace
