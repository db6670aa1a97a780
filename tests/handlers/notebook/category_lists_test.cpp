#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>

#include <vector>

#include "handlers/notebook/article_load_save.h"
#include "handlers/notebook/notebook_fixture.h"

namespace {

using CategoryListsTest = NotebookTest;

TEST_F(CategoryListsTest, FillsShowCategoriesAndArticlesInStoredPositionOrder) {
  seed_category(QStringLiteral("乙 \"二\""), QStringLiteral("2"));
  seed_category(QStringLiteral("Tom's 日记"), QStringLiteral("1"));
  seed_category(QStringLiteral("丙"), QStringLiteral("2"));
  seed_category(QStringLiteral("超出"), QStringLiteral("9"));
  seed_article(QStringLiteral("Tom's 日记"), QStringLiteral("3"), QStringLiteral("第三"), {});
  seed_article(QStringLiteral("Tom's 日记"), QStringLiteral("1"), QStringLiteral("第一"), {});
  seed_article(QStringLiteral("乙 \"二\""), QStringLiteral("1"), QStringLiteral("别的"), {});
  seed_article(QStringLiteral("Tom's 日记 "), QStringLiteral("2"), QStringLiteral("尾随空格"), {});
  start_main_window();

  ASSERT_EQ(combo().combo_item_count(), 3);
  EXPECT_EQ(combo().combo_item_text(0), QStringLiteral("Tom's 日记"));
  EXPECT_EQ(combo().combo_item_text(1), QStringLiteral("乙 \"二\""));
  EXPECT_EQ(combo().combo_item_text(2), QStringLiteral("丙"));
  EXPECT_TRUE(rows().isEmpty()) << "no category is selected yet";

  type_into_editor(QStringLiteral("draft"));
  choose_category(0);
  EXPECT_EQ(rows(), (QStringList{"第一", "第三"}));
  EXPECT_EQ(list().current_row(), -1);
  EXPECT_EQ(globals().loaded_article_row, -1);
  EXPECT_TRUE(editor().toPlainText().isEmpty());
  EXPECT_FALSE(editor().modified());
}

TEST_F(CategoryListsTest, AnEmptySelectorClearsTheFlagWithoutAQuestion) {
  start_main_window();
  EXPECT_EQ(combo().combo_item_count(), 0);
  type_into_editor(QStringLiteral("text"));
  main_combo_dropdown();
  EXPECT_FALSE(editor().modified());
  EXPECT_TRUE(seam().messages().empty());
}

struct DropdownCase {
  const char* name;
  int answer;
  bool save_fails;
  bool stored;
};

// Test names show the case by its name, not its bytes.
void PrintTo(const DropdownCase& c, std::ostream* out) {
  *out << c.name;
}

class DropdownTest : public NotebookTest, public ::testing::WithParamInterface<DropdownCase> {};

TEST_P(DropdownTest, OffersToSaveAndGoesOnUnlessTheSaveFailed) {
  const DropdownCase& c = GetParam();
  seed_category(QStringLiteral("日记"), QStringLiteral("1"));
  seed_article(QStringLiteral("日记"), QStringLiteral("1"), QStringLiteral("第一"), {});
  if (c.save_fails)
    fail_updates_of(QStringLiteral("修改时间"));
  start_main_window();
  choose_category(0);
  click_list_row(0);
  type_into_editor(QStringLiteral("edited"));
  seam().answer_next(c.answer);
  main_combo_dropdown();
  QStringList expected{question};
  if (c.save_fails)
    expected << failed;
  EXPECT_EQ(seam().message_texts(), expected);
  // A failed save keeps the list closed and the edits marked; declined edits stay marked until
  // another category empties the editor.
  EXPECT_EQ(editor().modified(), c.answer == answer_no || c.save_fails);
  EXPECT_EQ(stored(QStringLiteral("文章内容"), QStringLiteral("日记"), QStringLiteral("第一"))
                .contains(QStringLiteral("edited")),
            c.stored);
}

INSTANTIATE_TEST_SUITE_P(Answers, DropdownTest,
                         ::testing::Values(DropdownCase{"No", answer_no, false, false},
                                           DropdownCase{"Yes", answer_yes, false, true},
                                           DropdownCase{"YesSaveFails", answer_yes, true, false}),
                         [](const auto& test_case) { return std::string(test_case.param.name); });

// Declined at the drop-down, then the same category chosen again: the editor still holds the
// edits, so they are still marked unsaved and the next row change offers to save them.
TEST_F(CategoryListsTest, DeclinedEditsStayMarkedWhenTheSameCategoryIsChosenAgain) {
  seed_category(QStringLiteral("日记"), QStringLiteral("1"));
  seed_article(QStringLiteral("日记"), QStringLiteral("1"), QStringLiteral("第一"), {});
  seed_article(QStringLiteral("日记"), QStringLiteral("2"), QStringLiteral("第二"), {});
  start_main_window();
  choose_category(0);
  click_list_row(0);
  type_into_editor(QStringLiteral("declined"));
  seam().answer_next(answer_no);
  choose_category(0);
  EXPECT_EQ(seam().message_texts(), QStringList{question});
  EXPECT_TRUE(editor().toPlainText().contains(QStringLiteral("declined")));
  EXPECT_TRUE(editor().modified());

  seam().answer_next(answer_yes);
  click_list_row(1);
  EXPECT_EQ(seam().message_texts(), (QStringList{question, question}));
  EXPECT_TRUE(stored(QStringLiteral("文章内容"), QStringLiteral("日记"), QStringLiteral("第一"))
                  .contains(QStringLiteral("declined")));
}

TEST_F(CategoryListsTest, AKeyboardChangeAsksWhileTheOldCategoryIsStillSelected) {
  seed_category(QStringLiteral("日记"), QStringLiteral("1"));
  seed_category(QStringLiteral("工作"), QStringLiteral("2"));
  seed_article(QStringLiteral("日记"), QStringLiteral("1"), QStringLiteral("第一"), {});
  seed_article(QStringLiteral("工作"), QStringLiteral("1"), QStringLiteral("第一"), {});
  start_main_window();
  choose_category(0);
  click_list_row(0);
  type_into_editor(QStringLiteral("kept"));
  seam().answer_next(answer_yes);
  combo().setFocus();
  QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
  QApplication::sendEvent(&combo(), &down);
  QApplication::processEvents();

  EXPECT_EQ(seam().message_texts(), QStringList{question});
  EXPECT_EQ(combo().selected_index(), 1);
  EXPECT_TRUE(stored(QStringLiteral("文章内容"), QStringLiteral("日记"), QStringLiteral("第一"))
                  .contains(QStringLiteral("kept")));
  EXPECT_TRUE(
      stored(QStringLiteral("文章内容"), QStringLiteral("工作"), QStringLiteral("第一")).isNull());
  EXPECT_TRUE(editor().toPlainText().isEmpty());
}

struct TypedKeyCase {
  const char* name;
  QString key;
  bool asks;
  int selected_after;
};

// Only a key that really selects another category asks; one that changes nothing leaves the
// edits and their modified flag alone, so the next row change still offers to save them.
TEST_F(CategoryListsTest, TypingInTheSelectorAsksOnlyWhenTheCategoryChanges) {
  const std::vector<TypedKeyCase> cases = {
      {"no category starts with it", QStringLiteral("q"), false, 0},
      {"only the selected category starts with it", QStringLiteral("a"), false, 0},
      {"another category starts with it", QStringLiteral("b"), true, 1},
  };
  for (const TypedKeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    seed_category(QStringLiteral("apple"), QStringLiteral("1"));
    seed_category(QStringLiteral("berry"), QStringLiteral("2"));
    seed_article(QStringLiteral("apple"), QStringLiteral("1"), QStringLiteral("第一"), {});
    start_main_window();
    choose_category(0);
    click_list_row(0);
    type_into_editor(QStringLiteral("typed"));
    seam().answer_next(answer_no);
    combo().setFocus();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, c.key);
    QApplication::sendEvent(&combo(), &key);
    QApplication::processEvents();

    EXPECT_EQ(seam().message_texts(), c.asks ? QStringList{question} : QStringList{});
    EXPECT_EQ(combo().selected_index(), c.selected_after);
    EXPECT_EQ(editor().modified(), !c.asks);
    EXPECT_EQ(editor().toPlainText().contains(QStringLiteral("typed")), !c.asks);
  }
}

