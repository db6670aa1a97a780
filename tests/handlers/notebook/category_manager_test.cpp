#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>

#include <memory>

#include "handlers/notebook/category_add_rename.h"
#include "handlers/notebook/category_delete.h"
#include "handlers/notebook/category_manager.h"
#include "handlers/notebook/category_order.h"
#include "handlers/notebook/notebook_fixture.h"
#include "platform/controls/picture_button.h"
#include "platform/controls/tab_frame.h"
#include "windows/category_manager_window.h"

namespace {

const QString duplicate_on_add = QStringLiteral("输入的目录已存在");
const QString duplicate_on_rename = QStringLiteral("要修改的名称与其他目录重复");
const QString delete_question = QStringLiteral("如果继续删除 本目录下的 数据将全部删除 是否继续");

// The manager open over the main window, as its menu item leaves it while the user works in it.
class CategoryManagerTest : public NotebookTest {
 protected:
  void TearDown() override {
    manager_.reset();
    NotebookTest::TearDown();
  }

  // Categories at positions 1..n, then the main window started over them.
  void start_with(const QStringList& names) {
    for (int i = 0; i < names.size(); ++i) {
      ASSERT_NE(seed_category(names[i], QString::number(i + 1)), 0);
    }
    start_main_window();
  }

  CategoryManagerWindow& open_manager() {
    manager_ = std::make_unique<CategoryManagerWindow>();
    prepare_category_manager(*manager_);
    return *manager_;
  }
  ReportList& categories() { return *manager_->超级列表框1; }
  QLineEdit& name_box() { return *manager_->编辑框1; }

  QStringList category_rows() {
    QStringList names;
    for (int row = 0; row < categories().listview_row_count(); ++row) {
      names << categories().listview_get_cell_text(row, 1);
    }
    return names;
  }

  // Titles of the articles stored under the category, whatever their positions.
  QStringList stored_titles(const QString& category) {
    QStringList titles;
    for (const QStringList& row :
         query_rows(QStringLiteral("select 文章标题 from 文章管理 where 文章所属 = '") +
                    sql_value(category) + QStringLiteral("' order by ID"))) {
      titles << row.value(0);
    }
    return titles;
  }

