#include "storage/category_table.h"

#include <gtest/gtest.h>

#include <vector>

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

}  // namespace