TEST_F(CategoryListsTest, ChoosingTheSelectedCategoryAgainChangesNothing) {
  seed_category(QStringLiteral("日记"), QStringLiteral("1"));
  seed_article(QStringLiteral("日记"), QStringLiteral("1"), QStringLiteral("第一"),
               QStringLiteral("{\\rtf1\\ansi stored}"));
  start_main_window();
  choose_category(0);
  click_list_row(0);
  choose_category(0);
  EXPECT_EQ(rows(), QStringList{"第一"});
  EXPECT_EQ(list().current_row(), 0);
  EXPECT_EQ(globals().loaded_article_row, 0);
  EXPECT_TRUE(editor().toPlainText().contains(QStringLiteral("stored")));
}

TEST_F(CategoryListsTest, ChoosingACategoryDropsUnsavedTextAndASaveIsRefused) {
  seed_category(QStringLiteral("日记"), QStringLiteral("1"));
  seed_category(QStringLiteral("工作"), QStringLiteral("2"));
  seed_article(QStringLiteral("日记"), QStringLiteral("1"), QStringLiteral("第一"), {});
  start_main_window();
  choose_category(0);
  click_list_row(0);
  type_into_editor(QStringLiteral("lost"));
  seam().answer_next(answer_no);
  choose_category(1);
  EXPECT_TRUE(editor().toPlainText().isEmpty());
  type_into_editor(QStringLiteral("typed after"));
  EXPECT_EQ(save_current_article(), 0);
  EXPECT_EQ(seam().message_texts(), (QStringList{question, refused}));
  EXPECT_TRUE(
      stored(QStringLiteral("文章内容"), QStringLiteral("日记"), QStringLiteral("第一")).isNull());
}