 private:
  std::unique_ptr<CategoryManagerWindow> manager_;
};

TEST_F(CategoryManagerTest, WindowHoldsTheStoredControls) {
  start_with({QStringLiteral("读书 '笔记'"), QStringLiteral("工作")});
  CategoryManagerWindow& manager = open_manager();

  EXPECT_EQ(manager.windowTitle(), QStringLiteral("目录管理"));
  EXPECT_EQ(manager.minimumSize(), manager.maximumSize());
  EXPECT_EQ(manager.高级选择夹1->geometry(), QRect(9, 9, 369, 304));
  EXPECT_EQ(categories().geometry(), QRect(10, 9, 192, 286));
  ASSERT_EQ(categories().columnCount(), 2);
  EXPECT_EQ(categories().headerItem()->text(0), QStringLiteral("测试"));
  EXPECT_EQ(categories().columnWidth(0), 0);
  EXPECT_EQ(categories().headerItem()->text(1), QStringLiteral("目录名称"));
  EXPECT_EQ(categories().columnWidth(1), 187);
  EXPECT_EQ(name_box().maxLength(), 100);
  EXPECT_EQ(name_box().text(), QString());
  EXPECT_EQ(manager.标签1->text(),
            QStringLiteral("\r\n在此刻设置目录相关\r\n如 添加 删除 命名 等"));
  const std::pair<PictureButton*, const char*> buttons[] = {{manager.图形按钮1, "添加目录"},
                                                            {manager.图形按钮2, "删除目录"},
                                                            {manager.图形按钮3, "重新命名"},
                                                            {manager.图形按钮5, "向上移动"},
                                                            {manager.图形按钮4, "向下移动"}};
  for (const auto& [button, caption] : buttons) {
    EXPECT_EQ(button->text(), QString::fromUtf8(caption));
    EXPECT_EQ(button->size(), QSize(130, 24));
  }

  // Filled at creation, names in the second column, no row current.
  EXPECT_EQ(category_rows(), (QStringList{QStringLiteral("读书 '笔记'"), QStringLiteral("工作")}));
  EXPECT_EQ(categories().listview_get_cell_text(0, 0), QString());
  EXPECT_EQ(categories().current_row(), -1);
}

TEST_F(CategoryManagerTest, ListFollowsStoredPositions) {
  // Table order 二, 一, 二b, 外: equal positions keep table order, position 9 is out of range.
  seed_category(QStringLiteral("二"), QStringLiteral("2"));
  seed_category(QStringLiteral("一"), QStringLiteral("1"));
  seed_category(QStringLiteral("二b"), QStringLiteral("2"));
  seed_category(QStringLiteral("外"), QStringLiteral("9"));
  start_main_window();
  open_manager();
  EXPECT_EQ(category_rows(),
            (QStringList{QStringLiteral("一"), QStringLiteral("二"), QStringLiteral("二b")}));
}

TEST_F(CategoryManagerTest, RowChangeShowsTheNameInTheBox) {
  start_with({QStringLiteral("读书 '笔记'"), QStringLiteral("工作")});
  open_manager();
  categories().set_current_row(1);
  EXPECT_EQ(name_box().text(), QStringLiteral("工作"));
  categories().set_current_row(0);
  EXPECT_EQ(name_box().text(), QStringLiteral("读书 '笔记'"));
}

struct AddCase {
  const char* label;
  QStringList seeded;
  QString typed;
  QStringList stored_after;
  QStringList messages;
  int current_row;
};

// Test names show the case by its name, not its bytes.
void PrintTo(const AddCase& c, std::ostream* out) {
  *out << c.label;
}

class CategoryAddTest : public CategoryManagerTest,
                        public ::testing::WithParamInterface<AddCase> {};

TEST_P(CategoryAddTest, Adds) {
  const AddCase& c = GetParam();
  start_with(c.seeded);
  open_manager();
  name_box().setText(c.typed);

  add_category();

  EXPECT_EQ(stored_categories(), c.stored_after);
  EXPECT_EQ(seam().message_texts(), c.messages);
  for (const ShownMessage& message : seam().messages()) {
    EXPECT_EQ(message.buttons, buttons_ok);
    EXPECT_EQ(message.title, QString());
  }
  EXPECT_EQ(categories().current_row(), c.current_row);
  if (c.current_row != -1) {
    EXPECT_EQ(name_box().text(), c.typed);
    EXPECT_EQ(window().组合框1->combo_item_text(c.current_row), c.typed);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CategoryAddTest,
    ::testing::Values(
        AddCase{
            "empty_box", {QStringLiteral("读书")}, QString(), {QStringLiteral("读书@1")}, {}, -1},
        AddCase{"duplicate",
                {QStringLiteral("读书 '笔记'"), QStringLiteral("工作")},
                QStringLiteral("读书 '笔记'"),
                {QStringLiteral("读书 '笔记'@1"), QStringLiteral("工作@2")},
                {duplicate_on_add},
                -1},
        AddCase{"other_case",
                {QStringLiteral("Work")},
                QStringLiteral("work"),
                {QStringLiteral("Work@1"), QStringLiteral("work@2")},
                {},
                1},
        AddCase{"trailing_blank",
                {QStringLiteral("Work"), QStringLiteral("读书")},
                QStringLiteral("Work "),
                {QStringLiteral("Work@1"), QStringLiteral("读书@2"), QStringLiteral("Work @3")},
                {},
                2},
        AddCase{"empty_table",
                {},
                QStringLiteral("旅行 \"计划\" 'A'"),
                {QStringLiteral("旅行 \"计划\" 'A'@1")},
                {},
                0}),
    [](const auto& test_case) { return std::string(test_case.param.label); });

TEST_F(CategoryManagerTest, RenameCarriesTheArticlesAlong) {
  start_with({QStringLiteral("读书"), QStringLiteral("工作")});
  seed_article(QStringLiteral("读书"), QStringLiteral("1"), QStringLiteral("第一篇"), std::nullopt);
  seed_article(QStringLiteral("读书"), QStringLiteral("2"), QStringLiteral("第二篇"), std::nullopt);
  seed_article(QStringLiteral("工作"), QStringLiteral("1"), QStringLiteral("周报"), std::nullopt);
  open_manager();
  categories().set_current_row(0);
  name_box().setText(QStringLiteral("读书 '笔记'"));

  rename_category();

  EXPECT_EQ(stored_categories(),
            (QStringList{QStringLiteral("读书 '笔记'@1"), QStringLiteral("工作@2")}));
  EXPECT_EQ(stored_titles(QStringLiteral("读书 '笔记'")),
            (QStringList{QStringLiteral("第一篇"), QStringLiteral("第二篇")}));
  EXPECT_TRUE(stored_titles(QStringLiteral("读书")).isEmpty());
  EXPECT_EQ(stored_titles(QStringLiteral("工作")), QStringList{QStringLiteral("周报")});
  EXPECT_EQ(categories().current_row(), 0);
  EXPECT_EQ(name_box().text(), QStringLiteral("读书 '笔记'"));
  EXPECT_EQ(combo().combo_item_text(0), QStringLiteral("读书 '笔记'"));
  EXPECT_TRUE(seam().messages().empty());
}

TEST_F(CategoryManagerTest, RenameWithAnEmptyBoxEmptiesTheNames) {
  start_with({QStringLiteral("读书"), QStringLiteral("工作")});
  seed_article(QStringLiteral("读书"), QStringLiteral("1"), QStringLiteral("第一篇"), std::nullopt);
  open_manager();
  categories().set_current_row(0);
  name_box().clear();

  rename_category();

  EXPECT_EQ(stored_categories(), (QStringList{QStringLiteral("@1"), QStringLiteral("工作@2")}));
  EXPECT_EQ(stored_titles(QString()), QStringList{QStringLiteral("第一篇")});
  EXPECT_EQ(category_rows(), (QStringList{QString(), QStringLiteral("工作")}));
}

TEST_F(CategoryManagerTest, RenameThatChangesNothing) {
  start_with({QStringLiteral("读书 '笔记'"), QStringLiteral("工作")});
  open_manager();
  // No category is shown in the main window, so any refresh would empty the editor.
  editor().setPlainText(QStringLiteral("草稿"));
  const QStringList before = stored_categories();

  struct Case {
    const char* label;
    int row;
    QString typed;
    QStringList messages;
  };
  const Case cases[] = {
      {"no current row", -1, QStringLiteral("新名"), {}},
      {"same name", 0, QStringLiteral("读书 '笔记'"), {}},
      {"another's name", 0, QStringLiteral("工作"), {duplicate_on_rename}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    seam().clear_records();
    categories().set_current_row(c.row);
    name_box().setText(c.typed);

    rename_category();

    EXPECT_EQ(stored_categories(), before);
    EXPECT_EQ(seam().message_texts(), c.messages);
    EXPECT_EQ(editor().toPlainText(), QStringLiteral("草稿"));
  }
}

TEST_F(CategoryManagerTest, FailedRenameOfTheArticlesKeepsTheOldName) {
  start_with({QStringLiteral("读书"), QStringLiteral("工作")});
  seed_article(QStringLiteral("读书"), QStringLiteral("1"), QStringLiteral("第一篇"), std::nullopt);
  fail_updates_of(QStringLiteral("文章所属"));
  open_manager();
  categories().set_current_row(0);
  name_box().setText(QStringLiteral("新名"));

  rename_category();

  EXPECT_EQ(stored_categories(), (QStringList{QStringLiteral("读书@1"), QStringLiteral("工作@2")}));
  EXPECT_EQ(stored_titles(QStringLiteral("读书")), QStringList{QStringLiteral("第一篇")});
  EXPECT_EQ(category_rows(), (QStringList{QStringLiteral("读书"), QStringLiteral("工作")}));
}

struct MoveCase {
  const char* label;
  bool up;
  int row;
  QStringList stored_after;
  int current_row;
};

// Test names show the case by its name, not its bytes.
void PrintTo(const MoveCase& c, std::ostream* out) {
  *out << c.label;
}

class CategoryMoveTest : public CategoryManagerTest,
                         public ::testing::WithParamInterface<MoveCase> {};

TEST_P(CategoryMoveTest, Moves) {
  const MoveCase& c = GetParam();
  start_with({QStringLiteral("甲 '一'"), QStringLiteral("乙"), QStringLiteral("丙")});
  open_manager();
  categories().set_current_row(c.row);

  c.up ? move_category_up() : move_category_down();

  EXPECT_EQ(stored_categories(), c.stored_after);
  EXPECT_EQ(categories().current_row(), c.current_row);
  if (c.current_row != -1) {
    EXPECT_EQ(name_box().text(), categories().listview_get_cell_text(c.current_row, 1));
  }
}

const QStringList unmoved = {QStringLiteral("甲 '一'@1"), QStringLiteral("乙@2"),
                             QStringLiteral("丙@3")};

INSTANTIATE_TEST_SUITE_P(
    Cases, CategoryMoveTest,
    ::testing::Values(
        MoveCase{"up_no_row", true, -1, unmoved, -1}, MoveCase{"up_first", true, 0, unmoved, 0},
        MoveCase{"up_second",
                 true,
                 1,
                 {QStringLiteral("甲 '一'@2"), QStringLiteral("乙@1"), QStringLiteral("丙@3")},
                 0},
        MoveCase{"up_last",
                 true,
                 2,
                 {QStringLiteral("甲 '一'@1"), QStringLiteral("乙@3"), QStringLiteral("丙@2")},
                 1},
        MoveCase{"down_no_row", false, -1, unmoved, -1},
        MoveCase{"down_last", false, 2, unmoved, 2},
        MoveCase{"down_first",
                 false,
                 0,
                 {QStringLiteral("甲 '一'@2"), QStringLiteral("乙@1"), QStringLiteral("丙@3")},
                 1},
        MoveCase{"down_middle",
                 false,
                 1,
                 {QStringLiteral("甲 '一'@1"), QStringLiteral("乙@3"), QStringLiteral("丙@2")},
                 2}),
    [](const auto& test_case) { return std::string(test_case.param.label); });

TEST_F(CategoryManagerTest, MoveDownWithOneRowDoesNothing) {
  start_with({QStringLiteral("读书")});
  open_manager();
  categories().set_current_row(0);
  move_category_down();
  EXPECT_EQ(stored_categories(), QStringList{QStringLiteral("读书@1")});
}

TEST_F(CategoryManagerTest, DeleteAnsweredNoChangesNothing) {
  start_with({QStringLiteral("读书"), QStringLiteral("工作")});
  seed_article(QStringLiteral("读书"), QStringLiteral("1"), QStringLiteral("第一篇"), std::nullopt);
  open_manager();
  categories().set_current_row(0);
  seam().answer_next(answer_no);

  delete_category();

  ASSERT_EQ(seam().messages().size(), 1u);
  EXPECT_EQ(seam().messages()[0].text, delete_question);
  EXPECT_EQ(seam().messages()[0].buttons, buttons_yes_no);
  EXPECT_EQ(seam().messages()[0].title, QString());
  EXPECT_EQ(stored_categories(), (QStringList{QStringLiteral("读书@1"), QStringLiteral("工作@2")}));
  EXPECT_EQ(stored_titles(QStringLiteral("读书")), QStringList{QStringLiteral("第一篇")});
}

TEST_F(CategoryManagerTest, DeleteWithoutCurrentRowAsksNothing) {
  start_with({QStringLiteral("读书")});
  open_manager();
  delete_category();
  EXPECT_TRUE(seam().messages().empty());
  EXPECT_EQ(stored_categories(), QStringList{QStringLiteral("读书@1")});
}

struct DeleteCase {
  const char* label;
  int row;
  QStringList stored_after;
  int current_row;
  QString name_box;
};

// Test names show the case by its name, not its bytes.
void PrintTo(const DeleteCase& c, std::ostream* out) {
  *out << c.label;
}

class CategoryDeleteTest : public CategoryManagerTest,
                           public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(CategoryDeleteTest, DeletesWithArticlesAndRenumbers) {
  const DeleteCase& c = GetParam();
  const QStringList names = {QStringLiteral("甲 '一'"), QStringLiteral("乙"), QStringLiteral("丙"),
                             QStringLiteral("丁")};
  start_with(names);
  for (const QString& name : names) {
    seed_article(name, QStringLiteral("1"), name + QStringLiteral("的文章"), std::nullopt);
  }
  open_manager();
  categories().set_current_row(c.row);
  const QString deleted = names[c.row];
  seam().answer_next(answer_yes);

  delete_category();

  EXPECT_EQ(stored_categories(), c.stored_after);
  EXPECT_TRUE(stored_titles(deleted).isEmpty());
  EXPECT_EQ(row_count(QStringLiteral("文章管理")), 3);
  EXPECT_EQ(categories().current_row(), c.current_row);
  EXPECT_EQ(name_box().text(), c.name_box);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CategoryDeleteTest,
    ::testing::Values(
        DeleteCase{"first",
                   0,
                   {QStringLiteral("乙@1"), QStringLiteral("丙@2"), QStringLiteral("丁@3")},
                   0,
                   QStringLiteral("乙")},
        DeleteCase{"middle",
                   1,
                   {QStringLiteral("甲 '一'@1"), QStringLiteral("丙@2"), QStringLiteral("丁@3")},
                   1,
                   QStringLiteral("丙")},
        DeleteCase{"last",
                   3,
                   {QStringLiteral("甲 '一'@1"), QStringLiteral("乙@2"), QStringLiteral("丙@3")},
                   2,
                   QStringLiteral("丙")}),
    [](const auto& test_case) { return std::string(test_case.param.label); });

// Positions 1, 2, 2: the third row shows 丙, whose position is not its row + 1. Deleting it must
// take 丙 with its articles and leave 乙 and its articles alone.
TEST_F(CategoryManagerTest, DeleteWithARepeatedPositionTakesTheChosenCategory) {
  ASSERT_NE(seed_category(QStringLiteral("甲"), QStringLiteral("1")), 0);
  ASSERT_NE(seed_category(QStringLiteral("乙"), QStringLiteral("2")), 0);
  ASSERT_NE(seed_category(QStringLiteral("丙"), QStringLiteral("2")), 0);
  seed_article(QStringLiteral("乙"), QStringLiteral("1"), QStringLiteral("乙的文章"), std::nullopt);
  seed_article(QStringLiteral("丙"), QStringLiteral("1"), QStringLiteral("丙的文章"), std::nullopt);
  start_main_window();
  open_manager();
  categories().set_current_row(2);
  seam().answer_next(answer_yes);

  delete_category();

  EXPECT_EQ(stored_categories(), (QStringList{QStringLiteral("甲@1"), QStringLiteral("乙@2")}));
  EXPECT_EQ(stored_titles(QStringLiteral("乙")), QStringList{QStringLiteral("乙的文章")});
  EXPECT_TRUE(stored_titles(QStringLiteral("丙")).isEmpty());
}

TEST_F(CategoryManagerTest, DeleteOfTheOnlyCategoryEmptiesListAndBox) {
  start_with({QStringLiteral("读书 '笔记'")});
  seed_article(QStringLiteral("读书 '笔记'"), QStringLiteral("1"), QStringLiteral("第一篇"),
               std::nullopt);
  open_manager();
  categories().set_current_row(0);
  seam().answer_next(answer_yes);

  delete_category();

  EXPECT_TRUE(stored_categories().isEmpty());
  EXPECT_EQ(row_count(QStringLiteral("文章管理")), 0);
  EXPECT_EQ(categories().listview_row_count(), 0);
  EXPECT_EQ(categories().current_row(), -1);
  EXPECT_EQ(name_box().text(), QString());
}

TEST_F(CategoryManagerTest, DeleteLowersEachPositionOnceWhateverTheTableOrder) {
  // Table order 1, 3, 2, as a move leaves it.
  seed_category(QStringLiteral("一"), QStringLiteral("1"));
  seed_category(QStringLiteral("三"), QStringLiteral("3"));
  seed_category(QStringLiteral("二"), QStringLiteral("2"));
  start_main_window();
  open_manager();
  categories().set_current_row(0);
  seam().answer_next(answer_yes);

  delete_category();

  EXPECT_EQ(stored_categories(), (QStringList{QStringLiteral("三@2"), QStringLiteral("二@1")}));
  EXPECT_EQ(category_rows(), (QStringList{QStringLiteral("二"), QStringLiteral("三")}));
}

TEST_F(CategoryManagerTest, FailedDeleteOfTheArticlesKeepsTheCategory) {
  start_with({QStringLiteral("读书"), QStringLiteral("工作")});
  seed_article(QStringLiteral("读书"), QStringLiteral("1"), QStringLiteral("第一篇"), std::nullopt);
  ASSERT_TRUE(seed_sql(db(), QStringLiteral("create trigger 删除失败 before delete on 文章管理 "
                                            "begin select raise(abort, 'disk full'); end")));
  open_manager();
  categories().set_current_row(0);
  seam().answer_next(answer_yes);

  delete_category();

  EXPECT_EQ(stored_categories(), (QStringList{QStringLiteral("读书@1"), QStringLiteral("工作@2")}));
  EXPECT_EQ(stored_titles(QStringLiteral("读书")), QStringList{QStringLiteral("第一篇")});
  EXPECT_EQ(category_rows(), (QStringList{QStringLiteral("读书"), QStringLiteral("工作")}));
}

// The main window shows 工作 '计划' with its second article loaded and the caret inside it.
class CategoryRefreshTest : public CategoryManagerTest {
 protected:
  void SetUp() override {
    CategoryManagerTest::SetUp();
    start_with({QStringLiteral("读书"), shown, QStringLiteral("旅行")});
    editor().setPlainText(QStringLiteral("第二篇的正文"));
    const QString body = editor().content();
    seed_article(shown, QStringLiteral("1"), QStringLiteral("第一篇"), std::nullopt);
    seed_article(shown, QStringLiteral("2"), QStringLiteral("第二篇"), body);
    choose_category(1);
    click_list_row(1);
    editor().set_selection_start(3);
    seam().clear_records();
    open_manager();
  }

  void expect_shown_kept() {
    EXPECT_EQ(combo().combo_item_text(combo().selected_index()), shown);
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("第一篇"), QStringLiteral("第二篇")}));
    EXPECT_EQ(list().current_row(), 1);
    EXPECT_EQ(globals().loaded_article_row, 1);
    EXPECT_EQ(editor().toPlainText(), QStringLiteral("第二篇的正文"));
    EXPECT_EQ(editor().selection_start(), 3);
    EXPECT_FALSE(editor().modified());
  }

  void expect_editor_emptied() {
    EXPECT_EQ(combo().selected_index(), -1);
    EXPECT_EQ(list().listview_row_count(), 0);
    EXPECT_EQ(editor().toPlainText(), QString());
    EXPECT_FALSE(editor().modified());
  }

  const QString shown = QStringLiteral("工作 '计划'");
};

TEST_F(CategoryRefreshTest, ChangesElsewhereKeepCategoryArticleAndCaret) {
  struct Step {
    const char* label;
    int row;
    QString typed;
    void (*command)();
  };
  const Step steps[] = {
      {"add", -1, QStringLiteral("新目录"), add_category},
      {"rename another", 0, QStringLiteral("读书 '笔记'"), rename_category},
      {"move it down", 1, {}, move_category_down},
      {"move it up", 2, {}, move_category_up},
      {"move another up", 2, {}, move_category_up},
      {"delete another", 0, {}, delete_category},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.label);
    categories().set_current_row(step.row);
    if (!step.typed.isEmpty()) {
      name_box().setText(step.typed);
    }
    if (step.command == delete_category) {
      seam().answer_next(answer_yes);
    }
    step.command();
    expect_shown_kept();
  }
  EXPECT_EQ(stored_categories(),
            (QStringList{QStringLiteral("工作 '计划'@2"), QStringLiteral("旅行@1"),
                         QStringLiteral("新目录@3")}));
}