TEST_F(CategoryListsTest, TheRecordMenuEnablesItemsByTheListSelection) {
  seed_category(QStringLiteral("日记"), QStringLiteral("1"));
  seed_article(QStringLiteral("日记"), QStringLiteral("1"), QStringLiteral("第一"), {});
  start_main_window();
  choose_category(0);
  const std::vector<MenuCommand> need_row = {
      MenuCommand::record_save,   MenuCommand::record_move_up, MenuCommand::record_move_down,
      MenuCommand::record_adjust, MenuCommand::record_rename,  MenuCommand::record_delete};
  for (const bool with_row : {false, true, false}) {
    SCOPED_TRACE(with_row ? "a current row" : "no current row");
    list().set_current_row(with_row ? 0 : -1);
    main_list_right_click();
    EXPECT_TRUE(window().menu_record->isVisible());
    window().menu_record->hide();
    for (MenuCommand command : need_row) {
      EXPECT_EQ(window().action(command)->isEnabled(), with_row);
    }
    EXPECT_TRUE(window().action(MenuCommand::record_new)->isEnabled());
    EXPECT_TRUE(window().action(MenuCommand::record_properties)->isEnabled());
  }
}

TEST_F(CategoryListsTest, ARunTimeErrorInAFillIsReportedAndTheProgramGoesOn) {
  seed_category(QStringLiteral("日记"), QStringLiteral("1"));
  ASSERT_TRUE(seed_sql(db(), QStringLiteral("insert into 文章管理(文章所属,文章位置,文章标题) "
                                            "values('日记','1',x'41')")));
  start_main_window();
  choose_category(0);
  ASSERT_EQ(seam().messages().size(), 1u);
  EXPECT_TRUE(seam().messages().front().text.startsWith(QStringLiteral("运行时错误 5")));
  EXPECT_TRUE(rows().isEmpty());
  choose_menu(MenuCommand::new_article);
  EXPECT_EQ(rows(), QStringList{"日记1"});
}

}  // namespace