TEST_F(CategoryRefreshTest, DeletingTheShownCategoryEmptiesTheEditor) {
  categories().set_current_row(1);
  seam().answer_next(answer_yes);
  delete_category();
  expect_editor_emptied();
  EXPECT_EQ(combo().combo_item_count(), 2);
}

TEST_F(CategoryRefreshTest, RenamingTheShownCategoryEmptiesTheEditor) {
  categories().set_current_row(1);
  name_box().setText(QStringLiteral("工作 \"计划\""));
  rename_category();
  expect_editor_emptied();
  EXPECT_EQ(combo().combo_item_text(1), QStringLiteral("工作 \"计划\""));
}

TEST_F(CategoryManagerTest, OpeningAsksToSaveFirst) {
  start_with({QStringLiteral("读书")});
  seed_article(QStringLiteral("读书"), QStringLiteral("1"), QStringLiteral("第一篇"), std::nullopt);
  QStringList seen_rows;
  seam().on_modal(QStringLiteral("CategoryManagerWindow"), [&seen_rows](QWidget* window) {
    auto* manager = qobject_cast<CategoryManagerWindow*>(window);
    ASSERT_NE(manager, nullptr);
    seen_rows << manager->超级列表框1->listview_get_cell_text(0, 1);
  });

  struct Case {
    const char* label;
    bool load_article;
    int answer;
    bool opens;
    QStringList messages;
  };
  // Without a loaded article a Yes-save is refused, which keeps the manager closed.
  const Case cases[] = {
      {"failed save", false, answer_yes, false, {question, refused}},
      {"no", false, answer_no, true, {question}},
      {"saved", true, answer_yes, true, {question}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    if (c.load_article) {
      choose_category(0);
      click_list_row(0);
    }
    type_into_editor(QStringLiteral("abc"));
    ASSERT_TRUE(editor().modified());
    seam().clear_records();
    seen_rows.clear();
    seam().answer_next(c.answer);

    choose_menu(MenuCommand::category_manager);

    EXPECT_EQ(seam().message_texts(), c.messages);
    EXPECT_EQ(!seen_rows.isEmpty(), c.opens);
    EXPECT_EQ(editor().modified(), !c.opens);
    if (c.opens) {
      EXPECT_EQ(seen_rows, QStringList{QStringLiteral("读书")});
    }
    editor().set_modified(false);
  }
  EXPECT_TRUE(stored(QStringLiteral("文章内容"), QStringLiteral("读书"), QStringLiteral("第一篇"))
                  .contains(QStringLiteral("abc")));
}

}  // namespace
